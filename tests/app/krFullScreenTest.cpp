// Tests of the full-screen switch through the real main loop: F11 and Alt+Enter switch (a key's
// auto-repeat does not), the switching press reaches no key hook, and a switch to full screen
// brings the display's size to OnResizeWindow.
#include <gtest/gtest.h>

#include <SDL.h>
#include <algorithm>
#include <cstdlib>
#include <string>

#include "gui/krGUIManager.h"
#include "krTestShell.h"

namespace
{
SDL_Event Key(SDL_Keycode key, Uint16 mod = KMOD_NONE, Uint8 repeat = 0)
{
    SDL_Event event = krKeyEvent(SDL_KEYDOWN, key);
    event.key.keysym.mod = mod;
    event.key.repeat = repeat;
    return event;
}

bool Logged(const krTestShell& shell, const std::string& entry)
{
    return std::any_of(shell.log.begin(), shell.log.end(),
                       [&](const std::string& line)
                       { return line.find(entry) != std::string::npos; });
}
} // namespace

TEST(krFullScreenKeys, OnlyF11AndAltEnterSwitchAndNeverTheirRepeats)
{
    EXPECT_TRUE(krSDLWrapper::IsFullScreenKey(Key(SDLK_F11).key));
    EXPECT_TRUE(krSDLWrapper::IsFullScreenKey(Key(SDLK_RETURN, KMOD_LALT).key));
    EXPECT_TRUE(krSDLWrapper::IsFullScreenKey(Key(SDLK_KP_ENTER, KMOD_RALT).key));
    EXPECT_FALSE(krSDLWrapper::IsFullScreenKey(Key(SDLK_RETURN).key));
    EXPECT_FALSE(krSDLWrapper::IsFullScreenKey(Key(SDLK_F11, KMOD_NONE, 1).key));
    EXPECT_FALSE(krSDLWrapper::IsFullScreenKey(Key(SDLK_F10, KMOD_LALT).key));
}

TEST(krFullScreenLoop, F11GoesFullScreenAtTheDisplaySizeAndAltEnterBack)
{
    if (std::getenv("DISPLAY") == nullptr)
    {
        GTEST_SKIP() << "needs an X display";
    }
    krTestShell shell(640, 360, false, true);
    shell.logoEvents = 3;
    ASSERT_TRUE(shell.Init()) << SDL_GetError();
    SDL_Rect bounds;
    ASSERT_EQ(SDL_GetDisplayBounds(0, &bounds), 0);

    krRunEvents(shell, {Key(SDLK_F11)});
    EXPECT_TRUE(shell.IsFullScreen());
    EXPECT_FALSE(Logged(shell, "KeyDown(" + std::to_string(SDLK_F11) + ")"));
    EXPECT_FALSE(Logged(shell, "KeyUp(" + std::to_string(SDLK_F11) + ")"));
    EXPECT_TRUE(Logged(shell, "Resize(")) << "the display's size never reached the hook";
    EXPECT_EQ(shell.GetWidth(), bounds.w);
    EXPECT_EQ(shell.GetHeight(), bounds.h);
    EXPECT_EQ(shell.GetGUIManager()->GetWidth(), bounds.w);

    shell.log.clear();
    krRunEvents(shell, {Key(SDLK_RETURN, KMOD_LALT, 1), Key(SDLK_RETURN, KMOD_LALT)});
    EXPECT_FALSE(shell.IsFullScreen());
    // The repeat was an ordinary key.
    EXPECT_TRUE(Logged(shell, "KeyDown(" + std::to_string(SDLK_RETURN) + ")"));
}
