// Gamepad tests of the shell: the stick's zones on their own, then one of SDL's virtual pads
// fed controller events through the real main loop: the pad is opened, its buttons and stick
// reach the hooks once each, and its removal closes it and lets go of whatever it held.
#include <gtest/gtest.h>

#include <SDL.h>
#include <cstdlib>
#include <functional>

#include "app/krPadStick.h"
#include "krTestShell.h"

// Within the dead zone nothing; a push past the push zone once, held or wobbled, until the
// stick is back in the dead zone; aslant, the axis pushed farther decides.
TEST(krPadStick, DeadZoneAndOnePushPerMovement)
{
    const struct
    {
        int32_t axis, value;
        krPadButton released, pushed;
    } steps[] = {
        {1, -7999, pbNone, pbNone},  {0, 16000, pbNone, pbNone},  {0, 16001, pbNone, pbRight},
        {0, 8000, pbNone, pbNone},   {1, -30000, pbNone, pbNone}, {0, 7999, pbNone, pbNone},
        {1, -7999, pbRight, pbNone}, {1, -20000, pbNone, pbUp},   {2, 0, pbNone, pbNone},
        {0, 20001, pbNone, pbNone},  {1, 0, pbNone, pbNone},      {0, 0, pbUp, pbNone},
        {1, 15000, pbNone, pbNone},  {0, -16500, pbNone, pbLeft},
    };
    krPadStick stick;
    for (const auto& s : steps)
    {
        const krPadStickMove_s move = stick.SetAxis(s.axis, s.value);
        EXPECT_TRUE(move.released == s.released && move.pushed == s.pushed)
            << "axis " << s.axis << " at " << s.value;
    }
    EXPECT_EQ(stick.Release(), pbLeft); // its pad is gone: let go, back at the centre
    EXPECT_EQ(stick.SetAxis(1, 20000).pushed, pbDown);
}

namespace
{
// Runs `onRender` once, in the next frame drawn.
class krPadShell : public krTestShell
{
public:
    krPadShell() : krTestShell(320, 180) {}
    std::function<void()> onRender;
    void Render() override
    {
        krTestShell::Render();
        if (onRender)
        {
            onRender();
            onRender = nullptr;
        }
    }
};
} // namespace

// A pad connected before the loop is opened by it; presses, stick pushes and, on the pad's
// removal, the releases of what it held reach the hooks once each; a pad that is gone reports
// nothing, and one connected while the loop runs is opened.
TEST(krGamepadLoop, PadsOpenPressAndLetGoWhenRemoved)
{
    if (std::getenv("DISPLAY") == nullptr)
    {
        GTEST_SKIP() << "needs an X display";
    }
    krPadShell shell;
    ASSERT_TRUE(shell.Init()) << SDL_GetError();
    SDL_VirtualJoystickDesc desc = {};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    ASSERT_TRUE(index >= 0 && SDL_IsGameController(index)) << SDL_GetError();
    const SDL_JoystickID pad = SDL_JoystickGetDeviceInstanceID(index);
    // A button (down or up) or an axis of the pad, or its removal.
    auto event = [&](Uint32 type, int which, int value = 0)
    {
        SDL_Event e = {};
        e.type = type;
        e.cdevice.which = pad;
        e.cbutton.button = static_cast<Uint8>(which);
        e.caxis.axis = static_cast<Uint8>(which);
        e.caxis.value = static_cast<Sint16>(value);
        return e;
    };
    const Uint32 down = SDL_CONTROLLERBUTTONDOWN, up = SDL_CONTROLLERBUTTONUP,
                 axis = SDL_CONTROLLERAXISMOTION, removed = SDL_CONTROLLERDEVICEREMOVED;
    auto padLog = [&]()
    {
        std::string pads;
        for (const std::string& entry : shell.log)
        {
            pads += entry.find(":Pad") != std::string::npos ? entry.substr(entry.find(':')) : "";
        }
        shell.ClearRecords();
        return pads;
    };

    krRunEvents(shell,
                {event(down, SDL_CONTROLLER_BUTTON_A), event(up, SDL_CONTROLLER_BUTTON_A),
                 event(down, SDL_CONTROLLER_BUTTON_GUIDE), // of no use: not reported
                 event(axis, SDL_CONTROLLER_AXIS_LEFTX, 5000),
                 event(axis, SDL_CONTROLLER_AXIS_LEFTX, 30000),
                 event(axis, SDL_CONTROLLER_AXIS_LEFTX, 12000),
                 event(axis, SDL_CONTROLLER_AXIS_LEFTX, 31000),
                 event(axis, SDL_CONTROLLER_AXIS_RIGHTX, 31000), // the right stick: nothing
                 event(axis, SDL_CONTROLLER_AXIS_LEFTX, 0),
                 event(axis, SDL_CONTROLLER_AXIS_LEFTY, 30000),
                 event(down, SDL_CONTROLLER_BUTTON_DPAD_UP),
                 event(down, SDL_CONTROLLER_BUTTON_DPAD_UP), // a state repeated
                 event(down, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER)},
                krQuitAfterEvents);
    EXPECT_EQ(shell.GetPadCount(), 1);
    EXPECT_EQ(padLog(), ":PadDown(1):PadUp(1):PadDown(12):PadUp(12):PadDown(10):PadDown(9)"
                        ":PadDown(8)");
    // Removed with the stick, the D-pad and a shoulder held: each let go, once.
    krRunEvents(shell,
                {event(removed, 0), event(down, SDL_CONTROLLER_BUTTON_B),
                 event(axis, SDL_CONTROLLER_AXIS_LEFTX, 30000), event(removed, 0)},
                krQuitAfterEvents);
    EXPECT_EQ(shell.GetPadCount(), 0);
    EXPECT_EQ(padLog(), ":PadUp(8):PadUp(9):PadUp(10)");
    SDL_JoystickDetachVirtual(index);

    int second = -1;
    shell.onRender = [&]() { second = SDL_JoystickAttachVirtualEx(&desc); };
    krRunEvents(shell, {}, 3);
    EXPECT_EQ(shell.GetPadCount(), 1);
    SDL_JoystickDetachVirtual(second);
}
