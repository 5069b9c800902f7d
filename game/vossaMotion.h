// vossaMotion: how much the scene moves beyond what the trick needs, full or reduced, for
// players sensitive to motion. Reduced, the cards slide to their places without tumbling, the
// camera glides along the same path easing in and out, the revealed card does not spin, the
// counted cards turn over at once, the stars fade where they are without turning, and the
// tickers stand still. Nothing here
// changes the cards' order, the frames a phase lasts or where anything ends.
#pragma once

struct TMotion_s
{
    bool tumble;          // the gathered cards and the reveal ring turn about their centre, and
                          // the counted cards turn over in a half-turn rather than at once
    bool easedCamera;     // the camera flights ease in and out instead of keeping one speed
    float presentedSpin;  // degrees per step the revealed card turns about x and about z
    float starLineTurn;   // degrees per step the star line turns about its axis
    bool starSphereMoves; // the star sphere turns and swells, and flies apart at the end
    bool tickerScrolls;   // the tickers move their text; else they show it still
};

TMotion_s MotionFor(bool reduced);

// The share of an eased flight's way covered after `step` of `steps` steps, 0 to 1: the steps
// grow from nothing and shrink to nothing again (smoothstep).
float EasedProgress(int step, int steps);
