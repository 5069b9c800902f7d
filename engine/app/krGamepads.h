// krGamepads: the game controllers the shell holds open, through SDL's game controller
// interface (whose mapping database turns any known pad into the same named buttons). Pads
// are opened when SDL reports them connected, or when the loop starts for those connected
// earlier, and closed when they are removed. Their SDL events become presses and releases of
// krPadButton: the face, shoulder, Back and Start buttons and the D-pad as they are, the left
// stick as pushes of the four directions (see krPadStick). A release is reported only for a
// press that was, and a pad that goes away releases whatever it held, so nothing stays held.
#pragma once

#include <SDL.h>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "app/krPadButton.h"
#include "app/krPadStick.h"

struct krPadPress_s
{
    krPadButton button;
    bool down; // pressed (true) or released
};

class krGamepads
{
public:
    krGamepads() = default;
    // Closes every pad still open (call CloseAll before SDL shuts down).
    ~krGamepads();

    krGamepads(const krGamepads&) = delete;
    krGamepads& operator=(const krGamepads&) = delete;

    // Opens every connected joystick that SDL knows as a game controller and that is not open
    // yet; returns how many were opened.
    int32_t OpenPresent();
    // One SDL event: a pad connected or removed, a button or an axis of an open pad. Returns
    // the presses and releases it makes, in order (none for any other event).
    std::vector<krPadPress_s> HandleEvent(const SDL_Event& event);
    void CloseAll();
    // Pads open now.
    int32_t GetCount() const { return static_cast<int32_t>(pads.size()); }

    // The button that SDL's game controller button stands for, pbNone when it has no use.
    static krPadButton ButtonOf(int32_t controllerButton);

private:
    struct TPad_s
    {
        SDL_GameController* controller; // owned
        SDL_JoystickID instance;
        uint32_t held; // bit n: krPadButton n pressed as a button
        krPadStick stick;
    };

    std::vector<TPad_s> pads;

    // Opens the joystick at `deviceIndex` unless it is open already: true when it was opened.
    bool Open(int32_t deviceIndex);
    TPad_s* Find(SDL_JoystickID instance);
    // Closes the pad with `instance`, releasing what it held into `presses`.
    void Close(SDL_JoystickID instance, std::vector<krPadPress_s>& presses);
};
