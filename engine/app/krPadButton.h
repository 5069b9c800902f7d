// krPadButton: the gamepad buttons the shell reports to its program, free of any input
// library. The left stick reports its pushes as the four directions, as the D-pad does.
#pragma once

#include <cstdint>

enum krPadButton : int32_t
{
    pbNone = 0,
    pbA = 1,             // the lower face button: confirm
    pbB = 2,             // the right face button: back
    pbX = 3,             // the left face button
    pbY = 4,             // the upper face button
    pbBack = 5,          // Back, Select or View
    pbStart = 6,         // Start or Menu
    pbLeftShoulder = 7,  // the left bumper
    pbRightShoulder = 8, // the right bumper
    pbUp = 9,            // D-pad up, or the left stick pushed up
    pbDown = 10,         // D-pad down, or the left stick pushed down
    pbLeft = 11,         // D-pad left, or the left stick pushed left
    pbRight = 12,        // D-pad right, or the left stick pushed right
    pbButtonCount = 13
};
