// krLogoDesign: the engine logo's design, read from a small text file (assets/logo). Each
// line is one instruction; '#' starts a comment. Instructions:
//
//   size <width> <height>
//   font <name> <file>                 a TrueType file in the font folder
//   text <font> <pixels> <x> <baseline> <tracking> <top> <bottom> <glow> <radius> <text...>
//   line <x0> <x1> <y> <thickness> <colour> <fade>
//
// Colours are hex rrggbb or rrggbbaa. A text is filled with a vertical gradient from <top> to
// <bottom> over its ink and laid over a blurred halo of colour <glow>; a line fades out
// linearly over its last <fade> pixels at both ends. Layers are drawn in file order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TLogoColor_s
{
    uint8_t r, g, b, a;
};

struct TLogoFont_s
{
    std::string name;
    std::string file;
};

enum TLogoLayerKind
{
    llkText,
    llkLine
};

struct TLogoLayer_s
{
    TLogoLayerKind kind;
    // Text layers.
    std::string font;
    int pixels;
    int x;
    int baseline;
    int tracking;
    TLogoColor_s top;
    TLogoColor_s bottom;
    TLogoColor_s glow;
    int glowRadius;
    std::string text;
    // Line layers.
    int x0, x1, y, thickness, fade;
    TLogoColor_s color;
};

struct TLogoDesign_s
{
    int width = 0;
    int height = 0;
    std::vector<TLogoFont_s> fonts;
    std::vector<TLogoLayer_s> layers;
};

// Parses a design; false with a message naming the line when anything is malformed or out of
// range (the input is not trusted).
bool ParseLogoDesign(const std::string& source, TLogoDesign_s& design, std::string& error);
// File name of the font called `name`, or null.
const std::string* FindLogoFont(const TLogoDesign_s& design, const std::string& name);
