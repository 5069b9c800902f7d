// PackCatalogue: the names of every entry the game reads from "vossadata.bin", in the order
// the pack stores them.
#pragma once

#include <string>
#include <vector>

std::vector<std::string> PackCatalogue();

// The card faces: the first 21 are the twenty-one-card trick's, the deck of the twenty-seven-card
// trick adds six more.
const int kPlainTrickCards = 21;
const int kDeckCards = 27;

// The resource suffixes of the languages whose texts the pack holds.
std::vector<std::string> PackLanguages();
