// PackCatalogue: the names of every entry the game reads from "vossadata.bin", in the order
// the pack stores them.
#pragma once

#include <string>
#include <vector>

std::vector<std::string> PackCatalogue();

// The card faces the card list defines, "texture_0" on: the first 21 are the twenty-one-card
// trick's, the deck of the twenty-seven-card trick adds six more.
const int kPlainTrickCards = 21;
const int kPackFaceCount = 27;
// The entry of face `face`, and of the same face with four-coloured suits (appended after
// every other entry of the catalogue); each has a "_low" form beside it.
std::string FaceEntryName(int face);
std::string FourColourFaceEntryName(int face);

// The resource suffixes of the languages whose texts the pack holds.
std::vector<std::string> PackLanguages();
