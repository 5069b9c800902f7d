// krPackCommands: create, list, extract and verify resource archives from the command line.
#include "krPackCommands.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "data/krResource.h"
#include "krPackCheck.h"
#include "krPackFiles.h"

namespace
{
const size_t kMaxName = 31;

const char* kMainUsage =
    "usage: vossa-pack COMMAND [ARGUMENTS]\n"
    "\n"
    "Builds, inspects and unpacks resource archives.\n"
    "\n"
    "commands:\n"
    "  create OUT.bin [--crunch] NAME=FILE ...  build an archive from files\n"
    "  list ARCHIVE                             name, stored size and unpacked size of each "
    "entry\n"
    "  extract ARCHIVE NAME [OUT] [--decrunch]  write one entry to a file\n"
    "  verify ARCHIVE                           check magic, CRC, directory and entry bounds\n"
    "\n"
    "'vossa-pack COMMAND --help' describes a command.\n"
    "Exit status: 0 success, 1 bad input, 2 bad usage.\n";

const char* kCreateUsage =
    "usage: vossa-pack create OUT.bin [--crunch] NAME=FILE ...\n"
    "\n"
    "Writes a new archive OUT.bin holding each FILE under NAME, in the order given.\n"
    "Names have 1 to 31 bytes and must differ. With --crunch every file is stored as a\n"
    "crunched block (u32 size + zlib stream), as the game's entries are. OUT.bin is replaced\n"
    "only once the whole archive is written.\n";

const char* kListUsage = "usage: vossa-pack list ARCHIVE\n"
                         "\n"
                         "Prints one line per entry: its name, its stored size in bytes and,\n"
                         "for an entry that decrunches, its unpacked size (else '-').\n";

const char* kExtractUsage =
    "usage: vossa-pack extract ARCHIVE NAME [OUT] [--decrunch]\n"
    "\n"
    "Writes the first entry called NAME to OUT ('-' for standard output; without OUT, to a\n"
    "file called NAME in the current folder). With --decrunch the entry is unpacked first.\n";

const char* kVerifyUsage =
    "usage: vossa-pack verify ARCHIVE\n"
    "\n"
    "Checks the magic, the CRC-32, the directory and that every entry lies inside the file.\n"
    "Prints a summary and exits 0 when the archive is sound, else exits 1 with the reason.\n";

int Fail(const std::string& reason)
{
    fprintf(stderr, "vossa-pack: %s\n", reason.c_str());
    return peBadInput;
}

int Usage(const char* usage, const std::string& problem)
{
    if (!problem.empty())
        fprintf(stderr, "vossa-pack: %s\n", problem.c_str());
    fputs(usage, stderr);
    return peBadUsage;
}

bool IsHelp(const char* arg)
{
    return strcmp(arg, "--help") == 0 || strcmp(arg, "-h") == 0;
}

// Splits arguments into positionals and the flags listed in `known`. Returns false (with
// `problem`) on an unknown option; sets `help` when --help is among them.
bool SplitArgs(int argc, char** argv, const std::vector<std::string>& known,
               std::vector<std::string>& positional, std::vector<std::string>& flags, bool& help,
               std::string& problem)
{
    help = false;
    for (int i = 0; i < argc; i++)
    {
        std::string arg = argv[i];
        if (IsHelp(argv[i]))
        {
            help = true;
            continue;
        }
        if (arg.size() > 2 && arg.compare(0, 2, "--") == 0)
        {
            bool found = false;
            for (const std::string& k : known)
                found = found || k == arg;
            if (!found)
            {
                problem = "unknown option " + arg;
                return false;
            }
            flags.push_back(arg);
            continue;
        }
        positional.push_back(arg);
    }
    return true;
}

bool HasFlag(const std::vector<std::string>& flags, const char* flag)
{
    for (const std::string& f : flags)
        if (f == flag)
            return true;
    return false;
}

// Reads and checks an archive; on failure returns false with the reason.
bool LoadArchive(const std::string& path, krResource& archive, std::string& reason)
{
    krMemoryBlock* image = krReadMemoryBlock(path.c_str());
    if (!image)
    {
        reason = "cannot read " + path;
        return false;
    }
    TPackCheckResult_s check = krPackCheckImage(image);
    bool ok = check.verdict != pcRefused && archive.ReadFromMemoryBlock(image);
    krFreeMemoryBlock(image);
    if (!ok)
        reason = path + ": " + (check.reason.empty() ? "not a loadable archive" : check.reason);
    return ok;
}

bool SafeFileName(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}
} // namespace

int krPackCreate(int argc, char** argv)
{
    std::vector<std::string> positional, flags;
    bool help;
    std::string problem;
    if (!SplitArgs(argc, argv, {"--crunch"}, positional, flags, help, problem))
        return Usage(kCreateUsage, problem);
    if (help)
        return fputs(kCreateUsage, stdout), peSuccess;
    if (positional.size() < 2)
        return Usage(kCreateUsage, "create needs OUT.bin and at least one NAME=FILE");
    bool crunch = HasFlag(flags, "--crunch");
    const std::string& out = positional[0];

    krResource archive;
    for (size_t i = 1; i < positional.size(); i++)
    {
        const std::string& spec = positional[i];
        size_t eq = spec.find('=');
        if (eq == std::string::npos || eq == 0 || eq + 1 == spec.size())
            return Usage(kCreateUsage, "expected NAME=FILE, got '" + spec + "'");
        std::string name = spec.substr(0, eq);
        std::string file = spec.substr(eq + 1);
        if (name.size() > kMaxName)
            return Fail("name '" + name + "' is longer than 31 bytes");
        if (archive.ResourceExists(name.c_str()))
            return Fail("name '" + name + "' is given twice");
        krMemoryBlock* bytes = krReadMemoryBlock(file.c_str());
        if (!bytes)
            return Fail("cannot read " + file);
        if (crunch)
        {
            krMemoryBlock* packed = krCrunchMemoryBlock(bytes);
            krFreeMemoryBlock(bytes);
            if (!packed)
                return Fail("cannot crunch " + file);
            bytes = packed;
        }
        archive.Append(bytes, name.c_str());
        krFreeMemoryBlock(bytes);
        if (archive.Length() != i)
            return Fail("out of memory while adding " + file);
    }

    krMemoryBlock* image = archive.WriteToMemoryBlock();
    if (!image)
        return Fail("cannot build the archive: every entry is empty, or the data reach 4 GiB");
    std::string reason;
    bool ok = krPackWriteFile(out, image->data, image->size, reason);
    krFreeMemoryBlock(image);
    return ok ? peSuccess : Fail(reason);
}

int krPackList(int argc, char** argv)
{
    std::vector<std::string> positional, flags;
    bool help;
    std::string problem;
    if (!SplitArgs(argc, argv, {}, positional, flags, help, problem))
        return Usage(kListUsage, problem);
    if (help)
        return fputs(kListUsage, stdout), peSuccess;
    if (positional.size() != 1)
        return Usage(kListUsage, "list takes exactly one ARCHIVE");
    krResource archive;
    std::string reason;
    if (!LoadArchive(positional[0], archive, reason))
        return Fail(reason);
    for (uint64_t i = 0; i < archive.Length(); i++)
    {
        const krMemoryBlock* block = archive.Get(i);
        krMemoryBlock* plain = krDecrunchMemoryBlock(block);
        std::string unpacked = plain ? std::to_string(plain->size) : "-";
        krFreeMemoryBlock(plain);
        printf("%-32s %12" PRIu64 " %12s\n", archive.GetName(i), block->size, unpacked.c_str());
    }
    return peSuccess;
}

int krPackExtract(int argc, char** argv)
{
    std::vector<std::string> positional, flags;
    bool help;
    std::string problem;
    if (!SplitArgs(argc, argv, {"--decrunch"}, positional, flags, help, problem))
        return Usage(kExtractUsage, problem);
    if (help)
        return fputs(kExtractUsage, stdout), peSuccess;
    if (positional.size() < 2 || positional.size() > 3)
        return Usage(kExtractUsage, "extract takes ARCHIVE, NAME and an optional OUT");
    const std::string& name = positional[1];
    std::string out = positional.size() == 3 ? positional[2] : name;
    if (positional.size() == 2 && !SafeFileName(name))
        return Fail("'" + name + "' is not a plain file name; give OUT");

    krResource archive;
    std::string reason;
    if (!LoadArchive(positional[0], archive, reason))
        return Fail(reason);
    const krMemoryBlock* block = archive.Get(name.c_str());
    if (!block)
        return Fail("no entry named '" + name + "' in " + positional[0]);
    krMemoryBlock* plain = nullptr;
    if (HasFlag(flags, "--decrunch"))
    {
        plain = krDecrunchMemoryBlock(block);
        if (!plain)
            return Fail("entry '" + name + "' does not decrunch");
        block = plain;
    }
    bool ok = krPackWriteFile(out, block->data, block->size, reason);
    krFreeMemoryBlock(plain);
    return ok ? peSuccess : Fail(reason);
}

int krPackVerify(int argc, char** argv)
{
    std::vector<std::string> positional, flags;
    bool help;
    std::string problem;
    if (!SplitArgs(argc, argv, {}, positional, flags, help, problem))
        return Usage(kVerifyUsage, problem);
    if (help)
        return fputs(kVerifyUsage, stdout), peSuccess;
    if (positional.size() != 1)
        return Usage(kVerifyUsage, "verify takes exactly one ARCHIVE");
    const std::string& path = positional[0];
    krMemoryBlock* image = krReadMemoryBlock(path.c_str());
    if (!image)
        return Fail("cannot read " + path);
    TPackCheckResult_s check = krPackCheckImage(image);
    uint64_t size = image->size;
    krFreeMemoryBlock(image);
    if (check.verdict != pcSound)
        return Fail(path + ": " + check.reason);
    printf("%s: sound, %" PRIu64 " entries, %" PRIu64 " bytes of data, %" PRIu64 " bytes\n",
           path.c_str(), check.entries, check.dataSize, size);
    return peSuccess;
}

int krPackMain(int argc, char** argv)
{
    if (argc < 2)
        return Usage(kMainUsage, "");
    const char* command = argv[1];
    if (IsHelp(command))
        return fputs(kMainUsage, stdout), peSuccess;
    int rest = argc - 2;
    char** args = argv + 2;
    if (strcmp(command, "create") == 0)
        return krPackCreate(rest, args);
    if (strcmp(command, "list") == 0)
        return krPackList(rest, args);
    if (strcmp(command, "extract") == 0)
        return krPackExtract(rest, args);
    if (strcmp(command, "verify") == 0)
        return krPackVerify(rest, args);
    return Usage(kMainUsage, std::string("unknown command '") + command + "'");
}
