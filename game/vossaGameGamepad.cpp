// vossaGame, gamepad: the pad's buttons on the menus and in the trick (see vossaGamepad.h),
// the repeat of a held shoulder button and the highlight over the row the pad points at. The
// highlight's row changes here on input; Render only draws it.
#include "gui/krGUIManager.h"
#include "gui/krGUIObject.h"
#include "vossaGame.h"
#include "vossaRowHighlight.h"

void vossaGame::OnPadButtonDown(krPadButton button)
{
    padInUse = true;
    krGUIManager* gui = GetGUIManager();
    // The screens of buttons: the menus, the number question and the replay.
    const TGameState state = trick.State();
    const bool onMenus =
        state == gsIntro || state == gsGoToIntro || state == gsNumberQuestion || state == gsReplay;
    const TPadAction action = PadAction(button, onMenus);
    switch (action)
    {
        case paFocusNext:
        case paFocusPrevious:
            if (gui == nullptr)
            {
                break;
            }
            // Up and Down turn the pages of a text longer than its box (About, How to play),
            // as Page Up and Page Down do; Left and Right still walk the focus to Close.
            if ((button == pbUp || button == pbDown) &&
                gui->OnKey(button == pbDown ? gkPageDown : gkPageUp))
            {
                break;
            }
            gui->OnKey(action == paFocusNext ? gkNext : gkPrevious);
            break;
        case paConfirm:
            // The focused control first, through the click queue, as Return presses it.
            if (gui != nullptr && gui->OnKey(gkPress))
            {
                break;
            }
            if (trick.State() == gsChoice)
            {
                const TKeyCommand row = static_cast<TKeyCommand>(kcTopRow + padRow - kPadFirstRow);
                RunKeyPlan(KeyPlan(row, trick.State(), false));
            }
            else
            {
                RunKeyPlan(KeyPlan(kcConfirm, trick.State(), TopControl(ciQuit) != nullptr));
            }
            break;
        case paBack:
        {
            // A dialog closes as its close button would; elsewhere it is Escape.
            krGUIObject* dialog = TopControl(ciDialog);
            for (uint64_t i = 0; dialog != nullptr && i < dialog->GetChildCount(); ++i)
            {
                krGUIObject* child = dialog->GetChild(i);
                if (child != nullptr && child->GetID() == ciClose)
                {
                    gui->AppendEvent(geClick, child);
                    return;
                }
            }
            GoBack();
            break;
        }
        case paRowUp:
            padRow = MovePadRow(padRow, -1);
            break;
        case paRowDown:
            padRow = MovePadRow(padRow, 1);
            break;
        case paVolumeUp:
        case paVolumeDown:
        {
            const int32_t direction = action == paVolumeUp ? 1 : -1;
            ChangeVolumes(direction);
            padVolume.Hold(direction);
            break;
        }
        default:
            break;
    }
}

void vossaGame::OnPadButtonUp(krPadButton button)
{
    // A volume button steps once more when let go, as a volume key does.
    const TPadAction action = PadAction(button, false);
    if (action == paVolumeUp || action == paVolumeDown)
    {
        const int32_t direction = action == paVolumeUp ? 1 : -1;
        ChangeVolumes(direction);
        padVolume.Release(direction);
    }
}

void vossaGame::StepPad()
{
    const int32_t direction = padVolume.Step();
    if (direction != 0)
    {
        ChangeVolumes(direction);
    }
}

void vossaGame::DrawRowHighlight() const
{
    if (padInUse && trick.State() == gsChoice)
    {
        DrawRowBand(RowBand(trick.positions.choice, trick.CardCount(), padRow));
    }
}
