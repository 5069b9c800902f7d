// ScaledEntries: the pack's extra entries for large screens. The game draws its GUI at a scale
// of the 1280 x 720 design (1.25 to 4); for each scale it may find the two fonts rendered at
// that many times their pixel size, so that text stays sharp, and for a few scales larger
// button faces and title logos. They sit beside the catalogue's entries, named
// "<entry>@<scale in percent>" ("arial@150", "button_blue_active@200"); a pack without them
// still works, magnified.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TPackDesign_s;

struct TScaledEntry_s
{
    std::string name;
    std::vector<uint8_t> content;
};

// The scales the fonts are made for, and those the pictures are made for: powers of two, so
// that their textures keep power-of-two sizes (the game takes the next larger one).
const std::vector<float>& ScaledFontScales();
const std::vector<float>& ScaledPictureScales();
// "name@percent".
std::string ScaledEntryName(const std::string& name, float scale);
// The names of every extra entry, in the order they are made.
std::vector<std::string> ScaledEntryNames();

// Makes every extra entry from the DejaVu fonts in `fontsDir`; false with `error` set when a
// font cannot be opened. `notes` receives one line per font size.
bool BuildScaledEntries(const TPackDesign_s& design, const std::string& fontsDir,
                        std::vector<TScaledEntry_s>& out, std::vector<std::string>& notes,
                        std::string& error);
