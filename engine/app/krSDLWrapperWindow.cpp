// krSDLWrapper, window and display: the switch between full screen and a window, the drawable
// size behind a resize (which on a high-density display differs from the window's), the GUI
// scale that follows it, and pointer positions from window coordinates to drawable pixels.
#include "app/krSDLWrapper.h"

#include <GL/gl.h>
#include <algorithm>

#include "gui/krGUIManager.h"
#include "gui/krGUIScale.h"

namespace
{
// The window's size when leaving full screen, unless the desktop is smaller.
const int kWindowWidth = 1280;
const int kWindowHeight = 720;
} // namespace

bool krSDLWrapper::IsFullScreenKey(const SDL_KeyboardEvent& key)
{
    if (key.repeat != 0)
    {
        return false;
    }
    const SDL_Keycode sym = key.keysym.sym;
    const bool alt = (key.keysym.mod & KMOD_ALT) != 0;
    return sym == SDLK_F11 || (alt && (sym == SDLK_RETURN || sym == SDLK_KP_ENTER));
}

void krSDLWrapper::WindowToDrawable(int& x, int& y) const
{
    if (!window)
    {
        return;
    }
    int ww = 0, wh = 0, dw = 0, dh = 0;
    SDL_GetWindowSize(window, &ww, &wh);
    SDL_GL_GetDrawableSize(window, &dw, &dh);
    if (ww <= 0 || wh <= 0 || dw <= 0 || dh <= 0 || (ww == dw && wh == dh))
    {
        return;
    }
    x = static_cast<int>(static_cast<int64_t>(x) * dw / ww);
    y = static_cast<int>(static_cast<int64_t>(y) * dh / wh);
}

void krSDLWrapper::ApplyDrawableSize(int w, int h)
{
    width = w;
    height = h;
    GlobalScreenWidth = w;
    GlobalScreenHeight = h;
    glViewport(0, 0, w, h);
    if (guiManager)
    {
        guiManager->SetSize(w, h);
        guiManager->SetScale(krChooseGUIScale(w, h));
    }
    OnScreenSizeChanged();
}

void krSDLWrapper::OnWindowSizeChanged(int w, int h)
{
    int pw = w, ph = h;
    WindowToDrawable(pw, ph);
    if (pw != width || ph != height)
    {
        OnResizeWindow(w, h);
    }
}

void krSDLWrapper::SyncDrawableSize()
{
    if (!window)
    {
        return;
    }
    int dw = 0, dh = 0, ww = 0, wh = 0;
    SDL_GL_GetDrawableSize(window, &dw, &dh);
    SDL_GetWindowSize(window, &ww, &wh);
    if (dw > 0 && dh > 0 && (dw != width || dh != height))
    {
        OnResizeWindow(ww, wh);
    }
}

bool krSDLWrapper::SetFullScreen(bool on)
{
    if (!window)
    {
        return false;
    }
    if (on)
    {
        // A window manager makes the window cover its display; without one (a bare X server)
        // nothing would, so the window covers it already before the switch.
        SDL_Rect bounds;
        const int display = SDL_GetWindowDisplayIndex(window);
        if (SDL_GetDisplayBounds(display >= 0 ? display : 0, &bounds) == 0)
        {
            SDL_SetWindowPosition(window, bounds.x, bounds.y);
            SDL_SetWindowSize(window, bounds.w, bounds.h);
        }
        // The desktop's own mode: no mode switch, so the switch is quick and safe.
        if (SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0)
        {
            return false;
        }
    }
    else
    {
        if (SDL_SetWindowFullscreen(window, 0) != 0)
        {
            return false;
        }
        int display = SDL_GetWindowDisplayIndex(window);
        display = display >= 0 ? display : 0;
        int w = kWindowWidth, h = kWindowHeight;
        SDL_Rect usable;
        if (SDL_GetDisplayUsableBounds(display, &usable) == 0 && usable.w > 0 && usable.h > 0)
        {
            // A smaller desktop gets the largest 16:9 window it holds.
            if (usable.w < w || usable.h < h)
            {
                const double fit = std::min(static_cast<double>(usable.w) / kWindowWidth,
                                            static_cast<double>(usable.h) / kWindowHeight);
                w = static_cast<int>(kWindowWidth * fit);
                h = static_cast<int>(kWindowHeight * fit);
            }
        }
        SDL_SetWindowResizable(window, SDL_TRUE);
        SDL_SetWindowSize(window, w, h);
        SDL_SetWindowPosition(window, SDL_WINDOWPOS_CENTERED_DISPLAY(display),
                              SDL_WINDOWPOS_CENTERED_DISPLAY(display));
    }
    fullScreen = on;
    // Where the change is immediate it is applied now; otherwise the window's resize event
    // brings it.
    SyncDrawableSize();
    return true;
}
