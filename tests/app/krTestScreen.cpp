// krTestScreen: window capture through Xlib.
#include "krTestScreen.h"

#ifdef KR_HAVE_X11_CAPTURE
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

bool krCaptureWindow(SDL_Window* window, int w, int h, std::vector<uint8_t>& rgb)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || w <= 0 || h <= 0 || !SDL_GetWindowWMInfo(window, &info) ||
        info.subsystem != SDL_SYSWM_X11)
    {
        return false;
    }
    Display* display = info.info.x11.display;
    XSync(display, False);
    XImage* image = XGetImage(display, info.info.x11.window, 0, 0, static_cast<unsigned>(w),
                              static_cast<unsigned>(h), AllPlanes, ZPixmap);
    if (!image)
    {
        return false;
    }
    rgb.assign(static_cast<size_t>(w) * h * 3, 0);
    for (int y = 0; y < h; y++)
    {
        for (int x = 0; x < w; x++)
        {
            const unsigned long v = XGetPixel(image, x, y);
            uint8_t* p = &rgb[(static_cast<size_t>(y) * w + x) * 3];
            p[0] = static_cast<uint8_t>((v & image->red_mask) >> __builtin_ctzl(image->red_mask));
            p[1] =
                static_cast<uint8_t>((v & image->green_mask) >> __builtin_ctzl(image->green_mask));
            p[2] = static_cast<uint8_t>((v & image->blue_mask) >> __builtin_ctzl(image->blue_mask));
        }
    }
    XDestroyImage(image);
    return true;
}
#else
bool krCaptureWindow(SDL_Window*, int, int, std::vector<uint8_t>& rgb)
{
    rgb.clear();
    return false;
}
#endif
