// PackCatalogue: the names of every entry the game reads from "vossadata.bin", in the order
// the pack stores them.
#pragma once

#include <string>
#include <vector>

std::vector<std::string> PackCatalogue();

// The card faces the card list defines, "texture_0" on.
const int kPackFaceCount = 21;
// The entry of face `face`, and of the same face with four-coloured suits (appended after
// every other entry of the catalogue); each has a "_low" form beside it.
std::string FaceEntryName(int face);
std::string FourColourFaceEntryName(int face);

// The resource suffixes of the languages whose texts the pack holds.
std::vector<std::string> PackLanguages();
