// vossaGameState: the state machine's decisions, free of SDL and OpenGL.
#include "vossaGameState.h"

TGameState RowClickTarget(TGameState state, int32_t dealCount)
{
    switch (state)
    {
        case gsMindSelect:
            return gsGoToMixer;
        case gsChoice:
            return dealCount <= kDealsBeforeReveal ? gsGoToMixer : gsGotoPresentation;
        case gsPresentation:
            return gsGotoMindSelect;
        default:
            return state;
    }
}

TGameState AnimationEndTarget(TGameState state)
{
    switch (state)
    {
        case gsGoToMixer:
            return gsStacking;
        case gsStacking:
            return gsChoice;
        case gsGotoPresentation:
            return gsPresentation;
        case gsGotoMindSelect:
            return gsMindSelect;
        case gsGoToIntro:
            return gsIntro;
        default:
            return state;
    }
}

TEscapeAction EscapeAction(TGameState state)
{
    if (state == gsIntro || state == gsGoToIntro)
    {
        return eaQuit;
    }
    if (state == gsMindSelect)
    {
        return eaIntroAtOnce;
    }
    return eaFlyToIntro;
}

bool StartAllowed(TGameState state)
{
    return state == gsIntro;
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
