// vossaKeyboard: the keys that stand in for clicks, kept free of the game object so that the
// decisions can be checked on their own. Return (without Alt), the keypad's Enter and Space
// confirm: they start a game on the intro menu, deal from the circle and play again at the
// reveal. 1, 2 and 3 (also on the keypad) answer with the top, middle or bottom row while the
// cards lie in rows. A key acts like the click it replaces and only where that click counts.
#pragma once

#include <cstdint>

#include "gui/krGUIKey.h"
#include "vossaGameState.h"

enum TKeyCommand : int32_t
{
    kcNone = 0,
    kcConfirm = 1,   // Return, keypad Enter, Space
    kcTopRow = 2,    // 1, keypad 1
    kcMiddleRow = 3, // 2, keypad 2
    kcBottomRow = 4, // 3, keypad 3
};

// The command of an SDL key symbol.
TKeyCommand KeyCommand(unsigned key);

enum TKeyAction : int32_t
{
    kaNone = 0,
    kaStart = 1,    // the start button's click
    kaRowClick = 2, // a click on the scene that needs no row (deal, play again)
    kaAnswer = 3,   // a click on a row of cards
};

struct TKeyPlan_s
{
    TKeyAction action;
    TRowPick_s pick; // the row answered, for kaAnswer
};

// What `command` does in `state`; `introMenuShown` tells the intro menu from the dialogs
// (which are shown in gsIntro too).
TKeyPlan_s KeyPlan(TKeyCommand command, TGameState state, bool introMenuShown);

// The GUI key of an SDL key symbol: Tab and Right move the focus on, Shift+Tab and Left back;
// Return, keypad Enter and Space press; Page Up, Page Down, Home and End scroll. gkNone for
// the rest (Up and Down stay the volume keys).
krGUIKey FocusKey(unsigned key, bool shift);
