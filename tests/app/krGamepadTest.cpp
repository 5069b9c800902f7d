// Gamepad tests: the stick's dead zone and one push per movement on their own, then a shell on
// the virtual display with one of SDL's virtual pads, fed controller events through the real
// main loop: the pad is opened, its buttons and stick reach the hooks, and its removal closes
// it and lets go of whatever it held.
#include <gtest/gtest.h>

#include <SDL.h>
#include <cstdlib>
#include <functional>

#include "app/krGamepads.h"
#include "app/krPadStick.h"
#include "krTestShell.h"

namespace
{
struct TStickCase_s
{
    int32_t axis;
    int32_t value;
    krPadButton released;
    krPadButton pushed;
};
} // namespace

// Small movements push nothing; a push is reported once, however long the stick stays out or
// however it wobbles there, and the next push needs the stick back in the dead zone first.
TEST(krPadStick, DeadZoneAndOnePushPerMovement)
{
    const TStickCase_s steps[] = {
        {0, 7000, pbNone, pbNone},   {1, -7999, pbNone, pbNone},  // a stick that never centres
        {0, 16000, pbNone, pbNone},  {1, 0, pbNone, pbNone},      // half-way: not yet a push
        {0, 16001, pbNone, pbRight}, {0, 32767, pbNone, pbNone},  // pushed, then held
        {0, 9000, pbNone, pbNone},   {0, 30000, pbNone, pbNone},  // wobbling outside the centre
        {1, -30000, pbNone, pbNone}, {0, 7999, pbNone, pbNone},   // rolled up: still the one push
        {1, -7999, pbRight, pbNone}, {1, -32768, pbNone, pbUp},   // let go; pushed up
        {1, 0, pbUp, pbNone},        {1, 20000, pbNone, pbDown},  // let go; down
        {1, 0, pbDown, pbNone},      {0, -20000, pbNone, pbLeft}, // let go; left
        {2, 0, pbNone, pbNone},      {0, -3, pbLeft, pbNone},     // other axes mean nothing
        {0, 20000, pbNone, pbRight}, {1, -25000, pbNone, pbNone},
    };
    krPadStick stick;
    for (const TStickCase_s& s : steps)
    {
        const krPadStickMove_s move = stick.SetAxis(s.axis, s.value);
        EXPECT_EQ(move.released, s.released) << "axis " << s.axis << " at " << s.value;
        EXPECT_EQ(move.pushed, s.pushed) << "axis " << s.axis << " at " << s.value;
    }
    // A pad that goes away lets go of its push, and its stick starts from the centre again.
    EXPECT_EQ(stick.GetHeld(), pbRight);
    EXPECT_EQ(stick.Release(), pbRight);
    EXPECT_EQ(stick.GetHeld(), pbNone);
    // Pushed aslant, the axis pushed farther decides.
    EXPECT_EQ(stick.SetAxis(1, -15000).pushed, pbNone);
    EXPECT_EQ(stick.SetAxis(0, 20000).pushed, pbRight);
    stick.Release();
    EXPECT_EQ(stick.SetAxis(0, 15000).pushed, pbNone);
    EXPECT_EQ(stick.SetAxis(1, -20000).pushed, pbUp);
}

namespace
{
SDL_Event PadButton(SDL_JoystickID pad, SDL_GameControllerButton button, bool down)
{
    SDL_Event event = {};
    event.type = down ? SDL_CONTROLLERBUTTONDOWN : SDL_CONTROLLERBUTTONUP;
    event.cbutton.which = pad;
    event.cbutton.button = static_cast<Uint8>(button);
    event.cbutton.state = down ? SDL_PRESSED : SDL_RELEASED;
    return event;
}

SDL_Event PadAxis(SDL_JoystickID pad, SDL_GameControllerAxis axis, int16_t value)
{
    SDL_Event event = {};
    event.type = SDL_CONTROLLERAXISMOTION;
    event.caxis.which = pad;
    event.caxis.axis = static_cast<Uint8>(axis);
    event.caxis.value = value;
    return event;
}

SDL_Event PadRemoved(SDL_JoystickID pad)
{
    SDL_Event event = {};
    event.type = SDL_CONTROLLERDEVICEREMOVED;
    event.cdevice.which = pad;
    return event;
}

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
            const std::function<void()> once = onRender;
            onRender = nullptr;
            once();
        }
    }
};

// The log's pad entries, without their frames.
std::vector<std::string> PadLog(const std::vector<std::string>& log)
{
    std::vector<std::string> pads;
    for (const std::string& entry : log)
    {
        if (entry.find(":Pad") != std::string::npos)
        {
            pads.push_back(entry.substr(entry.find(':') + 1));
        }
    }
    return pads;
}
} // namespace

// A pad connected before the loop starts is opened by it; its presses, the stick's pushes and,
// on its removal, the releases of what it still held reach the hooks once each. A pad that is
// gone reports nothing more, and one connected while the loop runs is opened.
TEST(krGamepadLoop, PadsOpenPressAndLetGoWhenRemoved)
{
    if (std::getenv("DISPLAY") == nullptr)
    {
        GTEST_SKIP() << "needs an X display";
    }
    krPadShell shell;
    ASSERT_TRUE(shell.Init()) << SDL_GetError();
    EXPECT_EQ(shell.GetPadCount(), 0);
    SDL_VirtualJoystickDesc desc = {};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    ASSERT_GE(index, 0) << SDL_GetError();
    ASSERT_TRUE(SDL_IsGameController(index));
    const SDL_JoystickID pad = SDL_JoystickGetDeviceInstanceID(index);

    krRunEvents(shell,
                {PadButton(pad, SDL_CONTROLLER_BUTTON_A, true),
                 PadButton(pad, SDL_CONTROLLER_BUTTON_A, false),
                 PadButton(pad, SDL_CONTROLLER_BUTTON_GUIDE, true), // no use: not reported
                 PadAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, 5000),
                 PadAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, 30000),
                 PadAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, 12000),
                 PadAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, 31000),
                 PadAxis(pad, SDL_CONTROLLER_AXIS_RIGHTX, 31000), // the right stick: nothing
                 PadAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, 0),
                 PadAxis(pad, SDL_CONTROLLER_AXIS_LEFTY, 30000),
                 PadButton(pad, SDL_CONTROLLER_BUTTON_DPAD_UP, true),
                 PadButton(pad, SDL_CONTROLLER_BUTTON_DPAD_UP, true), // a repeated state
                 PadButton(pad, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, true)},
                krQuitAfterEvents);
    EXPECT_EQ(shell.GetPadCount(), 1);
    EXPECT_EQ(PadLog(shell.log),
              (std::vector<std::string>{"PadDown(1)", "PadUp(1)", "PadDown(12)", "PadUp(12)",
                                        "PadDown(10)", "PadDown(9)", "PadDown(8)"}));

    // Removed with the D-pad, the shoulder and the stick held: all three let go, once.
    shell.ClearRecords();
    krRunEvents(shell,
                {PadRemoved(pad), PadButton(pad, SDL_CONTROLLER_BUTTON_B, true),
                 PadAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, 30000), PadRemoved(pad)},
                krQuitAfterEvents);
    EXPECT_EQ(shell.GetPadCount(), 0);
    EXPECT_EQ(PadLog(shell.log), (std::vector<std::string>{"PadUp(8)", "PadUp(9)", "PadUp(10)"}));
    SDL_JoystickDetachVirtual(index);

    // Connected while the loop runs: opened from its connection event.
    shell.ClearRecords();
    int second = -1;
    shell.onRender = [&]() { second = SDL_JoystickAttachVirtualEx(&desc); };
    krRunEvents(shell, {}, 3);
    ASSERT_GE(second, 0) << SDL_GetError();
    EXPECT_EQ(shell.GetPadCount(), 1);
    SDL_JoystickDetachVirtual(second);
}
