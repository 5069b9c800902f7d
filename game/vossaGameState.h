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
    gsIntro = 8,           // intro menu; the circle turns behind it
    gsGoToIntro = 9,       // animated return to the intro view
    gsNumberQuestion = 10, // 27 cards: the player names where the card will turn up
    gsCountOut = 11,       // 27 cards: the pile is counted out to the number named
    gsReplay = 12,         // at the reveal: the replay of how the trick found the card
};

// The number of choices after which the card is revealed: the third click in gsChoice
// (made after the third deal) leads to the reveal.
const int32_t kDealsBeforeReveal = 2;

// What moves the game from one state to another.
enum TTrigger : int32_t
{
    trRowClick = 0,     // a click on the rows (or a row key)
    trAnimationEnd = 1, // the state's animation has run all its steps
    trStart = 2,        // the start button
    trEscape = 3,       // Escape or AC Back
    trNumberGiven = 4,  // the number of the twenty-seven-card trick is confirmed
    trReplay = 5,       // "How did it work?" at the reveal
};

// The game's one transition table: the state that `trigger` moves the game to from `state`,
// or `state` itself when the trigger changes nothing there (Escape then quits the program).
// `dealCount`, the deals completed in this game, decides where an answer in the rows leads:
// to another deal, or after the third deal to the reveal. With `counted` (the
// twenty-seven-card trick) a game starts with the number question and the third answer leads
// to the count-out before the reveal.
TGameState NextState(TGameState state, TTrigger trigger, int32_t dealCount, bool counted = false);

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
