// vossaGameState: the game's states and the decisions of its state machine, kept free of
// SDL and OpenGL so that they can be checked on their own: which state a row click, the end
// of an animation or the Escape key leads to, when the start button counts, and which row a
// click height picks.
#pragma once

#include <cstdint>

enum TGameState : int32_t
{
    gsMindSelect = 0,       // the cards turn on a circle; the player memorises one
    gsChoice = 1,           // three rows of seven; the player clicks the row of the card
    gsGoToMixer = 2,        // the cards fly together into a tumbling group
    gsStacking = 3,         // the cards fly from the group into the rows in their new order
    gsGotoPresentation = 4, // the cards move to the reveal ring, the camera moves
    gsPresentation = 5,     // the chosen card is shown large and spinning
    gsGotoMindSelect = 6,   // the cards return to the circle
    // 7 is not used; a frame in that state does nothing.
    gsIntro = 8,     // intro menu; the circle turns behind it
    gsGoToIntro = 9, // animated return to the intro view
};

// The number of choices after which the card is revealed: the third click in gsChoice
// (made after the third deal) leads to the reveal.
const int32_t kDealsBeforeReveal = 2;

// The state a row click leads to, or `state` itself when a click there changes nothing.
// `dealCount` is the number of deals completed in this game.
TGameState RowClickTarget(TGameState state, int32_t dealCount);

// The state that follows the end of an animation, or `state` when it has no end.
TGameState AnimationEndTarget(TGameState state);

enum TEscapeAction : int32_t
{
    eaQuit = 0,        // the program ends
    eaIntroAtOnce = 1, // straight back to the intro menu
    eaFlyToIntro = 2,  // the camera and the cards fly back to the intro view
};

// What Escape (or AC Back) does in `state`.
TEscapeAction EscapeAction(TGameState state);

// True when a click on the start button starts a game in `state`.
bool StartAllowed(TGameState state);

// Click height on the plane of the rows, seen from a camera at distance camZ on the z axis:
// -1 .. 1 over the window's height scaled by camZ / 1.72 (1.72 is close to 1 / tan 30deg).
float ClickHeight(int y, int windowHeight, float camZ);

struct TRowPick_s
{
    int32_t row;     // 1 top, 2 middle, 3 bottom
    float starLineY; // height of the star line along that row
};

// The row of a click height: strictly inside (-1.2, 1.2) the middle row, above it the top
// row, below it the bottom row.
TRowPick_s RowFromHeight(double v);

// True when (x, y) lies in the top-right corner region, the handle for changing the backdrop:
// the right tenth of the width and the top tenth of the height.
bool IsCornerClick(int x, int y, int windowWidth, int windowHeight);
