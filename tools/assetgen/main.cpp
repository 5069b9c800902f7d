// vossa-assetgen: builds the game's asset pack "vossadata.bin" from the sources in assets/.
//
//   vossa-assetgen --assets <dir> --fonts <dir> --out <file> [--preview <dir>] [--threads <n>]
//
// Prints the pack's size and the time taken; exit status 1 on any error.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "PackBuilder.h"

int main(int argc, char** argv)
{
    std::string assets, fonts = "/usr/share/fonts/truetype/dejavu", out, preview;
    int threads = 2;
    for (int i = 1; i + 1 < argc; i += 2)
    {
        if (!std::strcmp(argv[i], "--assets"))
        {
            assets = argv[i + 1];
        }
        else if (!std::strcmp(argv[i], "--fonts"))
        {
            fonts = argv[i + 1];
        }
        else if (!std::strcmp(argv[i], "--out"))
        {
            out = argv[i + 1];
        }
        else if (!std::strcmp(argv[i], "--preview"))
        {
            preview = argv[i + 1];
        }
        else if (!std::strcmp(argv[i], "--threads"))
        {
            threads = std::atoi(argv[i + 1]);
        }
        else
        {
            std::fprintf(stderr, "vossa-assetgen: unknown option %s\n", argv[i]);
            return 1;
        }
    }
    if (assets.empty() || out.empty())
    {
        std::fprintf(stderr, "usage: vossa-assetgen --assets <dir> [--fonts <dir>] --out <file> "
                             "[--preview <dir>] [--threads <n>]\n");
        return 1;
    }

    // Run time is reported for the record only; it never influences the output.
    const auto start = std::chrono::steady_clock::now();
    PackBuilder builder(assets, fonts, threads);
    std::string error;
    // The pack appears under its name only when it is complete, so a failed run never leaves
    // a half-written pack that looks up to date.
    const std::string partial = out + ".partial";
    if (!builder.Build(error) || !builder.WriteArchive(partial, error) ||
        std::rename(partial.c_str(), out.c_str()) != 0 ||
        (!preview.empty() && !builder.WritePreviews(preview, error)))
    {
        std::remove(partial.c_str());
        std::fprintf(stderr, "vossa-assetgen: %s\n",
                     error.empty() ? "cannot write the pack" : error.c_str());
        return 1;
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    size_t total = 0;
    for (const TPackEntry_s& e : builder.Entries())
    {
        total += e.crunched.size();
    }
    for (const std::string& note : builder.Notes())
    {
        std::printf("vossa-assetgen: %s\n", note.c_str());
    }
    std::printf("vossa-assetgen: %zu entries, %.2f MiB crunched, %.1f s -> %s\n",
                builder.Entries().size(), total / 1048576.0, seconds, out.c_str());
    return 0;
}
