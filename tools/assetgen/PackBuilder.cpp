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
#include "PngWriter.h"
#include "SkyPainter.h"
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

// Runs job(i) for i in 0..count-1 on `threads` threads; each i is taken exactly once.
void ParallelFor(int count, int threads, const std::function<void(int)>& job)
{
    std::atomic<int> next{0};
    auto worker = [&]()
    {
        for (int i = next++; i < count; i = next++)
        {
            job(i);
        }
    };
    std::vector<std::thread> pool;
    for (int t = 1; t < std::max(threads, 1); ++t)
    {
        pool.emplace_back(worker);
    }
    worker();
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
    if (deck.size() != 21)
    {
        error = "cards.txt must list 21 cards, it lists " + std::to_string(deck.size());
        return false;
    }
    return true;
}

// Alpha-blends `src` onto `dst` with its top-left corner at (x, y).
void Blit(TImage_s& dst, const TImage_s& src, int x, int y)
{
    for (int sy = 0; sy < src.height; ++sy)
    {
        int dy = y + sy;
        if (dy < 0 || dy >= dst.height)
        {
            continue;
        }
        for (int sx = 0; sx < src.width; ++sx)
        {
            int dx = x + sx;
            if (dx < 0 || dx >= dst.width)
            {
                continue;
            }
            const uint8_t* s = &src.rgba[((size_t)sy * src.width + sx) * 4];
            uint8_t* d = &dst.rgba[((size_t)dy * dst.width + dx) * 4];
            float a = s[3] / 255.0f;
            for (int c = 0; c < 3; ++c)
            {
                d[c] = (uint8_t)std::lround(s[c] * a + d[c] * (1 - a));
            }
            d[3] = (uint8_t)std::max<int>(d[3], s[3]);
        }
    }
}

TImage_s Solid(int w, int h, int r, int g, int b)
{
    TImage_s img;
    img.width = w;
    img.height = h;
    img.rgba.resize((size_t)w * h * 4);
    for (size_t i = 0; i < (size_t)w * h; ++i)
    {
        img.rgba[i * 4] = (uint8_t)r;
        img.rgba[i * 4 + 1] = (uint8_t)g;
        img.rgba[i * 4 + 2] = (uint8_t)b;
        img.rgba[i * 4 + 3] = 255;
    }
    return img;
}

// Draws `text` with the glyph bitmaps of `font` (as the game does) at pen (x, baseline).
void DrawText(TImage_s& dst, const GlyphBlock& font, const std::u32string& text, int x,
              int baseline, int r, int g, int b)
{
    for (char32_t c : text)
    {
        if (c >= font.Glyphs().size())
        {
            continue;
        }
        const TGlyphBitmap_s& gl = font.Glyphs()[c];
        TImage_s glyph;
        glyph.width = gl.width;
        glyph.height = gl.height;
        glyph.rgba.resize((size_t)gl.width * gl.height * 4);
        for (size_t i = 0; i < gl.coverage.size(); ++i)
        {
            glyph.rgba[i * 4] = (uint8_t)r;
            glyph.rgba[i * 4 + 1] = (uint8_t)g;
            glyph.rgba[i * 4 + 2] = (uint8_t)b;
            glyph.rgba[i * 4 + 3] = gl.coverage[i];
        }
        Blit(dst, glyph, x + gl.bearingX, baseline - gl.bearingY);
        x += gl.advance;
    }
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
    const Canvas back = painter.PaintBack(d.cardHalf, d.cardHalf);
    TImage_s backImage = back.ToImage();
    backPreview = Downsample(backImage, 126, 176);

    std::vector<std::vector<uint8_t>> high(21), low(21);
    std::vector<TImage_s> previews(21);
    // FreeType faces are not shared between threads: each worker opens its own.
    std::vector<FontFace> faces(std::max(threadCount, 1));
    std::vector<std::atomic<int>> busy(faces.size());
    for (FontFace& f : faces)
    {
        f.Open(fonts + "/DejaVuSerif-Bold.ttf");
    }
    ParallelFor(21, threadCount,
                [&](int i)
                {
                    size_t slot = 0;
                    for (;; slot = (slot + 1) % faces.size())
                    {
                        int expected = 0;
                        if (busy[slot].compare_exchange_strong(expected, 1))
                        {
                            break;
                        }
                    }
                    CardPainter cardPainter(faces[slot]);
                    Canvas face = cardPainter.PaintFace(deck[i], d.cardHalf, d.cardHalf);
                    busy[slot] = 0;
                    TImage_s faceImage = face.ToImage();
                    TImage_s texture;
                    texture.width = d.cardHalf * 2;
                    texture.height = d.cardHalf;
                    texture.rgba.resize((size_t)texture.width * texture.height * 4);
                    for (int y = 0; y < d.cardHalf; ++y)
                    {
                        uint8_t* row = &texture.rgba[(size_t)y * texture.width * 4];
                        std::copy(&faceImage.rgba[(size_t)y * d.cardHalf * 4],
                                  &faceImage.rgba[(size_t)(y + 1) * d.cardHalf * 4], row);
                        std::copy(&backImage.rgba[(size_t)y * d.cardHalf * 4],
                                  &backImage.rgba[(size_t)(y + 1) * d.cardHalf * 4],
                                  row + (size_t)d.cardHalf * 4);
                    }
                    high[i] = EncodeTGA(texture, false, true);
                    TImage_s small = Downsample(texture, d.cardHalfLow * 2, d.cardHalfLow);
                    low[i] = EncodeTGA(small, false, true);
                    previews[i] = Downsample(faceImage, 126, 176);
                });
    for (int i = 0; i < 21; ++i)
    {
        Add("texture_" + std::to_string(i), std::move(high[i]));
        Add("texture_" + std::to_string(i) + "_low", std::move(low[i]));
        cardPreviews.push_back({"texture_" + std::to_string(i), std::move(previews[i])});
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

    for (const char* language : {"english", "polski"})
    {
        const std::string dir = assets + "/texts/";
        std::string messages, licenses, howTo;
        if (!ReadText(dir + "msg_" + language + ".txt", messages) ||
            !ReadText(dir + "licenses_" + language + ".txt", licenses) ||
            !ReadText(dir + "howtoplay_" + language + ".txt", howTo))
        {
            error = std::string("cannot read the texts of ") + language + " in " + dir;
            return false;
        }
        const std::vector<std::string> messageLines = SplitLines(messages);
        if (messageLines.size() < 22)
        {
            error = std::string("msg_") + language + " has fewer than 22 lines";
            return false;
        }
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
                    error = std::string("a ") + language +
                            " text has a character without glyph: " + line;
                    return false;
                }
            }
        }
        // Button captions must fit the 128-pixel buttons.
        for (int index : {1, 2, 3, 7, 8, 9, 13, 14, 15, 16})
        {
            int width = mainFont->Width(ToU32(messageLines[index]));
            if (width > 120)
            {
                error = std::string("msg_") + language + " line " + std::to_string(index) +
                        " is too wide for a button (" + std::to_string(width) + " px)";
                return false;
            }
        }
        auto bytes = [](const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); };
        Add(std::string("msg_") + language, bytes(JoinCrLf(messageLines)));
        Add(std::string("licenses_") + language, bytes(JoinCrLf(licenseLines)));
        Add(std::string("howtoplay_") + language, bytes(JoinCrLf(howToLines)));
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
                [&](int i)
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
                [&](int k)
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
    // Contact sheet over the game's default backdrop (blue above, orange below): the 21 card
    // faces and the back, the logo, the clouds, the star, the buttons with captions drawn as
    // the game draws them, and both fonts.
    const int sheetW = 1448, sheetH = 800;
    TImage_s sheet = Solid(sheetW, sheetH, 0, 0, 0);
    for (int y = 0; y < sheetH; ++y)
    {
        float t = (float)y / (sheetH - 1);
        int r = (int)std::lround((0.0849f + (0.8891f - 0.0849f) * t) * 255);
        int g = (int)std::lround((0.4049f + (0.6295f - 0.4049f) * t) * 255);
        int b = (int)std::lround((0.7286f + (0.1346f - 0.7286f) * t) * 255);
        for (int x = 0; x < sheetW; ++x)
        {
            uint8_t* p = &sheet.rgba[((size_t)y * sheetW + x) * 4];
            p[0] = (uint8_t)r;
            p[1] = (uint8_t)g;
            p[2] = (uint8_t)b;
        }
    }
    for (size_t i = 0; i < cardPreviews.size(); ++i)
    {
        Blit(sheet, cardPreviews[i].second, 20 + (int)(i % 11) * 130, 20 + (int)(i / 11) * 190);
    }
    Blit(sheet, backPreview, 20 + 10 * 130, 20 + 190);
    int cloud = 0, button = 0;
    for (const auto& pic : pictures)
    {
        const TImage_s& img = pic.second;
        if (pic.first == "vossa_logo")
        {
            Blit(sheet, img, 20, 405);
        }
        else if (pic.first.rfind("cloud", 0) == 0)
        {
            Blit(sheet, img, 560 + cloud++ * 290, 405);
        }
        else if (pic.first == "texture_star_01")
        {
            Blit(sheet, img, 580, 550);
        }
        else if (pic.first.rfind("button_", 0) == 0)
        {
            Blit(sheet, img, 760 + (button % 3) * 150, 555 + (button / 3) * 44);
            ++button;
        }
    }
    // Captions on the buttons, as the game draws them (black shadow, white text).
    const char* captions[3] = {"Ustawienia", "Jak grać", "Zakończ"};
    for (int i = 0; i < 9; ++i)
    {
        const std::u32string text = ToU32(captions[i / 3]);
        int bx = 760 + (i % 3) * 150, by = 555 + (i / 3) * 44;
        int tw = mainFont->Width(text), fh = mainFont->GameFontHeight();
        int tx = bx + (128 - tw) / 2, ty = by + (int)(fh - 2 + (32 - fh) * 0.5f);
        DrawText(sheet, *mainFont, text, tx + 1, ty + 1, 0, 0, 0);
        DrawText(sheet, *mainFont, text, tx, ty, 255, 255, 255);
    }
    TImage_s panel = Solid(sheetW - 40, 110, 255, 255, 255);
    for (size_t i = 3; i < panel.rgba.size(); i += 4)
    {
        panel.rgba[i] = 204; // the game's panels: white at 0.8
    }
    Blit(sheet, panel, 20, 680);
    const char* sample = "Zażółć gęślą jaźń. Pchnąć w tę łódź jeża lub ośm skrzyń fig. "
                         "The quick brown fox jumps over the lazy dog. 0123456789";
    DrawText(sheet, *mainFont, ToU32(std::string("arial: ") + sample), 30, 710, 10, 10, 64);
    DrawText(sheet, *smallFont, ToU32(std::string("ss10: ") + sample), 30, 740, 0, 0, 0);
    DrawText(sheet, *smallFont, ToU32("ĄĆĘŁŃÓŚŹŻ ąćęłńóśźż"), 30, 765, 0, 0, 0);
    if (!WritePNG(dir + "/pack-contact-sheet.png", sheet))
    {
        error = "cannot write previews into " + dir;
        return false;
    }

    // Glyph sheets.
    const std::pair<const char*, const GlyphBlock*> fontsToShow[2] = {{"arial", mainFont.get()},
                                                                      {"ss10", smallFont.get()}};
    for (const auto& f : fontsToShow)
    {
        const GlyphBlock& font = *f.second;
        const int cell = font.PixelSize() * 2, cols = 32;
        const int rows = (int)((font.Glyphs().size() - 0x20 + cols - 1) / cols);
        TImage_s page = Solid(cols * cell + 20, rows * cell + 120, 255, 255, 255);
        for (size_t code = 0x20; code < font.Glyphs().size(); ++code)
        {
            int k = (int)(code - 0x20);
            DrawText(page, font, std::u32string(1, (char32_t)code), 10 + (k % cols) * cell,
                     10 + (k / cols) * cell + font.PixelSize(), 20, 20, 40);
        }
        int base = rows * cell + 10 + font.PixelSize();
        DrawText(page, font, ToU32("Zażółć gęślą jaźń. Pchnąć w tę łódź jeża lub ośm skrzyń fig."),
                 10, base, 20, 20, 40);
        DrawText(page, font,
                 ToU32("ZAŻÓŁĆ GĘŚLĄ JAŹŃ. The quick brown fox jumps over the lazy dog."), 10,
                 base + font.PixelSize() * 2, 20, 20, 40);
        DrawText(page, font, ToU32("Ą Ć Ę Ł Ń Ó Ś Ź Ż  ą ć ę ł ń ó ś ź ż  0123456789 ?!.,;:"), 10,
                 base + font.PixelSize() * 4, 20, 20, 40);
        if (!WritePNG(dir + "/pack-font-" + f.first + ".png", page))
        {
            error = "cannot write previews into " + dir;
            return false;
        }
    }
    return true;
}
