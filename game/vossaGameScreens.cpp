// vossaGame, screens and texts: the texts of the current language, the intro menu, the
// about, settings and how-to dialogs, the instruction strip, and the reactions to clicks on
// their controls.
#include <SDL.h>
#include <cstdio>

#include "audio/krMusic.h"
#include "data/krResource.h"
#include "data/krString.h"
#include "data/krStringArray.h"
#include "gui/krGUIButton.h"
#include "gui/krGUILabel.h"
#include "gui/krGUIManager.h"
#include "gui/krGUIPanel.h"
#include "gui/krGUIPicture.h"
#include "gui/krGUITextScroll.h"
#include "gui/krGUITextViewer.h"
#include "render/krGeometry.h"
#include "vossaGame.h"
#include "vossaLanguage.h"
#include "vossaMessageLines.h"
#include "vossaScreenLayout.h"

namespace
{
// The version shown on the about dialog: the project's, the same as the package's.
const wchar_t kVersion[] = L"" VOSSA_VERSION;
const float kTickerColor[4] = {0.04f, 0.04f, 0.25f, 1.0f};

krGIULabel* BlackLabel(krFont* font, int32_t x, int32_t y, const krString& text)
{
    krGIULabel* label = krGIULabel::Create(ciNone, font, x, y, text);
    label->SetColor(0.0f, 0.0f, 0.0f, 1.0f);
    return label;
}

krGUIPanel* WhitePanel(uint32_t id, const TRect_s& r)
{
    krGUIPanel* panel = krGUIPanel::Create(id, r.x, r.y, r.w, r.h);
    panel->SetBackgroundColor(1.0f, 1.0f, 1.0f, 0.8f);
    return panel;
}
} // namespace

const krString& vossaGame::Message(uint64_t index) const
{
    static const krString empty;
    if (messages == nullptr || index >= messages->GetLinesCounf())
    {
        return empty;
    }
    const krString* line = messages->GetLine(index);
    return line != nullptr ? *line : empty;
}

void vossaGame::InitStrings(int32_t lang)
{
    delete messages;
    delete licenses;
    delete howToPlay;
    messages = licenses = howToPlay = nullptr;
    const char* suffix = LanguageSuffix(lang);
    const char* patterns[3] = {"msg_%s", "licenses_%s", "howtoplay_%s"};
    krStringArray** targets[3] = {&messages, &licenses, &howToPlay};
    char name[512];
    for (int i = 0; i < 3; ++i)
    {
        std::snprintf(name, sizeof(name), patterns[i], suffix);
        *targets[i] = new krStringArray();
        if (krMemoryBlock* block = Asset(name))
        {
            (*targets[i])->LoadFromCrunchedMemoryBlock(block);
        }
    }
}

void vossaGame::ChangeLang()
{
    language = NextLanguage(language);
    InitStrings(language);
}

const char* vossaGame::GetNextLanguageName() const
{
    return LanguageName(NextLanguage(language));
}

void vossaGame::CreateIntroControls()
{
    krGUIManager* gui = GetGUIManager();
    if (gui == nullptr)
    {
        return;
    }
    shownScreen = scIntro;
    const TIntroLayout_s l = IntroLayout(GUIWidth(), GUIHeight());
    gui->AppendControl(krGUIPicture::Create(ciStart, l.logo.x, l.logo.y, l.logo.w, l.logo.h,
                                            highQuality ? ScaledAsset("vossa_logo", false)
                                                        : Asset("vossa_logo_low")));
    krGUITextScroll* ticker =
        krGUITextScroll::Create(ciNone, mainFont, l.ticker.x, l.ticker.y, l.ticker.w, Message(0));
    ticker->SetColor(kTickerColor[0], kTickerColor[1], kTickerColor[2], kTickerColor[3]);
    ticker->SetVx(textScrollSpeed);
    ticker->SetScrolling(Motion().tickerScrolls);
    gui->AppendControl(ticker);

    struct
    {
        uint32_t id;
        krGUIButtonStates* skin;
        const TRect_s* rect;
        uint64_t line;
    } const buttons[] = {
        {ciStart, greenButtonStates, &l.start, 1},      {ciQuit, redButtonStates, &l.quit, 2},
        {ciAbout, blueButtonStates, &l.about, 3},       {ciHowTo, blueButtonStates, &l.howTo, 8},
        {ciSettings, blueButtonStates, &l.settings, 9},
    };
    for (const auto& b : buttons)
    {
        gui->AppendControl(krGUIButton::Create(b.id, mainFont, b.skin, b.rect->x, b.rect->y,
                                               b.rect->w, b.rect->h, Message(b.line)));
    }
}

void vossaGame::CreateAboutControls()
{
    krGUIManager* gui = GetGUIManager();
    if (gui == nullptr)
    {
        return;
    }
    shownScreen = scAbout;
    const TRect_s r = AboutPanel(GUIWidth(), GUIHeight());
    krGUIPanel* panel = WhitePanel(ciDialog, r);
    gui->AppendControl(panel);
    panel->AppendChild(BlackLabel(smallFont, 10, 10, Message(3)));

    krString line;
    line = Message(5);
    line += L", ";
    line += Message(4);
    line += kVersion;
    line += L", ";
    line += Message(10);
    const krString platform(SDL_GetPlatform());
    line += platform;
    panel->AppendChild(BlackLabel(smallFont, 10, 26, line));
    panel->AppendChild(BlackLabel(smallFont, 10, 42, Message(6)));

    krGUITextViewer* viewer =
        krGUITextViewer::Create(ciTextViewer, licenses, smallFont, 10, 70, 600, 200);
    viewer->SetColor(0.0f, 0.0f, 0.0f, 1.0f);
    panel->AppendChild(viewer);
    const TRect_s close = CloseButton(r.w, r.h);
    panel->AppendChild(krGUIButton::Create(ciClose, mainFont, blueButtonStates, close.x, close.y,
                                           close.w, close.h, Message(7)));
}

void vossaGame::CreateConfigControls()
{
    krGUIManager* gui = GetGUIManager();
    if (gui == nullptr)
    {
        return;
    }
    shownScreen = scSettings;
    const TRect_s r = ConfigPanel(GUIWidth(), GUIHeight());
    krGUIPanel* panel = WhitePanel(ciDialog, r);
    gui->AppendControl(panel);
    panel->AppendChild(BlackLabel(smallFont, 10, 10, Message(9)));

    const krString languageCaption(GetNextLanguageName());
    struct
    {
        uint64_t label;
        uint32_t id;
        const krString* caption;
    } const rows[] = {
        {11, ciLanguage, &languageCaption},
        {12, ciQuality, &Message(highQuality ? 14 : 13)},
        {17, ciMusic, &Message(musicOn ? 16 : 15)},
        {21, ciStripSwitch, &Message(showGameHowTo ? 16 : 15)},
        {mlTrickLabel, ciTrick, &Message(HasOption(kOptionTrick27) ? mlTrick27 : mlTrick21)},
        {mlSuitsLabel, ciSuits,
         &Message(HasOption(kOptionFourColours) ? mlSuitsFourColours : mlSuitsTwoColours)},
        {mlMotionLabel, ciMotion,
         &Message(HasOption(kOptionReducedMotion) ? mlMotionReduced : mlMotionFull)},
    };
    static_assert(sizeof(rows) / sizeof(rows[0]) == kConfigRowCount, "a row for every setting");
    for (int32_t i = 0; i < kConfigRowCount; ++i)
    {
        const int32_t y = ConfigRowY(i);
        panel->AppendChild(WhitePanel(ciNone, {10, y, 340, 42}));
        panel->AppendChild(BlackLabel(smallFont, 20, y + 16, Message(rows[i].label)));
        panel->AppendChild(krGUIButton::Create(rows[i].id, mainFont, blueButtonStates, 210, y + 6,
                                               kButtonWidth, kButtonHeight, *rows[i].caption));
    }
    const TRect_s close = CloseButton(r.w, r.h);
    panel->AppendChild(krGUIButton::Create(ciClose, mainFont, blueButtonStates, close.x, close.y,
                                           close.w, close.h, Message(7)));
}

void vossaGame::CreateHowToControls()
{
    krGUIManager* gui = GetGUIManager();
    if (gui == nullptr)
    {
        return;
    }
    shownScreen = scHowTo;
    const TRect_s r = HowToPanel(GUIWidth(), GUIHeight());
    krGUIPanel* panel = WhitePanel(ciDialog, r);
    gui->AppendControl(panel);
    panel->AppendChild(BlackLabel(smallFont, 10, 10, Message(8)));
    krGUITextViewer* viewer =
        krGUITextViewer::Create(ciTextViewer, howToPlay, smallFont, 10, 30, 590, 120);
    viewer->SetColor(0.0f, 0.0f, 0.0f, 1.0f);
    panel->AppendChild(viewer);
    const TRect_s close = CloseButton(r.w, r.h);
    panel->AppendChild(krGUIButton::Create(ciClose, mainFont, blueButtonStates, close.x, close.y,
                                           close.w, close.h, Message(7)));
}

void vossaGame::CreateGameHowToControls()
{
    krGUIManager* gui = GetGUIManager();
    if (gui == nullptr)
    {
        return;
    }
    shownScreen = scStrip;
    const TStripLayout_s l = StripLayout(GUIWidth());
    gameHowToPanel = WhitePanel(ciNone, l.panel);
    gui->AppendControl(gameHowToPanel);
    gameHowToText = krGUITextScroll::Create(ciStrip, mainFont, l.ticker.x, l.ticker.y, l.ticker.w,
                                            Message(stripLine));
    gameHowToText->SetColor(kTickerColor[0], kTickerColor[1], kTickerColor[2], kTickerColor[3]);
    gameHowToText->SetVx(textScrollSpeed);
    gameHowToText->SetScrolling(Motion().tickerScrolls);
    gui->AppendControl(gameHowToText);
}

void vossaGame::OnGUIClick(krGUIObject* control)
{
    krGUIManager* gui = GetGUIManager();
    if (gui == nullptr || control == nullptr)
    {
        return;
    }
    // Read before any screen change deletes the control.
    const uint32_t id = control->GetID();
    gui->Freeze();
    // Every screen change below starts from an empty manager.
    auto clear = [&]()
    {
        gui->Clear();
        gameHowToText = nullptr;
        gameHowToPanel = nullptr;
    };
    switch (id)
    {
        case ciStart:
            ChooseTrick();
            if (NextState(trick.State(), trStart, trick.dealCount, trick.Counted()) !=
                trick.State())
            {
                clear();
                shownScreen = scNone;
                stripLine = 18;
                if (trick.Counted())
                {
                    CreateNumberControls();
                }
                else if (showGameHowTo)
                {
                    CreateGameHowToControls();
                }
                Transit(trStart);
            }
            break;
        case ciQuit:
            EndMainLoop();
            break;
        case ciAbout:
            clear();
            CreateAboutControls();
            break;
        case ciClose:
            clear();
            CreateIntroControls();
            break;
        case ciHowTo:
            clear();
            CreateHowToControls();
            break;
        case ciSettings:
            clear();
            CreateConfigControls();
            break;
        case ciLanguage:
            ChangeLang();
            clear();
            CreateConfigControls();
            break;
        case ciQuality:
            highQuality = !highQuality;
            clear();
            InitBoxes();
            if (clouds != nullptr)
            {
                clouds->Clear(true);
            }
            InitClouds();
            CreateConfigControls();
            break;
        case ciMusic:
            if (music != nullptr)
            {
                if (musicOn)
                {
                    music->Pause();
                }
                else
                {
                    music->Play();
                }
            }
            musicOn = !musicOn;
            clear();
            CreateConfigControls();
            break;
        case ciStripSwitch:
            showGameHowTo = !showGameHowTo;
            clear();
            CreateConfigControls();
            break;
        case ciTrick:
        case ciSuits:
        case ciMotion:
        {
            const uint8_t option = id == ciTrick   ? kOptionTrick27
                                   : id == ciSuits ? kOptionFourColours
                                                   : kOptionReducedMotion;
            SetOption(option, !HasOption(option));
            clear();
            // The cards take their faces in the suits' colours at once, and the circle behind
            // the menu turns the new trick's deck.
            if (option == kOptionFourColours)
            {
                InitBoxes();
            }
            else if (option == kOptionTrick27)
            {
                ChooseTrick();
            }
            CreateConfigControls();
            break;
        }
        default:
            OnNumberClick(id);
            OnReplayControl(id);
            break;
    }
    gui->Thaw();
}
