// krTestShell: a krSDLWrapper subclass for tests. Every hook appends a line to a log, tagged
// with the frame it ran in, so that a test can check which hook an event reached and when.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/krSDLWrapper.h"

class krTestShell : public krSDLWrapper
{
public:
    krTestShell(int width, int height, bool fullScreen = false, bool resizable = false)
        : krSDLWrapper(width, height, fullScreen, resizable)
    {
    }

    // "frame:Hook(args)" per call, in order. Render is logged only while logRender is set;
    // it is always counted.
    std::vector<std::string> log;
    bool logRender = false;
    int renders = 0;
    // Events pushed by OnBeforeInit, so that the logo screen draws on its first ticks.
    int logoEvents = 0;
    // Filled by OnAfterInit: the last frame the logo screen drew, RGB rows from the bottom
    // up as OpenGL reads them.
    std::vector<uint8_t> screenAfterLogo;
    bool failBeforeInit = false;

    void Render() override;
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

    // Read access to the shell's state.
    int FrameCount() const { return frameCount; }
    float WheelStep() const { return wheelStep; }
    float DragDeltaX() const { return dragDeltaX; }
    float DragDeltaY() const { return dragDeltaY; }
    bool LeftButtonDown() const { return leftButtonDown; }
    bool RightButtonDown() const { return rightButtonDown; }
    void SetMouse(int x, int y) { mouseX = x, mouseY = y; }
    SDL_Window* Window() const { return window; }

private:
    void Log(const std::string& entry);
};

// Empties SDL's queue, pushes `events` in order followed by a quit event, and runs the main
// loop until it reaches the quit event.
void krRunEvents(krTestShell& shell, const std::vector<SDL_Event>& events);

// Event builders.
SDL_Event krKeyEvent(Uint32 type, SDL_Keycode key);
SDL_Event krMotionEvent(int x, int y);
SDL_Event krButtonEvent(Uint32 type, Uint8 button);
SDL_Event krWheelEvent(int y);
SDL_Event krFingerEvent(Uint32 type, float x, float y);
SDL_Event krWindowEvent(Uint8 event, int data1 = 0, int data2 = 0);
