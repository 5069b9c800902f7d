// PackCatalogue: the names of every entry the game reads from "vossadata.bin", in the order
// the pack stores them.
#pragma once

#include <string>
#include <vector>

std::vector<std::string> PackCatalogue();

// The resource suffixes of the languages whose texts the pack holds.
std::vector<std::string> PackLanguages();
