// vossaGamepad: what the gamepad's buttons do, kept free of the game object so that the
// decisions can be checked on their own. On the menus and dialogs the D-pad and the left stick
// move the focus (up and left back, down and right on), A (or Start) presses as Return does and
// B (or Back) goes back as Escape does, closing a dialog. In the trick up and down move a
// highlight over the rows instead, and A answers for the highlighted row, deals from the circle
// and plays again at the reveal. The shoulder buttons change the volume everywhere, as the Up
// and Down keys do: a step when pressed, a step when let go and, held, the steps of a held
// key's repeats.
#pragma once

#include <cstdint>

#include "app/krPadButton.h"

enum TPadAction : int32_t
{
    paNone = 0,
    paFocusNext = 1,     // the focus to the next control
    paFocusPrevious = 2, // the focus to the previous control
    paConfirm = 3,       // as Return: press the focused control, else start, deal, play again
    paBack = 4,          // as Escape, but a dialog is closed
    paRowUp = 5,         // the row highlight one row up
    paRowDown = 6,       // the row highlight one row down
    paVolumeUp = 7,      // music and sound louder
    paVolumeDown = 8,    // music and sound quieter
};

// What pressing `button` does on the menus (`onMenus`: the intro menu and its dialogs) or in
// the trick.
TPadAction PadAction(krPadButton button, bool onMenus);

// The row highlight: 1 top, 2 middle, 3 bottom, as the click rows.
const int32_t kPadFirstRow = 1;
const int32_t kPadLastRow = 3;
// `row` moved by `by` rows, kept within the rows.
int32_t MovePadRow(int32_t row, int32_t by);

// A held shoulder button: after kDelay update steps it repeats every kEvery steps, as a held
// key does, until it is let go.
class vossaPadRepeat
{
public:
    static const int32_t kDelay = 30;
    static const int32_t kEvery = 2;

    // Starts holding in `direction` (+1 louder, -1 quieter); replaces a hold in the other one.
    void Hold(int32_t direction);
    // Lets go of `direction` (a hold of the other direction goes on).
    void Release(int32_t direction);
    // Lets go whatever is held.
    void Stop();
    // One update step: the direction of a repeat due now, else 0.
    int32_t Step();

private:
    int32_t held = 0;
    int32_t steps = 0;
};
