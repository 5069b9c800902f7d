// vossaGame, keyboard: the keys that stand in for clicks (see vossaKeyboard.h). The shell hands
// every press to OnKeyDown and then once more to OnKeyUp; these keys act once per stroke, on
// the real release, as a click acts once on its release.
#include <SDL.h>

#include "gui/krGUIManager.h"
#include "gui/krGUIObject.h"
#include "vossaGame.h"
#include "vossaKeyboard.h"

namespace
{
bool AltHeld()
{
    return (SDL_GetModState() & KMOD_ALT) != 0;
}
} // namespace

void vossaGame::OnKeyDown(unsigned key)
{
    krSDLWrapper::OnKeyDown(key);
    keyEcho = key;
    if (AltHeld())
    {
        altKey = key;
        return;
    }
    // In the replay Left and Right step through it, not through its buttons.
    if (trick.State() == gsReplay && (key == SDLK_LEFT || key == SDLK_RIGHT))
    {
        return;
    }
    // The focus and scrolling keys act on every press, auto-repeat included; a press of the
    // focused control waits for the release, as a click does.
    const krGUIKey guiKey = FocusKey(key, (GetKeyMods() & KMOD_SHIFT) != 0);
    krGUIManager* gui = GetGUIManager();
    if (gui != nullptr && guiKey != gkNone && guiKey != gkPress)
    {
        gui->OnKey(guiKey);
    }
}

bool vossaGame::TakeKeyEcho(unsigned key)
{
    if (key != keyEcho || key == 0)
    {
        return false;
    }
    keyEcho = 0;
    return true;
}

krGUIObject* vossaGame::TopControl(uint32_t id) const
{
    krGUIManager* gui = GetGUIManager();
    for (uint64_t i = 0; gui != nullptr && i < gui->GetControlCount(); ++i)
    {
        krGUIObject* control = gui->GetControl(i);
        if (control != nullptr && control->GetID() == id)
        {
            return control;
        }
    }
    return nullptr;
}

void vossaGame::OnCommandKey(unsigned key)
{
    // Alt with Return belongs to the window (full screen), not to the game; a key pressed
    // with Alt stays the window's even when Alt is let go first.
    const bool withAlt = AltHeld() || altKey == key;
    if (altKey == key)
    {
        altKey = 0;
    }
    if (withAlt)
    {
        return;
    }
    // With the focus shown, the keys that confirm press the focused control, through the
    // click queue, so OnGUIClick sees it as it sees a click.
    krGUIManager* gui = GetGUIManager();
    if (gui != nullptr && FocusKey(key, false) == gkPress && gui->OnKey(gkPress))
    {
        return;
    }
    if (OnNumberKey(key) || OnReplayKey(key))
    {
        return;
    }
    const TKeyCommand command = KeyCommand(key);
    if (command == kcNone)
    {
        return;
    }
    RunKeyPlan(KeyPlan(command, trick.State(), TopControl(ciQuit) != nullptr));
}

void vossaGame::RunKeyPlan(const TKeyPlan_s& plan)
{
    switch (plan.action)
    {
        case kaStart:
            if (krGUIObject* start = TopControl(ciStart))
            {
                OnGUIClick(start);
            }
            break;
        case kaAnswer:
            selectedRow = plan.pick.row;
            starLineY = plan.pick.starLineY;
            ChangeGameState();
            break;
        case kaRowClick:
            ChangeGameState();
            break;
        default:
            break;
    }
}
