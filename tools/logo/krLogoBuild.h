// krLogoBuild: the engine logo from its design file to the image bytes that are crunched and
// compiled into the engine, and to the C++ source that carries them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Reads the design at `designPath`, draws it with the fonts in `fontDir` and encodes it as an
// RLE TGA. False with a message on any failure.
bool BuildLogoTGA(const std::string& designPath, const std::string& fontDir,
                  std::vector<uint8_t>& tga, std::string& error);

// The source file defining krEngineLogo and krEngineLogo_size over `bytes`.
std::string WriteLogoSource(const uint8_t* bytes, size_t size, const std::string& origin);
