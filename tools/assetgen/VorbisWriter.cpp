// VorbisWriter: the libvorbis analysis loop with Ogg paging into a byte buffer.
#include "VorbisWriter.h"

#include <algorithm>
#include <vorbis/vorbisenc.h>

namespace
{
void AppendPage(std::vector<uint8_t>& out, const ogg_page& page)
{
    out.insert(out.end(), page.header, page.header + page.header_len);
    out.insert(out.end(), page.body, page.body + page.body_len);
}
} // namespace

std::vector<uint8_t> EncodeVorbis(const std::vector<float>& samples, int channels, int rate,
                                  float quality)
{
    std::vector<uint8_t> out;
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
    ogg_stream_state os;
    ogg_stream_init(&os, 0x566F7373); // fixed serial: equal input, equal file
    ogg_page og;
    ogg_packet op;

    ogg_packet header, headerComment, headerCode;
    vorbis_analysis_headerout(&vd, &vc, &header, &headerComment, &headerCode);
    ogg_stream_packetin(&os, &header);
    ogg_stream_packetin(&os, &headerComment);
    ogg_stream_packetin(&os, &headerCode);
    while (ogg_stream_flush(&os, &og) != 0)
    {
        AppendPage(out, og);
    }

    const long frames = (long)(samples.size() / channels);
    const long chunk = 4096;
    long done = 0;
    bool eos = false;
    while (!eos)
    {
        long n = std::min(chunk, frames - done);
        if (n > 0)
        {
            float** buffer = vorbis_analysis_buffer(&vd, (int)n);
            for (long i = 0; i < n; ++i)
            {
                for (int ch = 0; ch < channels; ++ch)
                {
                    buffer[ch][i] = samples[(size_t)(done + i) * channels + ch];
                }
            }
            vorbis_analysis_wrote(&vd, (int)n);
            done += n;
        }
        else
        {
            vorbis_analysis_wrote(&vd, 0); // end of stream
        }
        while (vorbis_analysis_blockout(&vd, &vb) == 1)
        {
            vorbis_analysis(&vb, nullptr);
            vorbis_bitrate_addblock(&vb);
            while (vorbis_bitrate_flushpacket(&vd, &op) == 1)
            {
                ogg_stream_packetin(&os, &op);
                while (!eos && ogg_stream_pageout(&os, &og) != 0)
                {
                    AppendPage(out, og);
                    if (ogg_page_eos(&og))
                    {
                        eos = true;
                    }
                }
            }
        }
        if (n <= 0 && !eos)
        {
            // Everything has been handed over; flush what is left.
            while (ogg_stream_flush(&os, &og) != 0)
            {
                AppendPage(out, og);
                if (ogg_page_eos(&og))
                {
                    eos = true;
                }
            }
            eos = true;
        }
    }

    ogg_stream_clear(&os);
    vorbis_block_clear(&vb);
    vorbis_dsp_clear(&vd);
    vorbis_comment_clear(&vc);
    vorbis_info_clear(&vi);
    return out;
}
