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

// Which trick an entry holds for.
enum TTrickKind : int32_t
{
    tkAny = 0,     // both tricks
    tkPlain = 1,   // the twenty-one-card trick
    tkCounted = 2, // the twenty-seven-card trick, counted out to a number
};

struct TTransition_s
{
    TGameState from;
    TTrigger trigger;
    TDeals deals;
    TGameState to;
    TTrickKind kind;
};

const TGameState kUnusedState = static_cast<TGameState>(7);

const TTransition_s kTransitions[] = {
    {gsIntro, trStart, dlAny, gsMindSelect, tkPlain},
    {gsIntro, trStart, dlAny, gsNumberQuestion, tkCounted},
    {gsNumberQuestion, trNumberGiven, dlAny, gsMindSelect, tkAny},
    {gsMindSelect, trRowClick, dlAny, gsGoToMixer, tkAny},
    {gsGoToMixer, trAnimationEnd, dlAny, gsStacking, tkAny},
    {gsStacking, trAnimationEnd, dlAny, gsChoice, tkAny},
    {gsChoice, trRowClick, dlMore, gsGoToMixer, tkAny},
    {gsChoice, trRowClick, dlDone, gsGotoPresentation, tkPlain},
    {gsChoice, trRowClick, dlDone, gsCountOut, tkCounted},
    {gsCountOut, trAnimationEnd, dlAny, gsGotoPresentation, tkAny},
    {gsGotoPresentation, trAnimationEnd, dlAny, gsPresentation, tkAny},
    {gsPresentation, trRowClick, dlAny, gsGotoMindSelect, tkAny},
    {gsPresentation, trReplay, dlAny, gsReplay, tkAny},
    {gsGotoMindSelect, trAnimationEnd, dlAny, gsMindSelect, tkAny},
    {gsGoToIntro, trAnimationEnd, dlAny, gsIntro, tkAny},
    // Escape: from the question and the circle straight back to the menu, from the trick by a
    // flight; on the menu and during that flight it quits (no entry).
    {gsNumberQuestion, trEscape, dlAny, gsIntro, tkAny},
    {gsMindSelect, trEscape, dlAny, gsIntro, tkAny},
    {gsChoice, trEscape, dlAny, gsGoToIntro, tkAny},
    {gsGoToMixer, trEscape, dlAny, gsGoToIntro, tkAny},
    {gsStacking, trEscape, dlAny, gsGoToIntro, tkAny},
    {gsCountOut, trEscape, dlAny, gsGoToIntro, tkAny},
    {gsGotoPresentation, trEscape, dlAny, gsGoToIntro, tkAny},
    {gsPresentation, trEscape, dlAny, gsGoToIntro, tkAny},
    {gsGotoMindSelect, trEscape, dlAny, gsGoToIntro, tkAny},
    // Escape closes the replay: back to the reveal.
    {gsReplay, trEscape, dlAny, gsPresentation, tkAny},
    {kUnusedState, trEscape, dlAny, gsGoToIntro, tkAny},
};

bool KindMatches(TTrickKind kind, bool counted)
{
    return kind == tkAny || (kind == tkCounted) == counted;
}

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

TGameState NextState(TGameState state, TTrigger trigger, int32_t dealCount, bool counted)
{
    for (const TTransition_s& t : kTransitions)
    {
        if (t.from == state && t.trigger == trigger && DealsMatch(t.deals, dealCount) &&
            KindMatches(t.kind, counted))
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
