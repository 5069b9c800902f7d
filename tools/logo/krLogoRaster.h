// krLogoRaster: draws a logo design into an RGBA image with FreeType: per text layer a blurred
// halo, then the glyphs filled with a vertical gradient; per line layer a faded bar. The
// result depends only on the design, the font files and the FreeType version.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "krLogoDesign.h"

// Fills `rgba` with width x height pixels (r, g, b, a with straight alpha, top row first).
// False with a message when a font cannot be loaded or a glyph cannot be drawn.
bool RenderLogo(const TLogoDesign_s& design, const std::string& fontDir, std::vector<uint8_t>& rgba,
                std::string& error);
