// ScaledEntries: fonts, button faces and logos for the GUI's larger scales.
#include "ScaledEntries.h"

#include <cmath>

#include "ButtonPainter.h"
#include "Canvas.h"
#include "FontFace.h"
#include "GlyphBlock.h"
#include "LogoPainter.h"
#include "PackBuilder.h"
#include "TgaWriter.h"

const std::vector<float>& ScaledFontScales()
{
    static const std::vector<float> scales = {1.25f, 1.5f, 1.75f, 2.0f, 2.5f, 3.0f, 3.5f, 4.0f};
    return scales;
}

const std::vector<float>& ScaledPictureScales()
{
    static const std::vector<float> scales = {2.0f, 4.0f};
    return scales;
}

std::string ScaledEntryName(const std::string& name, float scale)
{
    return name + "@" + std::to_string(std::lround(scale * 100.0));
}

std::vector<std::string> ScaledEntryNames()
{
    std::vector<std::string> names;
    for (float scale : ScaledFontScales())
    {
        names.push_back(ScaledEntryName("arial", scale));
        names.push_back(ScaledEntryName("ss10", scale));
    }
    for (float scale : ScaledPictureScales())
    {
        for (const char* colour : {"blue", "green", "red"})
        {
            for (const char* face : {"passive", "active", "pushed"})
            {
                names.push_back(
                    ScaledEntryName(std::string("button_") + colour + "_" + face, scale));
            }
        }
        names.push_back(ScaledEntryName("vossa_logo", scale));
    }
    return names;
}

bool BuildScaledEntries(const TPackDesign_s& d, const std::string& fontsDir,
                        std::vector<TScaledEntry_s>& out, std::vector<std::string>& notes,
                        std::string& error)
{
    FontFace bold, regular, title;
    if (!bold.Open(fontsDir + "/DejaVuSans-Bold.ttf") ||
        !regular.Open(fontsDir + "/DejaVuSans.ttf") ||
        !title.Open(fontsDir + "/DejaVuSerif-Bold.ttf"))
    {
        error = "cannot open the DejaVu fonts in " + fontsDir;
        return false;
    }
    for (float scale : ScaledFontScales())
    {
        const int mainSize = int(std::lround(d.mainFontSize * scale));
        const int smallSize = int(std::lround(d.smallFontSize * scale));
        GlyphBlock mainFont(bold, mainSize, d.lastGlyph);
        GlyphBlock smallFont(regular, smallSize, d.lastGlyph);
        out.push_back({ScaledEntryName("arial", scale), mainFont.Serialize()});
        out.push_back({ScaledEntryName("ss10", scale), smallFont.Serialize()});
        notes.push_back("fonts at scale " + std::to_string(scale).substr(0, 4) + ": " +
                        std::to_string(mainSize) + " and " + std::to_string(smallSize) + " px");
    }

    const struct
    {
        const char* name;
        int color;
    } skins[3] = {{"blue", 0x2F66C4}, {"green", 0x2E8B45}, {"red", 0xBE3434}};
    const char* faces[3] = {"passive", "active", "pushed"};
    for (float scale : ScaledPictureScales())
    {
        const int bw = int(std::lround(d.buttonWidth * scale));
        const int bh = int(std::lround(d.buttonHeight * scale));
        for (const auto& skin : skins)
        {
            for (int f = 0; f < 3; ++f)
            {
                TImage_s button = PaintButton(Rgb(skin.color), (TButtonFace)f, bw, bh);
                out.push_back(
                    {ScaledEntryName(std::string("button_") + skin.name + "_" + faces[f], scale),
                     EncodeTGA(button, true, true)});
            }
        }
        TImage_s logo = PaintLogo(title, int(std::lround(d.logoWidth * scale)),
                                  int(std::lround(d.logoHeight * scale)));
        out.push_back({ScaledEntryName("vossa_logo", scale), EncodeTGA(logo, true, true)});
    }
    return true;
}
