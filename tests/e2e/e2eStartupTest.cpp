// End-to-end, on every platform the program is built for (the Windows build runs these under
// Wine): a start-up that cannot succeed (an OpenGL older than 1.5, no pack, a damaged one, one
// without the card mesh) ends at once with status 1 and one line on standard error that names
// the reason, and writes no settings; a run's settings land in the player's file with the
// language and volumes the run set.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "e2eHarness.h"

using namespace e2e;

namespace
{
class Startup : public SessionTest
{
protected:
    // Starts the program (with the pack as `prepare` left it, in `env`) and expects it to fail
    // with a line that holds `reason`.
    void ExpectFailure(const std::function<bool()>& prepare, const std::string& reason,
                       const std::vector<std::string>& env = {})
    {
        SCOPED_TRACE(reason);
        ASSERT_TRUE(prepare());
        ASSERT_TRUE(game.Start(folder, env, folder + "/output.txt"));
        int status = -1;
        ASSERT_TRUE(game.WaitForExit(60 * Slowness(), &status)) << "the program did not end";
        EXPECT_EQ(status, 1);
        std::vector<unsigned char> bytes;
        ASSERT_TRUE(ReadFile(folder + "/output.txt", bytes));
        const std::string text(bytes.begin(), bytes.end());
        std::istringstream output(text);
        int lines = 0;
        for (std::string line; std::getline(output, line);)
        {
            if (line.rfind("vossa: ", 0) == 0)
            {
                ++lines;
                EXPECT_EQ(line.rfind("vossa: cannot start: ", 0), 0u) << line;
                EXPECT_NE(line.find(reason), std::string::npos) << line;
            }
        }
        EXPECT_EQ(lines, 1) << text;
        // A whole line, ended as lines are.
        EXPECT_NE(text.find('\n', text.find("vossa: cannot start: ")), std::string::npos) << text;
        EXPECT_FALSE(FileExists(folder + "/vossaconfig.bin")) << "a failed start wrote settings";
    }
};
} // namespace

TEST_F(Startup, AFailedStartExitsWithItsReason)
{
    const std::string pack = folder + "/vossadata.bin";
    const std::string full = folder + "/full.bin";
    // Mesa then reports an older OpenGL than the game needs.
    ExpectFailure([] { return true; }, "OpenGL 1.5 is needed; the driver offers 1.4",
                  {"MESA_GL_VERSION_OVERRIDE=1.4"});
    ASSERT_TRUE(Shell("mv '" + pack + "' '" + full + "'"));
    ExpectFailure([] { return true; }, "vossadata.bin cannot be read");
    ExpectFailure([&] { return WriteFile(pack, std::vector<unsigned char>(300, 0x5A)); },
                  "vossadata.bin is damaged");
    ExpectFailure([&] { return BuildArchive(full, pack, false, {"box"}); },
                  "vossadata.bin has no entry \"box\" (the card mesh)");
}

// The first start takes the system's language (Polish); each stroke of Up is two volume steps.
TEST_F(Startup, TheRunsSettingsLandInThePlayersFile)
{
    ASSERT_TRUE(StartToIntro({"LANG=pl_PL.UTF-8"})) << "no intro menu";
    for (int i = 0; i < 3; ++i)
    {
        Key("Up");
        Pause(0.3);
    }
    Key("Escape");
    ASSERT_EQ(ExitStatus(), 0);
    const TSettingsFile_s saved = SavedSettings();
    EXPECT_EQ(saved.language, 1);
    EXPECT_EQ(saved.musicVolume, 70);
    EXPECT_EQ(saved.soundVolume, 70);
}
