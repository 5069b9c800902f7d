// vossa-icons: writes the desktop icons, the card back of the asset pack in the hicolor sizes.
// Usage: vossa-icons --pack vossadata.bin --out DIR [--sizes 16,32,...] [--entry NAME]
// Writes DIR/hicolor/<N>x<N>/apps/vossa.png. Exit status 0 success, 1 failure, 2 bad usage.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "krCairoImage.h"
#include "krIconImage.h"

namespace
{
int Usage()
{
    std::fprintf(stderr, "usage: vossa-icons --pack ARCHIVE --out DIR [--sizes 16,32,48,64,128,256]"
                         " [--entry texture_0]\n");
    return 2;
}

bool ParseSizes(const std::string& text, std::vector<int>& sizes)
{
    std::stringstream in(text);
    std::string item;
    while (std::getline(in, item, ','))
    {
        char* end = nullptr;
        const long size = std::strtol(item.c_str(), &end, 10);
        if (item.empty() || *end != '\0' || size < 1 || size > 1024)
        {
            return false;
        }
        sizes.push_back(int(size));
    }
    return !sizes.empty();
}
} // namespace

int main(int argc, char** argv)
{
    std::string pack, out, entry = "texture_0";
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i)
    {
        const std::string arg = argv[i];
        if (i + 1 >= argc)
        {
            return Usage();
        }
        const std::string value = argv[++i];
        if (arg == "--pack")
        {
            pack = value;
        }
        else if (arg == "--out")
        {
            out = value;
        }
        else if (arg == "--entry")
        {
            entry = value;
        }
        else if (arg != "--sizes" || !ParseSizes(value, sizes))
        {
            return Usage();
        }
    }
    if (pack.empty() || out.empty())
    {
        return Usage();
    }
    if (sizes.empty())
    {
        sizes = {16, 32, 48, 64, 128, 256};
    }

    TRgbaImage_s texture;
    std::string error;
    if (!krLoadPackImage(pack, entry, texture, error))
    {
        std::fprintf(stderr, "vossa-icons: %s\n", error.c_str());
        return 1;
    }
    const TIconRect_s back = krFindCardBack(texture);
    if (back.width == 0)
    {
        std::fprintf(stderr, "vossa-icons: no card back on the right half of %s\n", entry.c_str());
        return 1;
    }
    for (int size : sizes)
    {
        const std::string dimension = std::to_string(size) + "x" + std::to_string(size);
        const std::filesystem::path folder =
            std::filesystem::path(out) / "hicolor" / dimension / "apps";
        std::error_code ec;
        std::filesystem::create_directories(folder, ec);
        const std::string path = (folder / "vossa.png").string();
        // Up to 32 pixels the lattice of the whole back would blur into noise: the medallion.
        const TIconRect_s region = size <= 32 ? krCentreSquare(back, 0.6f) : back;
        const TRgbaImage_s icon = krRenderIcon(texture, region, size);
        if (!krWritePNG(path, icon.pixels.data(), icon.pixels.size(), icon.width, icon.height))
        {
            std::fprintf(stderr, "vossa-icons: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
