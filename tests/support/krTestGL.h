// krTestGL: a hidden SDL window with an OpenGL context for tests that draw and read pixels
// back. Needs an X display (make test starts a virtual one); tests skip themselves when no
// context can be created.
#pragma once

#include <SDL.h>
#include <cstdint>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

struct TTestPixel_s
{
    uint8_t r, g, b, a;
};

class krGLTest : public ::testing::Test
{
protected:
    // Window size used by every GL test; the framebuffer is read in window pixels with the
    // origin at the top-left corner (the GUI's convention), not OpenGL's bottom-left.
    static const int kWidth = 256;
    static const int kHeight = 256;

    void SetUp() override;
    void TearDown() override;

    // Pixel at window coordinates (x, y), y growing downward.
    TTestPixel_s ReadPixel(int x, int y) const;
    // Sets an orthographic projection in window pixels, y down, and identity model-view.
    void SetPixelProjection() const;
    // Sets glOrtho(left, right, bottom, top, zNear, zFar) and identity model-view.
    void SetOrtho(double left, double right, double bottom, double top, double zNear,
                  double zFar) const;
    // Sets glFrustum(left, right, bottom, top, zNear, zFar) and identity model-view.
    void SetFrustum(double left, double right, double bottom, double top, double zNear,
                    double zFar) const;
    // Clears colour and depth to the given colour.
    void Clear(float r, float g, float b) const;
    // Clears to the given colour, runs `draw` and returns the whole window (krReadScreen).
    std::vector<uint8_t> Picture(const std::function<void()>& draw, float r = 0, float g = 0,
                                 float b = 0) const;

    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
};

// The whole read buffer, width x height, as RGBA bytes, bottom row first (OpenGL's order), once
// everything drawn so far is done.
std::vector<uint8_t> krReadScreen(int width, int height);

// Keeps the loaded OpenGL driver libraries in memory until the process ends. Mesa leaks a
// little when SDL unloads it, and once unloaded its allocations can no longer be named in leak
// reports (nor matched by the suppressions). Call it once a context exists; krGLTest does.
void krPinGLDriver();

// An SDL event filter for tests that run a main loop on the shared virtual display. Other
// tests' windows come and go there: they take the focus away (a paused loop would never draw
// the frame that brings a scripted quit) and move the pointer under this window. The filter
// keeps out the window system's own input and the pausing window events; what a test queues
// with SDL_PeepEvents passes no filter.
int krKeepOutWindowSystem(void* unused, SDL_Event* event);

// The largest difference of two pictures in any byte (256 when their sizes differ).
int krLargestDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b);

// How many RGBA pixels of a picture are not within `tolerance` of the colour (r, g, b).
int krPixelsUnlike(const std::vector<uint8_t>& picture, int r, int g, int b, int tolerance = 8);

// The integer state glGetIntegerv gives for `name`.
int krGLInteger(unsigned int name);

// True when two pixels differ by at most tolerance in every channel.
bool krPixelNear(const TTestPixel_s& p, int r, int g, int b, int tolerance = 8);
