// vossaCardFaces: the archive entries that hold the card faces. Face n is "texture_n"; the
// pack may carry each face again with four-coloured suits (hearts red, diamonds blue, clubs
// green, spades black) as "texture_n_fourcolour"; "_low" marks the low-quality form of either.
#pragma once

#include <cstddef>
#include <cstdint>

class krResource;

// Writes the entry name of `face` into `out`; false when it does not fit.
bool CardFaceName(char* out, size_t size, int32_t face, bool fourColours, bool highQuality);

// True when the faces are to be drawn with four colours: `wanted` (the setting) and `archive`
// holds every one of faces 0 to count - 1 in that form at the quality. A pack without them,
// or with only some, keeps two colours for the whole deck.
bool UseFourColourFaces(const krResource* archive, int32_t count, bool wanted, bool highQuality);
