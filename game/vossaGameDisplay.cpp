// vossaGame, display size and GUI scale: the fonts and button faces made for the screen's GUI
// scale, and the screen built again when the window's size or the display changes, so that
// the player stays where they were (the menu or dialog shown, a trick under way).
#include <string>

#include "data/krResource.h"
#include "gui/krGUIButton.h"
#include "gui/krGUIManager.h"
#include "gui/krGUIScale.h"
#include "render/krFont.h"
#include "vossaGame.h"

namespace
{
// The scales for which the pack may carry larger pictures (button faces, the logo), in
// ascending order.
const float kPictureScales[] = {2.0f, 3.0f, 4.0f};

// Loads the font `name` made for `scale` into `font` and sets its drawing scale so that it
// measures in GUI units; without such an entry the design's font, magnified. The font keeps
// its glyphs when the entry does not load.
void LoadFontForScale(krFont* font, krMemoryBlock* scaled, krMemoryBlock* design, float scale)
{
    if (font == nullptr)
    {
        return;
    }
    if (scaled != nullptr && font->LoadFromCrunchedMemoryBlock(scaled))
    {
        font->SetScale(1.0f / scale);
        return;
    }
    if (design != nullptr)
    {
        font->LoadFromCrunchedMemoryBlock(design);
    }
    font->SetScale(1.0f);
}
} // namespace

int32_t vossaGame::GUIWidth() const
{
    const krGUIManager* gui = GetGUIManager();
    return gui != nullptr ? gui->GetViewWidth() : GetWidth();
}

int32_t vossaGame::GUIHeight() const
{
    const krGUIManager* gui = GetGUIManager();
    return gui != nullptr ? gui->GetViewHeight() : GetHeight();
}

krMemoryBlock* vossaGame::ScaledAsset(const char* name, bool exact) const
{
    const krGUIManager* gui = GetGUIManager();
    const float scale = gui != nullptr ? gui->GetScale() : 1.0f;
    char entry[256];
    if (scale > 1.0f && exact)
    {
        return krScaledEntryName(entry, sizeof(entry), name, scale) ? Asset(entry) : nullptr;
    }
    krMemoryBlock* largest = nullptr;
    for (float made : kPictureScales)
    {
        if (scale <= 1.0f || !krScaledEntryName(entry, sizeof(entry), name, made))
        {
            break;
        }
        if (krMemoryBlock* block = Asset(entry))
        {
            largest = block;
            if (made >= scale)
            {
                return block;
            }
        }
    }
    return largest != nullptr ? largest : Asset(name);
}

void vossaGame::UseAssetsForScale()
{
    const krGUIManager* gui = GetGUIManager();
    const float scale = gui != nullptr ? gui->GetScale() : 1.0f;
    if (scale == assetScale)
    {
        return;
    }
    // At start-up the fonts are the design's already, right for scale 1.
    if (assetScale != 0.0f || scale != 1.0f)
    {
        LoadFontForScale(mainFont, scale > 1.0f ? ScaledAsset("arial", true) : nullptr,
                         Asset("arial"), scale);
        LoadFontForScale(smallFont, scale > 1.0f ? ScaledAsset("ss10", true) : nullptr,
                         Asset("ss10"), scale);
    }
    assetScale = scale;

    // The buttons borrow the skins: they are made anew only while no button exists.
    delete blueButtonStates;
    delete greenButtonStates;
    delete redButtonStates;
    auto skin = [&](const char* colour)
    {
        std::string base = std::string("button_") + colour + "_";
        return new krGUIButtonStates(ScaledAsset((base + "passive").c_str(), false),
                                     ScaledAsset((base + "active").c_str(), false),
                                     ScaledAsset((base + "pushed").c_str(), false));
    };
    blueButtonStates = skin("blue");
    greenButtonStates = skin("green");
    redButtonStates = skin("red");
}

void vossaGame::RebuildScreen()
{
    krGUIManager* gui = GetGUIManager();
    if (gui == nullptr)
    {
        return;
    }
    gui->Clear();
    gameHowToText = nullptr;
    gameHowToPanel = nullptr;
    UseAssetsForScale();
    switch (shownScreen)
    {
        case scIntro:
            CreateIntroControls();
            break;
        case scAbout:
            CreateAboutControls();
            break;
        case scSettings:
            CreateConfigControls();
            break;
        case scHowTo:
            CreateHowToControls();
            break;
        case scStrip:
            CreateGameHowToControls();
            break;
        case scNumber:
            CreateNumberControls();
            break;
        case scReplay:
            CreateReplayControls();
            break;
        case scNone:
        default:
            break;
    }
    AppendTrickControls();
}

void vossaGame::OnScreenSizeChanged()
{
    // Nothing is built before the archive is read.
    if (resource == nullptr || mainFont == nullptr)
    {
        return;
    }
    RebuildScreen();
}
