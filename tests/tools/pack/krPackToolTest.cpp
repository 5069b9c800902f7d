// End-to-end tests of the vossa-pack program: exit status, messages and output files.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>
#include <vector>

#include "data/krResource.h"
#include "krTestFiles.h"

namespace
{
struct TRun_s
{
    int status;
    std::string out;
    std::string err;
};

class PackTool : public ::testing::Test
{
protected:
    std::string dir;

    void SetUp() override
    {
        dir = krTestTempDir();
        ASSERT_FALSE(dir.empty());
        Write("hello.txt", "hello hello hello hello");
        Write("empty.txt", "");
        std::string noise;
        for (int i = 0; i < 3000; i++)
            noise += (char)(i * 7919 >> 3);
        Write("noise.bin", noise);
    }

    std::string Path(const std::string& name) const { return dir + "/" + name; }

    void Write(const std::string& name, const std::string& text)
    {
        ASSERT_TRUE(
            krTestWriteFile(Path(name), std::vector<unsigned char>(text.begin(), text.end())));
    }

    std::string Read(const std::string& name) const
    {
        std::vector<unsigned char> bytes;
        if (!krTestReadFile(Path(name), bytes))
            return "<missing>";
        return std::string(bytes.begin(), bytes.end());
    }

    // Runs vossa-pack with `args` in the test folder.
    TRun_s Run(const std::string& args) const
    {
        std::string command = "cd '" + dir + "' && '" VOSSA_PACK_PATH "' " + args + " >'" + dir +
                              "/.out' 2>'" + dir + "/.err'";
        int raw = std::system(command.c_str());
        TRun_s run = {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Read(".out"), Read(".err")};
        remove((dir + "/.out").c_str());
        remove((dir + "/.err").c_str());
        return run;
    }

    std::vector<std::string> Files() const
    {
        std::vector<std::string> names;
        DIR* d = opendir(dir.c_str());
        while (dirent* e = d ? readdir(d) : nullptr)
            if (e->d_name[0] != '.')
                names.push_back(e->d_name);
        if (d)
            closedir(d);
        std::sort(names.begin(), names.end());
        return names;
    }

    // Exit status 1 and a one-line message that says `says`.
    static void ExpectOneLineError(const TRun_s& run, const std::string& says = "")
    {
        EXPECT_EQ(run.status, 1);
        ASSERT_FALSE(run.err.empty());
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
        EXPECT_NE(run.err.find(says), std::string::npos) << run.err;
    }
};
} // namespace

TEST_F(PackTool, CreateListVerifyExtract)
{
    TRun_s run =
        Run("create pack.bin --crunch greeting=hello.txt nothing=empty.txt noise=noise.bin");
    ASSERT_EQ(run.status, 0) << run.err;

    krResource archive;
    ASSERT_TRUE(archive.ReadFromFile(Path("pack.bin").c_str()));
    ASSERT_EQ(archive.Length(), 3u);
    EXPECT_STREQ(archive.GetName(0), "greeting");
    EXPECT_STREQ(archive.GetName(2), "noise");
    krMemoryBlock* plain = krDecrunchMemoryBlock(archive.Get("greeting"));
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(std::string((char*)plain->data, plain->size), Read("hello.txt"));
    krFreeMemoryBlock(plain);

    run = Run("list pack.bin");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("greeting"), std::string::npos);
    EXPECT_NE(run.out.find(" 23\n"), std::string::npos) << run.out; // unpacked size
    EXPECT_NE(run.out.find(" 3000\n"), std::string::npos) << run.out;

    run = Run("verify pack.bin");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("3 entries"), std::string::npos);

    EXPECT_EQ(Run("extract pack.bin noise --decrunch").status, 0);
    EXPECT_EQ(Read("noise"), Read("noise.bin"));
    EXPECT_EQ(Run("extract pack.bin greeting raw.bin").status, 0);
    EXPECT_EQ(Read("raw.bin").substr(0, 6), std::string("\x17\0\0\0\x78\xDA", 6));
    run = Run("extract pack.bin greeting - --decrunch");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, Read("hello.txt"));
}

TEST_F(PackTool, PlainEntriesAndListing)
{
    ASSERT_EQ(Run("create plain.bin a=hello.txt b=empty.txt").status, 0);
    krResource archive;
    ASSERT_TRUE(archive.ReadFromFile(Path("plain.bin").c_str()));
    EXPECT_EQ(archive.Get("a")->size, 23u);
    EXPECT_EQ(archive.Get("b")->size, 0u);
    TRun_s run = Run("list plain.bin");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find(" 23            -\n"), std::string::npos) << run.out;
}

TEST_F(PackTool, BadUsageExitsTwoWithUsage)
{
    const char* cases[] = {"",
                           "frobnicate",
                           "create",
                           "create out.bin",
                           "create out.bin hello.txt",
                           "create out.bin =hello.txt",
                           "create out.bin --bogus a=hello.txt",
                           "list",
                           "list a b",
                           "extract pack.bin",
                           "verify"};
    for (const char* args : cases)
    {
        TRun_s run = Run(args);
        EXPECT_EQ(run.status, 2) << args;
        EXPECT_NE(run.err.find("usage:"), std::string::npos) << args;
    }
    for (const char* command : {"", "create ", "list ", "extract ", "verify "})
    {
        TRun_s run = Run(std::string(command) + "--help");
        EXPECT_EQ(run.status, 0) << command;
        EXPECT_EQ(run.out.compare(0, 6, "usage:"), 0) << command;
    }
    EXPECT_EQ(Files(), (std::vector<std::string>{"empty.txt", "hello.txt", "noise.bin"}));
}

TEST_F(PackTool, BadInputExitsOneAndLeavesNoOutput)
{
    ASSERT_EQ(Run("create pack.bin a=hello.txt").status, 0);
    std::string good = Read("pack.bin");

    ExpectOneLineError(Run("create pack.bin a=noise.bin b=missing.txt"));
    ExpectOneLineError(Run("create pack.bin a=hello.txt a=noise.bin"));
    ExpectOneLineError(Run("create pack.bin 0123456789abcdef0123456789abcdef=hello.txt"));
    ExpectOneLineError(Run("create pack.bin a=empty.txt"));
    ExpectOneLineError(Run("create no/such/dir.bin a=hello.txt"));
    EXPECT_EQ(Read("pack.bin"), good);

    ExpectOneLineError(Run("list missing.bin"));
    ExpectOneLineError(Run("verify hello.txt"));
    ExpectOneLineError(Run("extract pack.bin nothing out.bin"));
    ExpectOneLineError(Run("extract pack.bin a out.bin --decrunch")); // not crunched
    ExpectOneLineError(Run("extract pack.bin ../a"));
    EXPECT_EQ(Files(),
              (std::vector<std::string>{"empty.txt", "hello.txt", "noise.bin", "pack.bin"}));

    std::string damaged = good;
    damaged[damaged.size() - 1] ^= 1;
    Write("damaged.bin", damaged);
    ExpectOneLineError(Run("verify damaged.bin"), "CRC mismatch");
    ExpectOneLineError(Run("list damaged.bin"));
    ExpectOneLineError(Run("extract damaged.bin a out.bin"));

    Write("cut.bin", good.substr(0, 7));
    ExpectOneLineError(Run("verify cut.bin"), "too short");
    EXPECT_EQ(Read("out.bin"), "<missing>");
}
