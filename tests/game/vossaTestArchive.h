// A small but complete asset archive for the game's tests, built in memory: a flat card mesh,
// 27 tiny TGA faces (4 x 4, low 2 x 2; with four colours 8 x 8, low 4 x 2), button skins, clouds,
// stars and logos, two glyph fonts and the texts of both languages ("E0", "E1", ... and "P0",
// "P1", ... as message lines, as many as the game reads). It holds no sounds, so every test also
// runs the game without its music and choice sample. A test folder holds it where the game
// looks for it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class krResource;

// Entry names to leave out, or to replace with bytes that decode as nothing.
struct TTestArchiveOptions
{
    std::vector<std::string> missing;
    std::vector<std::string> malformed;
};

// Writes the archive to `path`; false when it cannot be written.
bool WriteTestArchive(const std::string& path, const TTestArchiveOptions& options = {});

// Appends `bytes` to `archive` as the entry `name`, crunched as the game's entries are.
void AddCrunched(krResource* archive, const std::string& name, const std::vector<uint8_t>& bytes);

// The advance of a glyph in the test fonts: it varies with the character code, so texts of
// different letters measure differently.
int TestGlyphAdvance(int code);

// The working folder of a test that starts the game: a fresh temporary folder holding the
// archive as "vossadata.bin", where the game also writes its settings, with English as the
// system's language. The object returns to the folder before when it goes.
class vossaTestFolder
{
public:
    // False when the folder cannot be made, entered or filled.
    bool Enter(const TTestArchiveOptions& options = {});
    ~vossaTestFolder();

    std::string path;

private:
    std::string previous;
};
