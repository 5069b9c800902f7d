// krUTF8: conversion between UTF-8 bytes and wide strings (one 32-bit wchar_t per code point,
// up to U+FFFF). Every buffer returned here is malloc'ed and released with free.
#pragma once

#include <cstdint>
#include <cwchar>

// Decodes `byteCount` bytes into `out` (or only counts when `out` is null), stopping after
// `capacity` characters when capacity is non-zero. Never reads past byteCount. Returns the
// number of characters decoded; writes no terminator.
uint64_t krUTF8Decode(const char* bytes, uint64_t byteCount, wchar_t* out, uint64_t capacity);
// Encodes `count` characters into `out` (or only counts when `out` is null), stopping before a
// character that would not fit when capacity (in bytes) is non-zero. Characters above U+FFFF
// are dropped. Returns the number of bytes; writes no terminator.
uint64_t krUTF8Encode(const wchar_t* chars, uint64_t count, char* out, uint64_t capacity);

// New zero-terminated wide string decoded from a zero-terminated UTF-8 string.
wchar_t* krMBStrToWchar(const char* utf8);
// New zero-terminated UTF-8 string encoded from a zero-terminated wide string.
char* krWcharToMBStr(const wchar_t* text);
