// krGUIKey: the keys the GUI acts on, free of any windowing library. The shell or the program
// turns its own key codes into these and hands them to krGUIManager::OnKey.
#pragma once

#include <cstdint>

enum krGUIKey : int32_t
{
    gkNone = 0,
    gkNext = 1,     // focus the next control (Tab, Right)
    gkPrevious = 2, // focus the previous control (Shift+Tab, Left)
    gkPress = 3,    // press the focused control (Return, keypad Enter, Space)
    gkPageUp = 4,   // scroll text up by a box
    gkPageDown = 5, // scroll text down by a box
    gkHome = 6,     // scroll text to its first line
    gkEnd = 7,      // scroll text to its last line
};
