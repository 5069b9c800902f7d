// vossaGame: the program. A subclass of the engine's application shell that loads every
// asset from the archive "vossadata.bin", owns the cards, the scenery, the fonts, the texts,
// the sounds and the button skins, and runs the twenty-one-card trick as a state machine over
// TGameState. Each update step (OnUpdate, 60 a second) advances the current state by one step
// and drifts the clouds; Render only draws, placing what moves between its last two update
// states. Clicks, key releases and GUI clicks change the state.
//
// The class is written in several files by concern: vossaGame.cpp (construction, start-up,
// drawing, shutdown), vossaGameInput.cpp (state changes and input), vossaGameTrick.cpp (the
// card trick), vossaGameSettings.cpp (the settings file), vossaGameScreens.cpp (screens and
// texts), vossaGameScenery.cpp (backdrop, clouds, stars and light), vossaGameKeyboard.cpp and
// vossaGameGamepad.cpp (the keys and pad buttons that stand in for clicks).
//
// Ownership: everything built in OnAfterInit is owned here and released in OnBeforeClose; the
// GUI manager owns the controls, so gameHowToText and gameHowToPanel are borrowed.
#pragma once

#include <cstdint>

#include "app/krSDLWrapper.h"
#include "render/krPoseBlend.h"
#include "vossaCameraFlight.h"
#include "vossaCardLayout.h"
#include "vossaGameState.h"
#include "vossaGamepad.h"
#include "vossaKeyboard.h"
#include "vossaMessageLines.h"
#include "vossaMotion.h"
#include "vossaNumberEntry.h"
#include "vossaReplay.h"
#include "vossaScenery.h"
#include "vossaSettingSwitch.h"
#include "vossaSettings.h"
#include "vossaTrick.h"

class krFont;
class krGeometry;
class krGUIButtonStates;
class krGUIObject;
class krGUIPanel;
class krGUITextScroll;
class krMusic;
class krResource;
class krSampler;
class krString;
class krStringArray;
class krVertexArray;
struct krMemoryBlock;

// The archive every asset is read from, in the working directory.
extern const char* const kDataFileName;
// The home camera pose to which the camera flights return: position and angles (degrees).
extern const float kHomeCamPosition[3];
extern const float kHomeCamAngle[3];

// The IDs of the screens' controls.
enum TControlID : uint32_t
{
    ciNone = 0,          // labels, sub-panels, tickers, the strip's panel
    ciStart = 100,       // start button, also the intro logo
    ciQuit = 101,        // quit button
    ciAbout = 102,       // about button
    ciDialog = 103,      // dialog panel
    ciClose = 104,       // close button of a dialog
    ciHowTo = 105,       // how-to button
    ciSettings = 106,    // settings button
    ciLanguage = 107,    // language button
    ciQuality = 108,     // quality button
    ciTextViewer = 109,  // text viewer
    ciMusic = 110,       // music button
    ciStrip = 111,       // instruction strip ticker
    ciStripSwitch = 112, // strip button
    ciTrick = 120,       // trick button: 21 or 27 cards
    ciSuits = 121,       // suits button: two or four colours
    ciMotion = 122,      // motion button: full or reduced
    ciCount = 130,       // the count of the count-out
    ciNumberDown = 131,  // the number question: one less
    ciNumberUp = 132,    // the number question: one more
    ciNumberOk = 133,    // the number question: confirm
    ciNumberShown = 134, // the number question: the number typed
    ciReplay = 135,      // "How did it work?" at the reveal
    ciReplayBack = 136,  // the replay: the step before
    ciReplayNext = 137,  // the replay: the next step
    ciReplayClose = 138, // the replay: back to the reveal
};

// The screen the GUI shows, so that a new window size can build it again.
enum TScreen : int32_t
{
    scNone = 0, // the game without the instruction strip
    scIntro,    // the intro menu
    scAbout,    // the about dialog
    scSettings, // the settings dialog
    scHowTo,    // the how-to dialog
    scStrip,    // the game with the instruction strip
    scNumber,   // the number question of the twenty-seven-card trick
    scReplay    // the replay's captions
};

class vossaGame : public krSDLWrapper
{
public:
    // Seeds the random generator, sets the home camera pose, computes the layouts and reads
    // the settings file; touches no SDL.
    vossaGame(int width, int height, bool fullScreen);
    ~vossaGame() override;

    void Render() override;
    void OnUpdate() override;
    void OnBeforeClose() override;
    bool OnAfterInit() override;
    void OnLMBUp(int x, int y) override;
    void OnMouseMotion(int x, int y, int dx, int dy) override;
    void OnKeyDown(unsigned key) override;
    void OnKeyUp(unsigned key) override;
    void OnDblClick() override;
    void OnLostFocus() override;
    void OnSetFocus() override;
    void OnGUIClick(krGUIObject* control) override;
    void OnScreenSizeChanged() override;
    void OnPadButtonDown(krPadButton button) override;
    void OnPadButtonUp(krPadButton button) override;

    // State machine (vossaGameInput.cpp). ChangeGameState leaves a moving state at the end of
    // its animation, or another state on a row click.
    void ChangeGameState();
    void OnBeforeRender();

    // The card trick (vossaGameTrick.cpp).
    void InitBoxes();
    void InitChoicePositions();
    void InitMindSelectPositions();
    void ChangeMindSelectPosition();
    void ChangeChoicePosition();
    void OnBeforeGoToMixer();
    void GoToMixer();
    void OnBeforeStacking();
    void Stacking();
    void Reposition(int row);
    void ReplaceBoxesBuffer();
    void OnBeforeGotoPresentation();
    void GotoPresentation();
    void Presentation();
    void OnBeforeGotoMindSelect();
    void GotoMindSelect();
    void GoToIntro();

    // The twenty-seven-card trick (vossaGameNumber.cpp): the trick the settings choose, taken
    // at the start of a game (the cards are built again when it changes); the number question;
    // the count-out of the pile to the number after the third answer.
    void ChooseTrick();
    void CreateNumberControls();
    void OnNumberClick(uint32_t id);
    // Digits, Backspace and Return on the number question; true when the key was taken.
    bool OnNumberKey(unsigned key);
    void OnBeforeCountOut();
    void CountOut();
    // The count shown during the count-out (hidden until the first card is counted).
    void AppendCountControls();
    // After a screen is built again: the controls of the trick's moment (the count, the
    // replay's button at the reveal).
    void AppendTrickControls();
    // Every card shows its face again (after the face-down count).
    void TurnCardsFaceUp();

    // The replay "How did it work?" (vossaGameReplay.cpp): its button at the reveal, opening
    // and closing it, its steps, its captions and its keys and clicks; the cards drawn with
    // the ones out of the question dimmed.
    void ShowReplayButton(bool show);
    void OpenReplay();
    void CloseReplay();
    void ReplayStep();
    void CreateReplayControls();
    void OnReplayControl(uint32_t id);
    // H at the reveal; Right, Return, Space and Left in the replay. True when taken.
    bool OnReplayKey(unsigned key);
    // A click in the replay, outside its controls, shows the next step.
    void OnReplayPointer(int x, int y);
    void DrawCards();
    // Caption line `line` of the step shown, its counts filled in.
    krString ReplayCaption(uint64_t line) const;

    // Settings file (vossaGameSettings.cpp).
    void ReadConfig();
    void WriteConfig();
    // Both volumes one step up (`steps` 1) or down (-1), in the record and the players.
    void ChangeVolumes(int32_t steps);
    // The switches of the settings' options byte (kOption* bits).
    bool HasOption(uint8_t option) const { return (settingsRecord.options & option) != 0; }
    void SetOption(uint8_t option, bool on);
    // How much the scene moves, as the motion switch says.
    TMotion_s Motion() const { return MotionFor(HasOption(kOptionReducedMotion)); }

    // Screens and texts (vossaGameScreens.cpp).
    void InitStrings(int32_t lang);
    void ChangeLang();
    const char* GetNextLanguageName() const;
    void CreateIntroControls();
    void CreateAboutControls();
    void CreateConfigControls();
    void CreateHowToControls();
    void CreateGameHowToControls();

    // Display size and GUI scale (vossaGameDisplay.cpp).
    // Fonts and button faces for the GUI manager's scale, when it changed since the last call.
    void UseAssetsForScale();
    // Clears the GUI and builds the screen that was shown, at the current size.
    void RebuildScreen();
    // The GUI's size in its units (the window's size in pixels before Init).
    int32_t GUIWidth() const;
    int32_t GUIHeight() const;
    TScreen GetShownScreen() const { return shownScreen; }
    // Keys that stand in for clicks (vossaGameKeyboard.cpp).
    void OnCommandKey(unsigned key);
    // Does what a key's plan says (the pad's buttons use it too).
    void RunKeyPlan(const TKeyPlan_s& plan);
    // Escape: back to the intro menu (flying from the trick), or on the menu the end.
    void GoBack();

    // Gamepad (vossaGameGamepad.cpp). One update step of a held shoulder button.
    void StepPad();
    // The highlight over the row the pad points at, while the cards lie in rows and the pad is
    // in use; drawing only.
    void DrawRowHighlight() const;

    // Scenery (vossaGameScenery.cpp).
    void InitSkyBox();
    void InitClouds();
    void InitLight();
    void InitStarSphere();
    void InitStarLine();
    void UpdateStarLine();
    void ChangeBackground();
    void RenderSkyBox();
    // Whether the backdrop, drawn under the current matrices, hides the whole screen.
    bool BackdropCoversScreen() const;
    // One update step of the clouds: each drifts left, or re-enters on the right.
    void DriftClouds();
    void RenderStars();
    void RenderDebug();

protected:
    // The one way the game changes state: the transition table's target for `trigger`, with
    // its entry actions. False (nothing done) when the trigger changes nothing in this state.
    bool Transit(TTrigger trigger);
    // The work of entering `to` by a row click from `from`.
    void EnterByRowClick(TGameState from, TGameState to);

    // Records the poses of everything that moves (cards, stars, clouds, camera) before an
    // update step.
    void CaptureMotion();
    // Places everything that moves `fraction` of the way from its pose before the last update
    // step to its present one, for drawing; EndBlend puts the present poses back.
    void BeginBlend(float fraction);
    void EndBlend();

    // Deletes everything the game owns (each only if present) after clearing the GUI.
    void ReleaseAssets();
    // The archive entry `name`, or null when there is no archive or no such entry (borrowed).
    krMemoryBlock* Asset(const char* name) const;
    // Line `index` of the current messages, or an empty text when there is no such line.
    const krString& Message(uint64_t index) const;
    // Gives the instruction strip line `index` of the messages (no effect without a strip).
    void SetStripText(uint64_t index);
    // The entry `name` made for the GUI scale: for a font only one made for exactly that
    // scale (`exact`; null when the pack has none), for a picture the smallest one made for
    // that scale or more, else the largest, else the design's entry.
    krMemoryBlock* ScaledAsset(const char* name, bool exact) const;
    // True (once) when OnKeyUp(key) only repeats the press just given to OnKeyDown.
    bool TakeKeyEcho(unsigned key);
    // The control with `id` among the manager's top-level controls, or null.
    krGUIObject* TopControl(uint32_t id) const;
    // Plays the choice sound when there is a sampler.
    void PlayChoiceSound();
    // positions.current[i] = where the card in slot i is drawn now, so that every flight starts
    // from what the player sees.
    void TakePositionsFromCards();
    // Prepares the flight back to the intro view from wherever camera and cards are.
    void StartReturnFlight();
    // The card in the reveal slot, or null.
    krVertexArray* RevealedCard() const;
    // Fills the backdrop array with its rectangle and the current colours and uploads it.
    void BuildSkyBox();
    // The aspect ratio the camera flights are computed for.
    float FlightAspect() const;
    // One step of the camera flight under way (none once it has arrived).
    void StepCameraFlight();

    krGeometry* cards; // owned, with its boxes
    vossaTrick trick;  // the trick's state: order, positions, step counters, the game state
    krVertexArray* skyBox;
    krGeometry* stars;
    krGeometry* clouds;
    krFont* mainFont;
    krFont* smallFont;
    krResource* resource;
    int32_t selectedRow;
    bool cornerClicked;
    // The settings live in the player's settings record alone; these name its fields.
    TSettings& settingsRecord;
    int32_t& language;
    vossaSettingSwitch highQuality;
    vossaSettingSwitch musicOn;
    int32_t textScrollSpeed;
    vossaSettingSwitch showGameHowTo;
    vossaCameraFlight cameraFlight; // the one camera flight: to the circle, rows, reveal, home
    float presentedScaleStep;
    float presentedScale;
    float presentedAngle[3];
    float starPositions[kStarCount][3];
    float starSpins[kStarCount];
    bool starsVisible;
    float starLineY;
    int32_t starLineFrame;
    float starAlpha;
    int32_t starSphereFrame;
    vossaStarLine starLine;
    krMusic* music;
    krSampler* sampler;
    krStringArray* messages;
    krStringArray* licenses;
    krStringArray* howToPlay;
    krGUIButtonStates* blueButtonStates;
    krGUIButtonStates* greenButtonStates;
    krGUIButtonStates* redButtonStates;
    krGUITextScroll* gameHowToText; // borrowed from the GUI manager
    krGUIPanel* gameHowToPanel;     // borrowed from the GUI manager
    TScreen shownScreen;
    vossaNumberEntry numberEntry;    // the number being named
    vossaReplay replay;              // the replay of the game just played
    float replayCamPosition[3] = {}; // the reveal's camera, kept while the replay shows
    float replayCamAngle[3] = {};
    uint64_t stripLine;   // the message line the instruction strip shows or fades to
    float assetScale;     // the GUI scale the fonts and button faces were chosen for; 0: none
    unsigned keyEcho = 0; // the key whose press OnKeyUp will see once more
    unsigned altKey = 0;  // the key last pressed while Alt was held

    bool padInUse = false;    // a pad button was pressed since the pointer last moved
    int32_t padRow = 2;       // the row the pad's highlight is on: 1 top, 2 middle, 3 bottom
    vossaPadRepeat padVolume; // a shoulder button held
    krPoseBlend cardBlend{kJumpDistance, kJumpAngle};
    krPoseBlend starBlend{kJumpDistance, kJumpAngle};
    krPoseBlend cloudBlend{kJumpDistance, kJumpAngle};
    TPose_s cameraBefore = {};      // the camera before the last update step
    bool cameraCaptured = false;    // cameraBefore holds a pose
    float drawnCamPosition[3] = {}; // the camera pose of the frame being drawn
    float drawnCamAngle[3] = {};

    // Farther in one step than anything moves in the game: a jump, drawn where it lands.
    static constexpr float kJumpDistance = 4.0f;
    static constexpr float kJumpAngle = 20.0f;
};
