#include "krTestGL.h"

#include <GL/gl.h>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <link.h>

namespace
{
int PinDriverLibrary(struct dl_phdr_info* info, size_t, void*)
{
    const char* name = info->dlpi_name;
    if (name && (std::strstr(name, "_dri.so") || std::strstr(name, "libgallium") ||
                 std::strstr(name, "libGLX_mesa")))
    {
        // An extra reference on an already loaded library that is never dropped.
        dlopen(name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
    }
    return 0;
}
} // namespace

void krPinGLDriver()
{
    dl_iterate_phdr(PinDriverLibrary, nullptr);
}

int krKeepOutWindowSystem(void*, SDL_Event* event)
{
    switch (event->type)
    {
        case SDL_MOUSEMOTION:
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
        case SDL_MOUSEWHEEL:
        case SDL_KEYDOWN:
        case SDL_KEYUP:
        case SDL_FINGERDOWN:
        case SDL_FINGERUP:
        case SDL_FINGERMOTION:
            return 0;
        case SDL_WINDOWEVENT:
            return event->window.event != SDL_WINDOWEVENT_FOCUS_LOST &&
                   event->window.event != SDL_WINDOWEVENT_MINIMIZED &&
                   event->window.event != SDL_WINDOWEVENT_HIDDEN;
        default:
            return 1;
    }
}

void krGLTest::SetUp()
{
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
    {
        GTEST_SKIP() << "no video: " << SDL_GetError();
    }
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    window =
        SDL_CreateWindow(nullptr, 0, 0, kWidth, kHeight, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (!window)
    {
        GTEST_SKIP() << "no window: " << SDL_GetError();
    }
    context = SDL_GL_CreateContext(window);
    if (!context)
    {
        GTEST_SKIP() << "no GL context: " << SDL_GetError();
    }
    SDL_GL_MakeCurrent(window, context);
    krPinGLDriver();
    glViewport(0, 0, kWidth, kHeight);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    Clear(0, 0, 0);
    SetPixelProjection();
}

void krGLTest::TearDown()
{
    if (context)
    {
        SDL_GL_DeleteContext(context);
    }
    if (window)
    {
        SDL_DestroyWindow(window);
    }
    context = nullptr;
    window = nullptr;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

TTestPixel_s krGLTest::ReadPixel(int x, int y) const
{
    TTestPixel_s p = {0, 0, 0, 0};
    glFinish();
    glReadPixels(x, kHeight - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, &p);
    return p;
}

std::vector<uint8_t> krReadScreen(int width, int height)
{
    std::vector<uint8_t> pixels(size_t(width) * height * 4);
    glFinish();
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

void krGLTest::SetPixelProjection() const
{
    SetOrtho(0, kWidth, kHeight, 0, -1, 1);
}

void krGLTest::SetOrtho(double left, double right, double bottom, double top, double zNear,
                        double zFar) const
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(left, right, bottom, top, zNear, zFar);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void krGLTest::SetFrustum(double left, double right, double bottom, double top, double zNear,
                          double zFar) const
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(left, right, bottom, top, zNear, zFar);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

std::vector<uint8_t> krGLTest::Picture(const std::function<void()>& draw, float r, float g,
                                       float b) const
{
    Clear(r, g, b);
    draw();
    return krReadScreen(kWidth, kHeight);
}

void krGLTest::Clear(float r, float g, float b) const
{
    glClearColor(r, g, b, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

bool krPixelNear(const TTestPixel_s& p, int r, int g, int b, int tolerance)
{
    return std::abs(p.r - r) <= tolerance && std::abs(p.g - g) <= tolerance &&
           std::abs(p.b - b) <= tolerance;
}

int krLargestDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b)
{
    if (a.size() != b.size())
    {
        return 256;
    }
    int largest = 0;
    for (size_t i = 0; i < a.size(); i++)
    {
        largest = std::max(largest, std::abs(int(a[i]) - int(b[i])));
    }
    return largest;
}

int krPixelsUnlike(const std::vector<uint8_t>& picture, int r, int g, int b, int tolerance)
{
    int unlike = 0;
    for (size_t i = 0; i + 3 < picture.size(); i += 4)
    {
        unlike += !krPixelNear({picture[i], picture[i + 1], picture[i + 2], picture[i + 3]}, r, g,
                               b, tolerance);
    }
    return unlike;
}

int krGLInteger(unsigned int name)
{
    GLint value = -1;
    glGetIntegerv(name, &value);
    return value;
}
