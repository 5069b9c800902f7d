// krTestShell: a krSDLWrapper subclass for tests. Every hook appends a line to a log, tagged
// with the frame it ran in, so that a test can check which hook an event reached and when.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "app/krSDLWrapper.h"
#include "krTestClock.h"

class krTestShell : public krSDLWrapper
{
public:
    krTestShell(int width, int height, bool fullScreen = false, bool resizable = false)
        : krSDLWrapper(width, height, fullScreen, resizable)
    {
    }

    // "frame:Hook(args)" per call, in order; Render and OnUpdate are not logged but recorded
    // below.
    std::vector<std::string> log;
    int renders = 0;
    int updates = 0;
    // The frame of every Render, in order, and the step fraction it drew at.
    std::vector<int> drawnFrames;
    std::vector<float> drawnFractions;
    std::vector<int> updatesAtRender;
    // Update steps per frame.
    std::map<int, int> stepsInFrame;
    // While set, the loop runs on it (see UseTestClock).
    krTestClock* testClock = nullptr;
    // A deal of `dealSteps` update steps starts with the key D; its last step records the
    // frame and the clock's time in dealEndFrame, dealSeconds and ends the loop.
    int dealSteps = 0;
    // OnGUIClick clears the GUI manager (a handler that switches screens).
    bool clearOnGUIClick = false;
    // When positive, the Render that makes `renders` reach it queues a quit.
    int quitAtRender = 0;
    int dealLeft = -1;
    int dealStartFrame = -1;
    int dealEndFrame = -1;
    double dealStart = 0.0, dealSeconds = 0.0;
    // Key presses queued by OnBeforeInit, so that the logo screen draws on its first ticks.
    int logoEvents = 0;
    // While positive, each OnKeyDown queues one more press of the same key (and counts down):
    // events that a hook queues must wait for the next frame.
    int keyEchoes = 0;
    // Filled by OnAfterInit: the last frame the logo screen drew, RGB rows from the bottom
    // up as OpenGL reads them.
    std::vector<uint8_t> screenAfterLogo;
    bool failBeforeInit = false;
    // Events that arrive while the loop runs: queued at the end of Render in the frame given
    // as key (so the next frame takes them), in order. Render first sleeps `stalls[frame]`
    // milliseconds: a slow frame.
    std::multimap<int, SDL_Event> script;
    std::map<int, int> stalls;

    void Render() override;
    void OnUpdate() override;
    bool OnBeforeInit() override;
    void OnBeforeClose() override;
    bool OnAfterInit() override;
    void OnLMBUp(int x, int y) override;
    void OnMouseMotion(int x, int y, int dx, int dy) override;
    void OnKeyDown(unsigned key) override;
    void OnKeyUp(unsigned key) override;
    void OnResizeWindow(int w, int h) override;
    void OnDblClick() override;
    void OnLostFocus() override;
    void OnSetFocus() override;
    void OnGUIClick(krGUIObject* control) override;
    void OnPadButtonDown(krPadButton button) override;
    void OnPadButtonUp(krPadButton button) override;

    // Read access to the shell's state.
    int FrameCount() const { return frameCount; }
    float WheelStep() const { return wheelStep; }
    float DragDeltaX() const { return dragDeltaX; }
    float DragDeltaY() const { return dragDeltaY; }
    bool LeftButtonDown() const { return leftButtonDown; }
    bool RightButtonDown() const { return rightButtonDown; }
    void SetMouse(int x, int y) { mouseX = x, mouseY = y; }
    // No release to pair a press with: the next press is an ordinary one.
    void ForgetClicks() { lastClickTicks = 0; }
    SDL_Window* Window() const { return window; }
    // Runs the loop on `clock` (null: the wall clock).
    void UseTestClock(krTestClock* clock)
    {
        testClock = clock;
        SetFrameClock(clock);
    }
    // Forgets what the recorders above hold.
    void ClearRecords();
    // Adds `events` to the script at `frame`, after those it holds there.
    void Script(int frame, const std::vector<SDL_Event>& events);

private:
    // Logs "Hook(a,b,...)", or "Hook" without numbers.
    void Log(const std::string& hook, std::initializer_list<int> numbers = {});
};

// Empties SDL's queue, queues `events` in order and runs the main loop until a quit event. The
// quit arrives at the end of frame `quitFrame` (by default frame 0, so that the clicks the GUI
// queued in the first frame are delivered in the second), right after `events` with
// krQuitAfterEvents (a paused loop draws no frame to bring it), or not at all with
// krQuitByTest. Clears the shell's script and stalls afterwards.
const int krQuitAfterEvents = -1;
const int krQuitByTest = -2;
void krRunEvents(krTestShell& shell, const std::vector<SDL_Event>& events, int quitFrame = 0);
// Adds `event` to SDL's queue as it is; without a timestamp it gets the current time.
void krQueueEvent(SDL_Event event);

// Event builders.
SDL_Event krKeyEvent(Uint32 type, SDL_Keycode key);
SDL_Event krMotionEvent(int x, int y);
SDL_Event krButtonEvent(Uint32 type, Uint8 button, Uint32 timestamp = 0);
// A press and release of the left button, at the given times.
std::vector<SDL_Event> krLeftClick(Uint32 pressed = 0, Uint32 released = 0);
SDL_Event krWheelEvent(int y);
SDL_Event krFingerEvent(Uint32 type, float x, float y);
SDL_Event krWindowEvent(Uint8 event, int data1 = 0, int data2 = 0);
