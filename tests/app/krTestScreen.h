// krTestScreen: reads what a window shows on the X display (not what OpenGL holds in its
// buffers), so that tests see the result of a buffer swap as the user would.
#pragma once

#include <SDL.h>
#include <cstdint>
#include <vector>

// Fills `rgb` with the window's w x h pixels, top row first, 3 bytes each. False when the
// window is not an X11 window or cannot be read.
bool krCaptureWindow(SDL_Window* window, int w, int h, std::vector<uint8_t>& rgb);
