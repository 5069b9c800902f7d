// End-to-end: the 27-card trick chosen in the settings file, played with the keyboard alone:
// the number question takes digits and Return, three answers on rows of nine, the pile is
// counted out with each count shown, and the followed card is revealed.
#include <gtest/gtest.h>

#include <cstring>

#include "e2eHarness.h"

using namespace e2e;

namespace
{
// A 48-byte settings file: default colours, English, everything on, volumes 64, and the options
// byte with the 27-card trick chosen.
std::vector<unsigned char> SettingsWithCountedTrick()
{
    const float colours[8] = {0.889129638671875f, 0.629486083984375f, 0.13458251953125f, 1.0f,
                              0.084930419921875f, 0.404876708984375f, 0.7286376953125f,  1.0f};
    std::vector<unsigned char> bytes(48, 0);
    std::memcpy(bytes.data(), colours, sizeof(colours));
    bytes[36] = bytes[37] = bytes[38] = 1;
    bytes[39] = 1;
    const int32_t volume = 64;
    std::memcpy(bytes.data() + 40, &volume, 4);
    std::memcpy(bytes.data() + 44, &volume, 4);
    return bytes;
}

// The number question's panel, in the middle of the upper screen.
bool NumberQuestionShown(const TShot_s& s)
{
    return PanelAt(s, 430, 200) && PanelAt(s, 850, 320) && !IsIntro(s);
}

// The count's panel below the strip.
bool CountShown(const TShot_s& s)
{
    return PanelAt(s, 605, 60) && PanelAt(s, 675, 95);
}

class CountedTrick : public SessionTest
{
};
} // namespace

TEST_F(CountedTrick, PlayedByKeyboardCountsOutTheFollowedCardAtTheNumber)
{
    ASSERT_TRUE(WriteFile(folder + "/vossaconfig.bin", SettingsWithCountedTrick()));
    ASSERT_TRUE(game.Start(folder, {}, folder + "/output.txt"));
    ASSERT_TRUE(WaitForScreen(game, IsIntro, 90, shot)) << "no intro menu";
    MoveAway();
    Key("Return");
    ASSERT_TRUE(WaitForScreen(game, NumberQuestionShown, 20, shot)) << "no number question";
    Keep(shot, "question");
    // 2 and 5 make 25; Backspace leaves 2; 0 makes 20.
    Key("2");
    Key("5");
    Key("BackSpace");
    Key("0");
    Key("Return");
    ASSERT_TRUE(WaitForScreen(
        game, [](const TShot_s& s) { return !NumberQuestionShown(s) && StripShown(s); }, 20, shot))
        << "the number was not taken";
    const int face = 9;
    ASSERT_TRUE(WaitForScreen(
        game, [&](const TShot_s& s) { return CardSeen(s, face); }, 30, shot))
        << "card " << face << " not seen on the circle";
    Keep(shot, "circle");
    Key("space");
    for (int choice = 1; choice <= 3; ++choice)
    {
        const int slot = WaitForRows(face, "layout" + std::to_string(choice), 120, 9);
        ASSERT_GE(slot, 0) << "choice " << choice << ": rows or card not found";
        const char* keys[3] = {"3", "2", "1"};
        ASSERT_TRUE(Answer([&] { Key(keys[slot / 9]); })) << "choice " << choice << " not taken";
    }
    ASSERT_TRUE(WaitForScreen(game, CountShown, 60, shot)) << "no count shown";
    Keep(shot, "counting");
    int revealed = -1;
    const bool shown = WaitForScreen(
        game, [&](const TShot_s& s) { return (revealed = LargeCardInMiddle(s)) >= 0; }, 120, shot);
    Keep(shot, shown ? "reveal" : "no-reveal");
    ASSERT_TRUE(shown) << "no card revealed";
    EXPECT_EQ(revealed, face);
}
