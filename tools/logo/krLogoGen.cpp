// kr_logogen: builds the engine logo from its design and writes the C++ source that compiles
// it into the engine. Usage: kr_logogen <design> <font folder> <output.cpp> [preview.tga]
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "data/krMemoryBlock.h"
#include "krLogoBuild.h"

namespace
{
bool WriteFile(const std::string& path, const void* bytes, size_t size)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char*>(bytes), static_cast<std::streamsize>(size));
    // The last buffered bytes reach the file only when it is closed; a full disk shows there.
    out.close();
    return !out.fail();
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 4 && argc != 5)
    {
        fprintf(stderr, "usage: kr_logogen <design> <font folder> <output.cpp> [preview.tga]\n");
        return 2;
    }
    std::vector<uint8_t> tga;
    std::string error;
    if (!BuildLogoTGA(argv[1], argv[2], tga, error))
    {
        fprintf(stderr, "kr_logogen: %s\n", error.c_str());
        return 1;
    }
    if (argc == 5 && !WriteFile(argv[4], tga.data(), tga.size()))
    {
        fprintf(stderr, "kr_logogen: cannot write %s\n", argv[4]);
        return 1;
    }
    krMemoryBlock image;
    image.data = tga.data();
    image.size = tga.size();
    krMemoryBlock* crunched = krCrunchMemoryBlock(&image);
    if (!crunched)
    {
        fprintf(stderr, "kr_logogen: compression failed\n");
        return 1;
    }
    const std::string source =
        WriteLogoSource(crunched->data, crunched->size, "assets/logo/engine-logo.txt");
    krFreeMemoryBlock(crunched);
    if (!WriteFile(argv[3], source.data(), source.size()))
    {
        fprintf(stderr, "kr_logogen: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
