// krGUIScale: how the GUI grows with the display. The GUI is designed for 1280 x 720 and keeps
// working in its own units (layouts, control sizes, hit tests, clipping); one unit is `scale`
// pixels of the drawable. Everything that crosses between units and pixels goes through here:
// the GUI's projection, its scissor rectangles and the pointer positions.
//
// The scale is picked from the drawable size so that the 1280 x 720 design fits on both axes:
// quarter steps up to 2, half steps above (1, 1.25, 1.5, 1.75, 2, 2.5, 3, ...), never below 1.
// A 16:9 screen thus gets about height / 720 (1920 x 1080: 1.5, 3840 x 2160: 3), a 4:3 or
// 5:4 screen is limited by its width and an ultra-wide one by its height.
#pragma once

#include <cstddef>
#include <cstdint>

// The design size the screens are laid out for, in GUI units.
const int32_t kGUIDesignWidth = 1280;
const int32_t kGUIDesignHeight = 720;

// The scale for a drawable of `pixelWidth` x `pixelHeight` pixels (1 for an empty or small one).
float krChooseGUIScale(int32_t pixelWidth, int32_t pixelHeight);

// Pixels to whole GUI units (rounded down, so a pixel lies in the unit that covers it) and
// GUI units to pixels (rounded to the nearest pixel).
int32_t krPixelsToUnits(int32_t pixels, float scale);
int32_t krUnitsToPixels(int32_t units, float scale);

// Sets the current matrix to the GUI's projection for a drawable of the given pixel size:
// origin at the top-left corner, y down, one unit `scale` pixels.
void krGUIProjection(int32_t pixelWidth, int32_t pixelHeight, float scale);

// glScissor for a rectangle given in GUI units with its origin at the top-left corner, on a
// drawable `pixelHeight` pixels high: the pixels the rectangle covers, rounded outwards.
// Negative sizes clip everything.
void krGUIScissor(int32_t left, int32_t top, int32_t width, int32_t height, int32_t pixelHeight,
                  float scale);

// Integer pixel rectangle of krGUIScissor, OpenGL's origin at the bottom-left (for tests).
struct TPixelRect_s
{
    int32_t x, y, w, h;
};
TPixelRect_s krGUIScissorRect(int32_t left, int32_t top, int32_t width, int32_t height,
                              int32_t pixelHeight, float scale);

// Name of an archive entry made for a GUI scale beside the entry `name` of the 1280 x 720
// design: "name@<scale in percent>" ("arial@150", "vossa_logo@300"). False when `out` is too
// small.
bool krScaledEntryName(char* out, size_t size, const char* name, float scale);
