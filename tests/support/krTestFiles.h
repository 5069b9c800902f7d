// Small file helpers for tests: a private temporary folder per test and whole-file access.
#pragma once

#include <string>
#include <vector>

// Creates a fresh, empty temporary folder and returns its path (no trailing slash).
std::string krTestTempDir();
// Whole-file read; false when the file cannot be read.
bool krTestReadFile(const std::string& path, std::vector<unsigned char>& out);
// Whole-file write; false when the file cannot be written.
bool krTestWriteFile(const std::string& path, const std::vector<unsigned char>& bytes);
