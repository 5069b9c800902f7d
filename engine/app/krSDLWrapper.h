// krSDLWrapper: the engine's application object. It owns the SDL2 window, the OpenGL
// context and the GUI manager, opens the audio device, runs the main loop and turns SDL events
// into calls of virtual hooks. A program is a subclass that overrides the hooks (OnUpdate,
// Render, OnAfterInit, OnLMBUp, OnGUIClick, OnPadButtonDown...). Gamepads are opened and
// closed as they come and go. It also stores the camera pose that the subclass moves and that
// PilotView applies.
//
// The main loop keeps updating apart from drawing. Each turn it delivers the GUI's queued
// clicks, dispatches the waiting events, then runs as many update steps (OnUpdate, then the
// GUI's) as the wall time since the last turn holds at 60 steps a second (at most a quarter
// of a second's worth; more is dropped), and draws one frame (Render, the GUI, the swap).
// Between steps GetStepFraction() tells the drawing how far time has gone towards the next
// step. Frames are paced by the display's vertical sync where the driver offers it, else by
// sleeping to the display's refresh rate. A minimised or unfocused window neither steps nor
// draws, and time does not pile up meanwhile.
//
// Lifecycle: construct (no SDL) -> Init -> Run -> destructor. OnBeforeClose runs at the end
// of Run, so a subclass releases what it built in OnAfterInit there, not in its destructor.
#pragma once

#include <SDL.h>
#include <cstdint>

#include "app/krButtonClock.h"
#include "app/krFixedStep.h"
#include "app/krFrameClock.h"
#include "app/krGamepads.h"
#include "app/krPadButton.h"
#include "gui/krGUIClickReceiver.h"

class krGUIManager;
class krGUIObject;

// Current drawable size in pixels (-1 before Init); written by Init and OnResizeWindow,
// read by the GUI controls.
extern int32_t GlobalScreenWidth;
extern int32_t GlobalScreenHeight;

class krSDLWrapper : public krGUIClickReceiver
{
public:
    // Stores the arguments; touches no SDL. In full-screen mode the window takes the size of
    // the desktop and the given size is ignored.
    krSDLWrapper(int width, int height, bool fullScreen, bool resizable = false);
    // Deletes the GUI manager, the window and the context, then closes audio and SDL.
    virtual ~krSDLWrapper();

    krSDLWrapper(const krSDLWrapper&) = delete;
    krSDLWrapper& operator=(const krSDLWrapper&) = delete;

    // Hooks; the base versions do nothing (or return true) unless noted.
    // Draws the scene of one frame; nothing may advance here (a redraw on resize calls it too).
    virtual void Render();
    // One update step of 1/60 s: every animation and state change advances here.
    virtual void OnUpdate();
    virtual bool OnBeforeInit();
    virtual void OnBeforeClose();
    virtual bool OnAfterInit();
    virtual void OnLMBUp(int x, int y);
    // dx, dy are the previous position minus the new one.
    virtual void OnMouseMotion(int x, int y, int dx, int dy);
    virtual void OnKeyDown(unsigned key);
    virtual void OnKeyUp(unsigned key);
    // The modifier keys (SDL_Keymod bits) of the key event that the key hooks are handling:
    // held when that key went down, whatever is held by the time the event is dispatched.
    // Outside a key event, the modifiers held now.
    unsigned GetKeyMods() const;
    // Base: stores the new size (w, h is the window's size; the drawable's may be larger on a
    // high-density display), sets the viewport, resizes and rescales the GUI, calls
    // OnScreenSizeChanged and draws one frame.
    virtual void OnResizeWindow(int w, int h);
    // The drawable size or the GUI scale changed (GetWidth, GetHeight and the GUI manager hold
    // the new ones); called before the frame that shows the new size is drawn, so a program
    // lays its screen out again here. Base: nothing.
    virtual void OnScreenSizeChanged();
    // Base: forgets both buttons.
    virtual void OnMouseLeave();
    virtual void OnDblClick();
    virtual void OnLostFocus();
    virtual void OnSetFocus();
    // Every click the GUI manager queued, taken at the start of the next loop turn.
    void OnGUIClick(krGUIObject* control) override;
    // A gamepad button pressed or released, on any pad that is open (see krGamepads): the
    // left stick's pushes come as the D-pad's directions, once per push.
    virtual void OnPadButtonDown(krPadButton button);
    virtual void OnPadButtonUp(krPadButton button);

    // SDL, audio, window, GL, GUI manager and the engine logo; false when start-up failed
    // (the destructor still cleans up whatever was created).
    bool Init();
    // Why start-up failed, in one line ("the window cannot be made: ..."); empty while it has
    // not. The first reason given is the one kept.
    const char* GetStartupError() const { return startupError; }
    // The main loop; returns 0 once EndMainLoop was called or the window was closed.
    int Run(int argc, char** argv);
    // Ends the main loop after the current frame.
    void EndMainLoop();
    // The clock the main loop reads and sleeps on (borrowed; null: the wall clock).
    void SetFrameClock(krFrameClock* clock) { frameClock = clock; }
    // How far time has gone from the last update step towards the next, 0 <= f < 1: drawing
    // places what moves this far between its last two update states.
    float GetStepFraction() const { return stepFraction; }
    // Update steps run by the main loop so far.
    uint64_t GetUpdateCount() const { return updateCount; }
    // True when the buffer swap waits for the display's vertical blank (set by Run).
    bool HasVSync() const { return vsync; }
    // Gamepads open now.
    int32_t GetPadCount() const { return gamepads.GetCount(); }

    // Input operations, called by the event dispatch (and usable by a subclass).
    void MouseXY(int x, int y);
    // A left press or release at `ticks` (SDL milliseconds; the dispatch passes the time the
    // event happened, so a double click is judged by that, not by when a frame got to it).
    // Without an argument: now.
    void LMBDown();
    void LMBDown(uint32_t ticks);
    void LMBUp();
    void LMBUp(uint32_t ticks);
    void RMBDown();
    void RMBUp();
    void MouseWheelUp();
    void MouseWheelDown();
    void MouseMotion();

    int GetWidth() const { return width; }
    int GetHeight() const { return height; }
    // The ratio at start-up; a later resize does not change it.
    float GetAspect() const { return aspect; }
    // Borrowed; null before Init.
    krGUIManager* GetGUIManager() const { return guiManager; }
    void SetCamPosition(float* v);
    void GetCamPosition(float* out) const;
    void SetCamAngle(float* v);
    void GetCamAngle(float* out) const;

    // Full screen at the desktop's resolution, or a resizable window of 1280 x 720 (smaller
    // when the desktop is), centred. The new size reaches OnResizeWindow. False when there is
    // no window or SDL refuses.
    bool SetFullScreen(bool on);
    bool ToggleFullScreen() { return SetFullScreen(!fullScreen); }
    bool IsFullScreen() const { return fullScreen; }
    // F11, or Enter with Alt held (not an auto-repeat): the keys that switch full screen.
    static bool IsFullScreenKey(const SDL_KeyboardEvent& key);
    // Calls OnResizeWindow when the drawable's size differs from GetWidth x GetHeight (after a
    // mode switch or when the window moved to a display of another density).
    void SyncDrawableSize();
    // A pointer position in window coordinates (SDL's mouse events) to drawable pixels.
    void WindowToDrawable(int& x, int& y) const;

    // Viewport, a 60-degree perspective projection, blending function and depth test.
    void InitGL();
    // Multiplies the current matrix by the camera transform: roll angle[0] about z, pitch
    // angle[2] about x, turn angle[1] about z, then the translation by -position.
    void PilotView(float* position, float* angle);
    // Draws one frame at once: Render, the GUI, swap (no pacing).
    void Refresh();
    // Shows the engine logo centred on black for 180 frames.
    void DrawEngineLogo();

protected:
    // Records why start-up fails (printf-style) and returns false; for Init and the start-up
    // hooks.
    bool FailStartup(const char* format, ...);

    int32_t width;
    int32_t height;
    float aspect;
    int32_t frameCount;
    SDL_Window* window;
    SDL_GLContext glContext;
    bool fullScreen;
    bool resizable;
    float camPosition[3];
    float camAngle[3];
    int32_t mouseX, mouseY;
    int32_t prevMouseX, prevMouseY;
    float dragDeltaX, dragDeltaY;
    bool rightButtonDown;
    bool leftButtonDown;
    float wheelStep;
    uint32_t lastClickTicks; // time of the last accepted left release; 0 after a double click
    bool quitRequested;
    krGUIManager* guiManager; // owned

private:
    bool dispatchingKey = false; // a key event's hooks are running
    unsigned keyMods = 0;        // that event's modifiers
    // When the pointer buttons really went down and up (see krButtonClock).
    krButtonClock buttonClock;
    char startupError[256] = {};

    krGamepads gamepads;

    krFrameClock wallClock;
    krFrameClock* frameClock = nullptr; // borrowed; null: wallClock
    krFixedStep stepClock;
    krFramePacer framePacer;
    float stepFraction = 0.0f;
    uint64_t updateCount = 0;
    bool vsync = false;
    bool pauseSeen = false; // a pause began since the loop last stepped

    // Vertical sync where the driver offers it (adaptive first), and the pacer's ceiling:
    // the display mode's refresh rate (60 when unknown).
    void ChooseFramePacing();
    // The update steps that the time since the last turn holds.
    void RunUpdateSteps(krFrameClock& clock);

    // Takes, in order, the events that wait in SDL's queue now; those that arrive meanwhile
    // (or that a hook pushes) are left for the next call, so that a flood cannot keep a frame
    // from being drawn. With `paused` (the main loop's drawing switch) each event is
    // dispatched until the loop is asked to end; without it they are dropped. Returns how
    // many events were taken.
    int HandleWaitingEvents(bool* paused);
    // Dispatches one SDL event.
    void DispatchEvent(const SDL_Event& event, bool& paused);
    // Takes a drawable size of `w` x `h` pixels: fields, globals, viewport, GUI size and scale,
    // then OnScreenSizeChanged.
    void ApplyDrawableSize(int w, int h);
    // A size-changed event of window size (w, h): OnResizeWindow unless it is the size held.
    void OnWindowSizeChanged(int w, int h);
};
