// vossaGameState: the state machine's decisions, free of SDL and OpenGL.
#include "vossaGameState.h"

namespace
{
// Which deals an entry holds for.
enum TDeals : int32_t
{
    dlAny = 0,  // every deal count
    dlMore = 1, // deals remain before the reveal
    dlDone = 2, // the third deal is done: the next answer reveals the card
};

struct TTransition_s
{
    TGameState from;
    TTrigger trigger;
    TDeals deals;
    TGameState to;
};

const TGameState kUnusedState = static_cast<TGameState>(7);

const TTransition_s kTransitions[] = {
    {gsIntro, trStart, dlAny, gsMindSelect},
    {gsMindSelect, trRowClick, dlAny, gsGoToMixer},
    {gsGoToMixer, trAnimationEnd, dlAny, gsStacking},
    {gsStacking, trAnimationEnd, dlAny, gsChoice},
    {gsChoice, trRowClick, dlMore, gsGoToMixer},
    {gsChoice, trRowClick, dlDone, gsGotoPresentation},
    {gsGotoPresentation, trAnimationEnd, dlAny, gsPresentation},
    {gsPresentation, trRowClick, dlAny, gsGotoMindSelect},
    {gsGotoMindSelect, trAnimationEnd, dlAny, gsMindSelect},
    {gsGoToIntro, trAnimationEnd, dlAny, gsIntro},
    // Escape: from the circle straight back to the menu, from the trick by a flight; on the
    // menu and during that flight it quits (no entry).
    {gsMindSelect, trEscape, dlAny, gsIntro},
    {gsChoice, trEscape, dlAny, gsGoToIntro},
    {gsGoToMixer, trEscape, dlAny, gsGoToIntro},
    {gsStacking, trEscape, dlAny, gsGoToIntro},
    {gsGotoPresentation, trEscape, dlAny, gsGoToIntro},
    {gsPresentation, trEscape, dlAny, gsGoToIntro},
    {gsGotoMindSelect, trEscape, dlAny, gsGoToIntro},
    {kUnusedState, trEscape, dlAny, gsGoToIntro},
};

bool DealsMatch(TDeals deals, int32_t dealCount)
{
    switch (deals)
    {
        case dlMore:
            return dealCount <= kDealsBeforeReveal;
        case dlDone:
            return dealCount > kDealsBeforeReveal;
        case dlAny:
        default:
            return true;
    }
}
} // namespace

TGameState NextState(TGameState state, TTrigger trigger, int32_t dealCount)
{
    for (const TTransition_s& t : kTransitions)
    {
        if (t.from == state && t.trigger == trigger && DealsMatch(t.deals, dealCount))
        {
            return t.to;
        }
    }
    return state;
}

float ClickHeight(int y, int windowHeight, float camZ)
{
    const int half = windowHeight / 2;
    if (half == 0)
    {
        return 0.0f;
    }
    float v = static_cast<float>(windowHeight - y - half) / static_cast<float>(half);
    v = static_cast<float>(v * camZ / 1.72);
    return v;
}

TRowPick_s RowFromHeight(double v)
{
    if (v > -1.2 && v < 1.2)
    {
        return {2, -0.3f};
    }
    if (v > 0)
    {
        return {1, 2.2f};
    }
    return {3, -2.8f};
}

bool IsCornerClick(int x, int y, int windowWidth, int windowHeight)
{
    return x > windowWidth - windowWidth / 10 && y < windowHeight / 10;
}
