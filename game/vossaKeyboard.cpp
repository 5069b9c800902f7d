// vossaKeyboard: key symbols to commands, commands to the clicks they stand for.
#include "vossaKeyboard.h"

#include <SDL_keycode.h>

TKeyCommand KeyCommand(unsigned key)
{
    switch (key)
    {
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
        case SDLK_SPACE:
            return kcConfirm;
        case SDLK_1:
        case SDLK_KP_1:
            return kcTopRow;
        case SDLK_2:
        case SDLK_KP_2:
            return kcMiddleRow;
        case SDLK_3:
        case SDLK_KP_3:
            return kcBottomRow;
        default:
            return kcNone;
    }
}

TKeyPlan_s KeyPlan(TKeyCommand command, TGameState state, bool introMenuShown)
{
    TKeyPlan_s plan = {kaNone, {0, 0.0f}};
    if (command == kcConfirm)
    {
        if (state == gsIntro && introMenuShown)
        {
            plan.action = kaStart;
        }
        else if (state == gsMindSelect || state == gsPresentation)
        {
            plan.action = kaRowClick;
        }
    }
    else if (command != kcNone && state == gsChoice)
    {
        // The pick a click in the middle of that row's band would give.
        const int32_t row = command - kcTopRow + 1;
        plan.action = kaAnswer;
        plan.pick = RowFromHeight(2.5 * (2 - row));
    }
    return plan;
}

krGUIKey FocusKey(unsigned key, bool shift)
{
    switch (key)
    {
        case SDLK_TAB:
            return shift ? gkPrevious : gkNext;
        case SDLK_RIGHT:
            return gkNext;
        case SDLK_LEFT:
            return gkPrevious;
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
        case SDLK_SPACE:
            return gkPress;
        case SDLK_PAGEUP:
            return gkPageUp;
        case SDLK_PAGEDOWN:
            return gkPageDown;
        case SDLK_HOME:
            return gkHome;
        case SDLK_END:
            return gkEnd;
        default:
            return gkNone;
    }
}
