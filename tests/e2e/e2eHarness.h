// Harness of the end-to-end suite: a private virtual display per test, the real program started
// in a folder of its own, input injected with xdotool, whole-screen captures analysed in memory
// (and kept as artefacts), and a test archive whose 21 card pictures are solid colours that can
// be told apart on screen.
#pragma once

#include <gtest/gtest.h>
#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace e2e
{
using Clock = std::chrono::steady_clock;

// Every wait of the suite is multiplied by this (slower under the sanitizers).
double Slowness();

bool Shell(const std::string& command);
std::string Capture(const std::string& command);
void Pause(double seconds);

bool ReadFile(const std::string& path, std::vector<unsigned char>& out);
bool WriteFile(const std::string& path, const std::vector<unsigned char>& bytes);
bool FileExists(const std::string& path);
std::string TempFolder();
// Removes a folder tree made by the suite (restoring write permission first).
void RemoveFolder(const std::string& path);

struct TRgb_s
{
    int r = 0, g = 0, b = 0;
};

int Distance(const TRgb_s& a, const TRgb_s& b);

// One capture of the whole screen (1280 x 720 unless set otherwise before Grab).
struct TShot_s
{
    int width = 1280, height = 720;
    std::vector<uint8_t> rgb;
    bool Valid() const { return rgb.size() == size_t(width) * size_t(height) * 3; }
    TRgb_s At(int x, int y) const;
    // Mean colour of the (2r+1)^2 square around (x, y).
    TRgb_s Mean(int x, int y, int r) const;
};

// A virtual X server of the test's own (GLX; 1280 x 720 unless a test sets another size
// before Start).
class PrivateDisplay
{
public:
    bool Start();
    void Stop();
    ~PrivateDisplay() { Stop(); }
    std::string name;
    pid_t pid = -1;
    int width = 1280, height = 720;
};

// The real program, started in `folder` with extra environment entries.
class Game
{
public:
    Game() = default;
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;
    ~Game() { Kill(); }

    // `outFile`: standard output and error go there (empty: /dev/null). `preload`: a library
    // for LD_PRELOAD (empty: none).
    bool Start(const std::string& folder, const std::vector<std::string>& env = {},
               const std::string& outFile = "", const std::string& preload = "");
    bool WaitForExit(double seconds, int* status);
    bool Running();
    void Kill();

    pid_t pid = -1;
    bool finished = false;
    int status = -1;
    // Run as the unprivileged user "nobody" when the suite runs as root, so that file
    // permissions hold for the program.
    bool dropRoot = false;
};

// The full path of the program under test (VOSSA_E2E_GAME when set) and of the archive tool.
std::string GameBinary();
std::string PackTool();
// The archive the build generated.
std::string BuiltArchive();

// Names of the entries of an archive in their order (vossa-pack list).
std::vector<std::string> ArchiveEntries(const std::string& archive);
// Builds an archive at `out` from `source` through vossa-pack: every entry unpacked and packed
// again, except that `skip` entries are left out and card faces are repainted when
// `colourCards` is set.
bool BuildArchive(
    const std::string& source, const std::string& out, bool colourCards,
    const std::vector<std::string>& skip = {},
    const std::vector<std::pair<std::string, std::vector<unsigned char>>>& replace = {});

// The solid colour painted on card face n (0..20) of the test archive; the faces 21..26 of the
// 27-card trick are greys that CardOf names none of.
TRgb_s CardColour(int n);
// The card face whose colour, seen lit on screen, is nearest `seen`; -1 when none is near.
int CardOf(const TRgb_s& seen);

// The display that this thread's input, captures and program runs use (empty: $DISPLAY).
void UseDisplay(const std::string& name);

// Input on the current display.
void Click(int x, int y);
void DoubleClick(int x, int y);
void Key(const std::string& name);
void MoveAway();

bool Grab(TShot_s& shot);
// Keeps `shot` as a picture under <build>/e2e-artifacts/<test>/<nn>-<step>.png.
void Keep(const TShot_s& shot, const std::string& step);

// Polls the screen until `ready` holds (true) or `seconds` (times Slowness) pass or the game
// ends; the last capture stays in `shot`.
bool WaitForScreen(Game& game, const std::function<bool(const TShot_s&)>& ready, double seconds,
                   TShot_s& shot);

// Screens told apart by their pixels.
bool IsIntro(const TShot_s& shot);
bool IsLogoOrBlack(const TShot_s& shot);
// The cards lie in the three rows (of `rowLength`); `faces[slot]` receives the card face in
// each slot (-1 for a grey face of the 27-card trick).
bool RowsShown(const TShot_s& shot, std::vector<int>* faces, int rowLength = 7);
// A translucent white dialog panel covers the point.
bool PanelAt(const TShot_s& shot, int x, int y);
// The instruction strip heads the screen.
bool StripShown(const TShot_s& shot);
// Pixels of a rectangle that are text-dark in one capture and not in the other: black labels
// on a translucent white panel, whatever moves behind it.
int TextChanged(const TShot_s& a, const TShot_s& b, int x0, int y0, int w, int h);
// The face shown large and alone in the middle of the screen (the revealed card, whatever
// small card of the ring passes by), or -1.
int LargeCardInMiddle(const TShot_s& shot);
// Card face `face` shows anywhere below the strip (on the circle, say).
bool CardSeen(const TShot_s& shot, int face);
// How many slots of the rows show a card at their centre.
int CardsInSlots(const TShot_s& shot);
// A WaitForScreen condition that holds once the game takes an answer: every card lies in its
// slot (`faces` receives the face of each) and the rows breathe, seen as both outer cards of
// the middle row back towards the middle from the furthest out they have been. A deal only
// ever moves them outwards to their slots, so the deal has ended.
std::function<bool(const TShot_s&)> RowsReady(std::vector<int>* faces, int rowLength = 7);
// Screen position of a slot of the rows (row 0 bottom ... 2 top, column 0..rowLength-1).
int SlotX(int slot, int rowLength = 7);
int SlotY(int slot, int rowLength = 7);

// The 48-byte settings record, at first the one a first start writes (volumes 64). `options`
// bit 1 chooses the 27-card trick.
struct TSettingsFile_s
{
    float colours[8] = {0.889129638671875f, 0.629486083984375f, 0.13458251953125f, 1.0f,
                        0.084930419921875f, 0.404876708984375f, 0.7286376953125f,  1.0f};
    int32_t language = 0;
    uint8_t quality = 1, music = 1, strip = 1, options = 0;
    int32_t musicVolume = 64, soundVolume = 64;
};
bool ParseSettings(const std::vector<unsigned char>& bytes, TSettingsFile_s* out);
// The record's bytes as the program stores them.
std::vector<unsigned char> SettingsBytes(const TSettingsFile_s& settings);

// A test with a private display (its size set before SetUp runs), a folder of its own holding
// the coloured-card test archive (or the built one, `colourCards` false), and the program.
// Skips without Xvfb, xdotool or ImageMagick; kills the program and removes the folder after.
class SessionTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the program (output to output.txt in the folder) and waits for the intro menu, the
    // capture kept in `shot`; false when it did not come.
    bool StartToIntro(const std::vector<std::string>& env = {}, const std::string& preload = "");
    // Waits up to `seconds` (times Slowness) for the program to end: its exit status, -1 when
    // it did not end.
    int ExitStatus(double seconds = 30);
    // The settings file the program left in the folder; a failed check when there is none.
    TSettingsFile_s SavedSettings();
    // Waits up to `seconds` until the game takes an answer (RowsReady) and keeps a capture as
    // `step`; the slot that shows `face` then, -1 when none does, -2 when no rows came.
    int WaitForRows(int face, const std::string& step, double seconds = 120, int rowLength = 7);
    // Gives an answer once (`answer` clicks a row or presses its key); true when the game took
    // it: the cards leave the rows.
    bool Answer(const std::function<void()>& answer);
    // Follows `face` from the circle through the three answers: waits until it shows on the
    // circle (kept as `tag` + "circle"), deals once with `deal`, then at each deal's rows (kept
    // as `tag` + "layout1" ...) gives `answer(choice, slot)` once, choice 1 to 3 and slot the
    // one showing the face. The first step that does not come fails the test.
    void FollowThroughTheAnswers(int face, const std::string& tag,
                                 const std::function<void()>& deal,
                                 const std::function<void(int choice, int slot)>& answer,
                                 int rowLength = 7);
    // Waits until the turning circle of cards shows at rest (a flight back to it has ended,
    // so the game takes a click that deals): twice in a row, the circle has turned on since
    // the capture before and stands where it stood then.
    bool WaitForCircleAtRest(double seconds);

    // The intro menu's dialogs.
    enum TDialog
    {
        dAbout,
        dHowTo,
        dSettings
    };
    // Clicks the dialog's button on the intro menu and waits for its panel; the settled dialog
    // then stays in `shot`, kept as `step`. False when it did not come.
    bool OpenDialog(TDialog dialog, const std::string& step);
    // Clicks the open dialog's button back and waits for the intro menu; false when it did not
    // come.
    bool CloseDialog(TDialog dialog);

    bool colourCards = true;
    PrivateDisplay display;
    Game game;
    std::string folder;
    TShot_s shot;
};
} // namespace e2e
