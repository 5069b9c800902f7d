// PngWriter: minimal PNG files (8-bit RGBA, no filtering) for the pack's preview pictures.
#pragma once

#include <string>

#include "Canvas.h"

bool WritePNG(const std::string& path, const TImage_s& image);
