// PackBuilder: the pack's entries, built from the sources, crunched on worker threads.
#include "PackBuilder.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>

#include "ButtonPainter.h"
#include "CardPainter.h"
#include "FontFace.h"
#include "LogoPainter.h"
#include "MusicComposer.h"
#include "PackCatalogue.h"
#include "PackPreview.h"
#include "ScaledEntries.h"
#include "SkyPainter.h"
#include "TextFit.h"
#include "TextPack.h"
#include "TgaWriter.h"
#include "VorbisWriter.h"
#include "data/krMemoryBlock.h"
#include "data/krResource.h"

namespace
{
bool ReadText(const std::string& path, std::string& out)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
    {
        return false;
    }
    std::ostringstream s;
    s << in.rdbuf();
    out = s.str();
    return true;
}

// Runs job(i, worker) for i in 0..count-1 on `threads` workers (numbered from 0); each i is
// taken exactly once. Results must not depend on which worker runs which i.
void ParallelFor(int count, int threads, const std::function<void(int, int)>& job)
{
    std::atomic<int> next{0};
    auto worker = [&](int id)
    {
        for (int i = next++; i < count; i = next++)
        {
            job(i, id);
        }
    };
    std::vector<std::thread> pool;
    for (int t = 1; t < std::max(threads, 1); ++t)
    {
        pool.emplace_back(worker, t);
    }
    worker(0);
    for (std::thread& t : pool)
    {
        t.join();
    }
}

bool ParseDeck(const std::string& text, std::vector<TCard_s>& deck, std::string& error)
{
    for (const std::string& raw : SplitLines(text))
    {
        std::string line = raw.substr(0, raw.find('#'));
        std::istringstream in(line);
        std::string rank, suit;
        if (!(in >> rank))
        {
            continue;
        }
        in >> suit;
        TCard_s card{0, suSpades};
        for (int r = 1; r <= 13; ++r)
        {
            if (rank == RankName(r))
            {
                card.rank = r;
            }
        }
        const char* suits[4] = {"spades", "hearts", "diamonds", "clubs"};
        int s = -1;
        for (int k = 0; k < 4; ++k)
        {
            if (suit == suits[k])
            {
                s = k;
            }
        }
        if (card.rank == 0 || s < 0)
        {
            error = "cards.txt: bad card '" + line + "'";
            return false;
        }
        card.suit = (TSuit)s;
        for (const TCard_s& other : deck)
        {
            if (other.rank == card.rank && other.suit == card.suit)
            {
                error = "cards.txt: card listed twice: '" + line + "'";
                return false;
            }
        }
        deck.push_back(card);
    }
    if (deck.size() != (size_t)kPackFaceCount)
    {
        error = "cards.txt must list " + std::to_string(kPackFaceCount) + " cards, it lists " +
                std::to_string(deck.size());
        return false;
    }
    return true;
}

} // namespace

const TPackDesign_s& PackBuilder::Design()
{
    static const TPackDesign_s design;
    return design;
}

PackBuilder::PackBuilder(const std::string& assetsDir, const std::string& fontsDir, int threads)
    : assets(assetsDir), fonts(fontsDir), threadCount(threads)
{
}

void PackBuilder::Add(const std::string& name, std::vector<uint8_t> content)
{
    entries.push_back({name, std::move(content), {}});
}

const TPackEntry_s* PackBuilder::Find(const std::string& name) const
{
    for (const TPackEntry_s& e : entries)
    {
        if (e.name == name)
        {
            return &e;
        }
    }
    return nullptr;
}

bool PackBuilder::Build(std::string& error)
{
    entries.clear();
    notes.clear();
    const TPackDesign_s& d = Design();
    Add("box", BuildCardMesh(d.card).Serialize());
    Add("box_low", BuildCardMesh(d.cardLow).Serialize());
    if (!BuildCards(error) || !BuildFontsAndTexts(error) || !BuildPictures(error) ||
        !BuildSounds(error))
    {
        return false;
    }
    // Store the entries in catalogue order.
    std::vector<TPackEntry_s> ordered;
    for (const std::string& name : PackCatalogue())
    {
        const TPackEntry_s* e = Find(name);
        if (!e)
        {
            error = "entry not built: " + name;
            return false;
        }
        ordered.push_back(*e);
    }
    entries = std::move(ordered);
    // Beside the catalogue: fonts and pictures for the GUI's larger scales.
    std::vector<TScaledEntry_s> scaled;
    if (!BuildScaledEntries(d, fonts, scaled, notes, error))
    {
        return false;
    }
    for (TScaledEntry_s& e : scaled)
    {
        Add(e.name, std::move(e.content));
    }
    CrunchAll();
    for (const TPackEntry_s& e : entries)
    {
        if (e.crunched.empty())
        {
            error = "could not crunch " + e.name;
            return false;
        }
    }
    return true;
}

bool PackBuilder::BuildCards(std::string& error)
{
    std::string deckText;
    std::vector<TCard_s> deck;
    if (!ReadText(assets + "/cards.txt", deckText))
    {
        error = "cannot read " + assets + "/cards.txt";
        return false;
    }
    if (!ParseDeck(deckText, deck, error))
    {
        return false;
    }
    FontFace rankFont;
    if (!rankFont.Open(fonts + "/DejaVuSerif-Bold.ttf"))
    {
        error = "cannot open " + fonts + "/DejaVuSerif-Bold.ttf";
        return false;
    }
    const TPackDesign_s& d = Design();
    CardPainter painter(rankFont);
    const Canvas back = painter.PaintBack(d.cardDrawHalf, d.cardDrawHalf);
    TImage_s backImage = back.ToImage();
    backPreview = Downsample(backImage, 126, 176);

    // Every face of the card list twice: in two colours, then in four.
    const int faces = (int)deck.size();
    const int jobs = 2 * faces;
    std::vector<std::vector<uint8_t>> high(jobs), low(jobs);
    std::vector<TImage_s> previews(faces);
    // FreeType faces are not shared between threads: each worker has its own.
    std::vector<FontFace> fontFaces(std::max(threadCount, 1));
    for (FontFace& f : fontFaces)
    {
        f.Open(fonts + "/DejaVuSerif-Bold.ttf");
    }
    ParallelFor(jobs, threadCount,
                [&](int job, int worker)
                {
                    const int i = job % faces;
                    const TSuitColours colours = job < faces ? scTwoColours : scFourColours;
                    CardPainter cardPainter(fontFaces[worker], colours);
                    Canvas face = cardPainter.PaintFace(deck[i], d.cardDrawHalf, d.cardDrawHalf);
                    TImage_s faceImage = face.ToImage();
                    TImage_s texture;
                    texture.width = d.cardDrawHalf * 2;
                    texture.height = d.cardDrawHalf;
                    texture.rgba.resize((size_t)texture.width * texture.height * 4);
                    for (int y = 0; y < d.cardDrawHalf; ++y)
                    {
                        uint8_t* row = &texture.rgba[(size_t)y * texture.width * 4];
                        std::copy(&faceImage.rgba[(size_t)y * d.cardDrawHalf * 4],
                                  &faceImage.rgba[(size_t)(y + 1) * d.cardDrawHalf * 4], row);
                        std::copy(&backImage.rgba[(size_t)y * d.cardDrawHalf * 4],
                                  &backImage.rgba[(size_t)(y + 1) * d.cardDrawHalf * 4],
                                  row + (size_t)d.cardDrawHalf * 4);
                    }
                    TImage_s large = Downsample(texture, d.cardHalf * 2, d.cardHalf);
                    high[job] = EncodeTGA(large, false, true);
                    TImage_s small = Downsample(texture, d.cardHalfLow * 2, d.cardHalfLow);
                    low[job] = EncodeTGA(small, false, true);
                    if (colours == scTwoColours)
                    {
                        previews[i] = Downsample(faceImage, 126, 176);
                    }
                });
    for (int job = 0; job < jobs; ++job)
    {
        const int i = job % faces;
        const std::string name = job < faces ? FaceEntryName(i) : FourColourFaceEntryName(i);
        Add(name, std::move(high[job]));
        Add(name + "_low", std::move(low[job]));
        // The contact sheet has room for the twenty-one-card trick's faces.
        if (job < kPlainTrickCards)
        {
            cardPreviews.push_back({name, std::move(previews[i])});
        }
    }
    return true;
}

bool PackBuilder::BuildFontsAndTexts(std::string& error)
{
    const TPackDesign_s& d = Design();
    FontFace bold, regular;
    if (!bold.Open(fonts + "/DejaVuSans-Bold.ttf") || !regular.Open(fonts + "/DejaVuSans.ttf"))
    {
        error = "cannot open the DejaVu Sans fonts in " + fonts;
        return false;
    }
    mainFont = std::make_shared<GlyphBlock>(bold, d.mainFontSize, d.lastGlyph);
    smallFont = std::make_shared<GlyphBlock>(regular, d.smallFontSize, d.lastGlyph);
    Add("arial", mainFont->Serialize());
    Add("ss10", smallFont->Serialize());
    notes.push_back("font arial: DejaVu Sans Bold " + std::to_string(d.mainFontSize) +
                    " px, game font height " + std::to_string(mainFont->GameFontHeight()));
    notes.push_back("font ss10: DejaVu Sans " + std::to_string(d.smallFontSize) +
                    " px, game font height " + std::to_string(smallFont->GameFontHeight()));

    for (const std::string& language : PackLanguages())
    {
        const std::string dir = assets + "/texts/";
        std::string messages, licenses, howTo;
        if (!ReadText(dir + "msg_" + language + ".txt", messages) ||
            !ReadText(dir + "licenses_" + language + ".txt", licenses) ||
            !ReadText(dir + "howtoplay_" + language + ".txt", howTo))
        {
            error = "cannot read the texts of " + language + " in " + dir;
            return false;
        }
        std::vector<std::string> messageLines = SplitLines(messages);
        KeepJoiningSpaces(messageLines);
        const std::vector<std::string> licenseLines =
            WrapParagraphs(SplitLines(licenses), *smallFont, d.aboutWrapWidth);
        const std::vector<std::string> howToLines =
            WrapParagraphs(SplitLines(howTo), *smallFont, d.howToWrapWidth);
        // Every character must be drawable by the font that shows it.
        for (const auto& group : {messageLines, licenseLines, howToLines})
        {
            for (const std::string& line : group)
            {
                const std::u32string text = ToU32(line);
                if (!smallFont->Covers(text) || !mainFont->Covers(text))
                {
                    error = "a " + language + " text has a character without glyph: " + line;
                    return false;
                }
            }
        }
        // Every text must fit the place the game gives it.
        const TTextRoom_s room;
        if (!CheckMessagesFit(messageLines, *mainFont, *smallFont, room, "msg_" + language,
                              error) ||
            !CheckTrickTextsFit(messageLines, *mainFont, *smallFont, room, "msg_" + language,
                                error) ||
            !CheckViewerFit(licenseLines, *smallFont, room.licenceLine, "licenses_" + language,
                            error) ||
            !CheckViewerFit(howToLines, *smallFont, room.howToLine, "howtoplay_" + language, error))
        {
            return false;
        }
        auto bytes = [](const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); };
        Add("msg_" + language, bytes(JoinCrLf(messageLines)));
        Add("licenses_" + language, bytes(JoinCrLf(licenseLines)));
        Add("howtoplay_" + language, bytes(JoinCrLf(howToLines)));
    }
    return true;
}

bool PackBuilder::BuildPictures(std::string& error)
{
    const TPackDesign_s& d = Design();
    const char* cloudNames[3] = {"cloud01", "cloud02", "cloud03"};
    for (int i = 0; i < 3; ++i)
    {
        TImage_s cloud = PaintCloud(d.cloudWidth, d.cloudHeight, (uint32_t)(i + 1));
        TImage_s low = Downsample(cloud, d.cloudWidth / 2, d.cloudHeight / 2);
        Add(cloudNames[i], EncodeTGA(cloud, true, true));
        Add(std::string(cloudNames[i]) + "_low", EncodeTGA(low, true, true));
        pictures.push_back({cloudNames[i], low});
    }
    TImage_s star = PaintStar(d.starSize);
    Add("texture_star_01", EncodeTGA(star, true, true));
    pictures.push_back({"texture_star_01", star});

    const struct
    {
        const char* name;
        int color;
    } skins[3] = {{"blue", 0x2F66C4}, {"green", 0x2E8B45}, {"red", 0xBE3434}};
    const char* faces[3] = {"passive", "active", "pushed"};
    for (const auto& skin : skins)
    {
        for (int f = 0; f < 3; ++f)
        {
            TImage_s button =
                PaintButton(Rgb(skin.color), (TButtonFace)f, d.buttonWidth, d.buttonHeight);
            std::string name = std::string("button_") + skin.name + "_" + faces[f];
            Add(name, EncodeTGA(button, true, true));
            pictures.push_back({name, button});
        }
    }

    FontFace titleFont;
    if (!titleFont.Open(fonts + "/DejaVuSerif-Bold.ttf"))
    {
        error = "cannot open " + fonts + "/DejaVuSerif-Bold.ttf";
        return false;
    }
    TImage_s logo = PaintLogo(titleFont, d.logoWidth, d.logoHeight);
    TImage_s logoLow = Downsample(logo, d.logoWidth / 2, d.logoHeight / 2);
    Add("vossa_logo", EncodeTGA(logo, true, true));
    Add("vossa_logo_low", EncodeTGA(logoLow, true, true));
    pictures.insert(pictures.begin(), {"vossa_logo", logo});
    return true;
}

bool PackBuilder::BuildSounds(std::string& error)
{
    const TPackDesign_s& d = Design();
    std::string scoreText;
    TScore_s score;
    if (!ReadText(assets + "/music/score.txt", scoreText))
    {
        error = "cannot read " + assets + "/music/score.txt";
        return false;
    }
    if (!ParseScore(scoreText, score, error))
    {
        return false;
    }
    std::vector<uint8_t> music, chime;
    // The two encodings are independent: one on a worker, one here.
    ParallelFor(2, threadCount,
                [&](int i, int)
                {
                    if (i == 0)
                    {
                        music = EncodeVorbis(RenderMusic(score, d.musicRate), 2, d.musicRate,
                                             d.musicQuality, true);
                    }
                    else
                    {
                        chime =
                            EncodeVorbis(RenderChime(d.musicRate), 2, d.musicRate, d.chimeQuality);
                    }
                });
    if (music.empty() || chime.empty())
    {
        error = "Vorbis encoding failed";
        return false;
    }
    Add("bkgsnd03", std::move(music));
    Add("choicesnd02", std::move(chime));
    return true;
}

void PackBuilder::CrunchAll()
{
    // Largest first, so the two workers finish together.
    std::vector<size_t> order(entries.size());
    for (size_t i = 0; i < order.size(); ++i)
    {
        order[i] = i;
    }
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b)
                     { return entries[a].content.size() > entries[b].content.size(); });
    ParallelFor((int)order.size(), threadCount,
                [&](int k, int)
                {
                    TPackEntry_s& e = entries[order[k]];
                    krMemoryBlock view{e.content.data(), e.content.size()};
                    krMemoryBlock* crunched = krCrunchMemoryBlock(&view);
                    if (crunched)
                    {
                        e.crunched.assign(crunched->data, crunched->data + crunched->size);
                        krFreeMemoryBlock(crunched);
                    }
                });
}

bool PackBuilder::WriteArchive(const std::string& path, std::string& error) const
{
    krResource archive;
    for (const TPackEntry_s& e : entries)
    {
        krMemoryBlock view{const_cast<uint8_t*>(e.crunched.data()), e.crunched.size()};
        archive.Append(&view, e.name.c_str());
    }
    if (!archive.WriteToFile(path.c_str()))
    {
        error = "cannot write " + path;
        return false;
    }
    return true;
}

bool PackBuilder::WritePreviews(const std::string& dir, std::string& error) const
{
    TPackPreview_s preview{cardPreviews, backPreview, pictures, mainFont.get(), smallFont.get()};
    return WritePackPreviews(dir, preview, error);
}
