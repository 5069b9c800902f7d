// VorbisWriter: the libvorbis analysis loop, packet collection and Ogg paging.
#include "VorbisWriter.h"

#include <algorithm>
#include <vorbis/vorbisenc.h>

namespace
{
struct TPacket_s
{
    std::vector<uint8_t> bytes;
    ogg_int64_t granule;
};

void AppendPage(std::vector<uint8_t>& out, const ogg_page& page)
{
    out.insert(out.end(), page.header, page.header + page.header_len);
    out.insert(out.end(), page.body, page.body + page.body_len);
}
} // namespace

std::vector<uint8_t> EncodeVorbis(const std::vector<float>& samples, int channels, int rate,
                                  float quality, bool loop)
{
    std::vector<uint8_t> out;
    const long frames = (long)(samples.size() / channels);
    if (frames == 0)
    {
        return out;
    }
    vorbis_info vi;
    vorbis_info_init(&vi);
    if (vorbis_encode_init_vbr(&vi, channels, rate, quality) != 0)
    {
        vorbis_info_clear(&vi);
        return out;
    }
    vorbis_comment vc;
    vorbis_comment_init(&vc);
    vorbis_comment_add_tag(&vc, "ENCODER", "vossa-assetgen");
    vorbis_dsp_state vd;
    vorbis_block vb;
    vorbis_analysis_init(&vd, &vi);
    vorbis_block_init(&vd, &vb);

    ogg_packet header, headerComment, headerCode;
    vorbis_analysis_headerout(&vd, &vc, &header, &headerComment, &headerCode);
    std::vector<TPacket_s> headers;
    for (ogg_packet* p : {&header, &headerComment, &headerCode})
    {
        headers.push_back({std::vector<uint8_t>(p->packet, p->packet + p->bytes), p->granulepos});
    }

    // Feed the samples (and, for a loop, a quarter second of the loop's start again).
    const long extra = loop ? std::min<long>(rate / 4, frames) : 0;
    const long total = frames + extra;
    std::vector<TPacket_s> audio;
    ogg_packet op;
    auto drain = [&]()
    {
        while (vorbis_analysis_blockout(&vd, &vb) == 1)
        {
            vorbis_analysis(&vb, nullptr);
            vorbis_bitrate_addblock(&vb);
            while (vorbis_bitrate_flushpacket(&vd, &op) == 1)
            {
                audio.push_back(
                    {std::vector<uint8_t>(op.packet, op.packet + op.bytes), op.granulepos});
            }
        }
    };
    const long chunk = 4096;
    for (long done = 0; done < total;)
    {
        long n = std::min(chunk, total - done);
        float** buffer = vorbis_analysis_buffer(&vd, (int)n);
        for (long i = 0; i < n; ++i)
        {
            const size_t frame = (size_t)((done + i) % frames);
            for (int ch = 0; ch < channels; ++ch)
            {
                buffer[ch][i] = samples[frame * channels + ch];
            }
        }
        vorbis_analysis_wrote(&vd, (int)n);
        done += n;
        drain();
    }
    vorbis_analysis_wrote(&vd, 0);
    drain();

    // Keep the packets up to the first one that reaches the wanted length; it becomes the last
    // one and carries the exact length as its granule position.
    size_t keep = audio.size();
    for (size_t i = 0; i < audio.size(); ++i)
    {
        if (audio[i].granule >= frames)
        {
            keep = i + 1;
            break;
        }
    }

    ogg_stream_state os;
    ogg_stream_init(&os, 0x566F7373); // fixed serial: equal input, equal file
    ogg_page og;
    long packetNo = 0;
    for (TPacket_s& h : headers)
    {
        ogg_packet p = {h.bytes.data(), (long)h.bytes.size(), packetNo == 0, 0, h.granule,
                        packetNo};
        ogg_stream_packetin(&os, &p);
        ++packetNo;
    }
    while (ogg_stream_flush(&os, &og) != 0)
    {
        AppendPage(out, og);
    }
    for (size_t i = 0; i < keep; ++i)
    {
        const bool last = i + 1 == keep;
        ogg_packet p = {audio[i].bytes.data(),
                        (long)audio[i].bytes.size(),
                        0,
                        last ? 1 : 0,
                        last ? (ogg_int64_t)frames : audio[i].granule,
                        packetNo++};
        ogg_stream_packetin(&os, &p);
        while (ogg_stream_pageout(&os, &og) != 0)
        {
            AppendPage(out, og);
        }
    }
    while (ogg_stream_flush(&os, &og) != 0)
    {
        AppendPage(out, og);
    }

    ogg_stream_clear(&os);
    vorbis_block_clear(&vb);
    vorbis_dsp_clear(&vd);
    vorbis_comment_clear(&vc);
    vorbis_info_clear(&vi);
    return out;
}
