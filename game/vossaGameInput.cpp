// vossaGame, states and input: the per-step dispatch over the game states, the transitions,
// row picking from a click, the corner double click, Escape, the volume keys and focus.
#include <SDL.h>

#include "audio/krMusic.h"
#include "audio/krSampler.h"
#include "data/krString.h"
#include "data/krStringArray.h"
#include "gui/krGUIManager.h"
#include "render/krGeometry.h"
#include "render/krVector.h"
#include "render/krVertexArray.h"
#include "vossaGame.h"

void vossaGame::OnBeforeRender()
{
    switch (trick.State())
    {
        case gsMindSelect:
        case gsIntro:
        case gsNumberQuestion:
            ChangeMindSelectPosition();
            break;
        case gsCountOut:
            CountOut();
            break;
        case gsReplay:
            ReplayStep();
            break;
        case gsChoice:
            ChangeChoicePosition();
            break;
        case gsGoToMixer:
            GoToMixer();
            break;
        case gsStacking:
            Stacking();
            break;
        case gsGotoPresentation:
            GotoPresentation();
            break;
        case gsPresentation:
            Presentation();
            break;
        case gsGotoMindSelect:
            GotoMindSelect();
            break;
        case gsGoToIntro:
            GoToIntro();
            break;
        default:
            break;
    }
}

void vossaGame::ChangeGameState()
{
    // The moving states leave when their animation ends; the others on a row click.
    const bool animationEnded = trick.State() == gsGoToMixer || trick.State() == gsStacking;
    Transit(animationEnded ? trAnimationEnd : trRowClick);
}

bool vossaGame::Transit(TTrigger trigger)
{
    const TGameState from = trick.State();
    if (!trick.Transit(trigger))
    {
        return false;
    }
    const TGameState to = trick.State();
    if (trigger == trRowClick)
    {
        EnterByRowClick(from, to);
    }
    else if (from == gsGoToMixer && to == gsStacking)
    {
        OnBeforeStacking();
    }
    else if (from == gsCountOut && to == gsGotoPresentation)
    {
        SetStripText(20);
        OnBeforeGotoPresentation();
    }
    else if (from == gsGotoPresentation && to == gsPresentation)
    {
        ShowReplayButton(true);
    }
    return true;
}

void vossaGame::EnterByRowClick(TGameState from, TGameState to)
{
    if (from == gsMindSelect)
    {
        trick.dealCount = 0;
        OnBeforeGoToMixer();
        PlayChoiceSound();
        SetStripText(19);
    }
    else if (from == gsChoice)
    {
        // The cards fly from where they are shown: the breathing rows, or the end of a deal
        // that has not quite settled when the answer comes at once.
        TakePositionsFromCards();
        starsVisible = true;
        InitStarLine();
        if (to == gsGoToMixer)
        {
            Reposition(selectedRow);
            SetStripText(19);
            OnBeforeGoToMixer();
        }
        else if (to == gsCountOut)
        {
            SetStripText(kMsgCountOut);
            OnBeforeCountOut();
        }
        else
        {
            SetStripText(20);
            OnBeforeGotoPresentation();
        }
    }
    else if (from == gsPresentation)
    {
        ShowReplayButton(false);
        SetStripText(18);
        OnBeforeGotoMindSelect();
        PlayChoiceSound();
    }
}

void vossaGame::OnLMBUp(int x, int y)
{
    if (IsCornerClick(x, y, GetWidth(), GetHeight()))
    {
        cornerClicked = true;
        return;
    }
    if (trick.State() == gsReplay)
    {
        OnReplayPointer(x, y);
        return;
    }
    if (trick.State() == gsIntro)
    {
        return;
    }
    float position[3];
    GetCamPosition(position);
    const TRowPick_s pick = RowFromHeight(ClickHeight(y, GetHeight(), position[2]));
    selectedRow = pick.row;
    starLineY = pick.starLineY;
    if (trick.State() == gsMindSelect || trick.State() == gsChoice ||
        trick.State() == gsPresentation)
    {
        ChangeGameState();
    }
}

void vossaGame::OnDblClick()
{
    if (cornerClicked)
    {
        ChangeBackground();
    }
    cornerClicked = false;
}

void vossaGame::StartReturnFlight()
{
    float p[3], a[3];
    GetCamPosition(p);
    GetCamAngle(a);
    const float homeAngle[3] = {a[0], kHomeCamAngle[1], kHomeCamAngle[2]};
    cameraFlight.StartTowards(p, a, kHomeCamPosition, homeAngle);
    krVertexArray* revealed = RevealedCard();
    presentedScaleStep = revealed != nullptr ? (5.0f - revealed->GetScale()) / 15.0f : 0.0f;
    TakePositionsFromCards();
    InitVect(presentedAngle, 0.0f, 0.0f, 0.0f);
    if (revealed != nullptr)
    {
        revealed->SetAngle(presentedAngle);
    }
    trick.returnFrame = 0;
}

void vossaGame::TakePositionsFromCards()
{
    for (int32_t i = 0; cards != nullptr && i < trick.CardCount(); ++i)
    {
        if (krVertexArray* box = cards->GetVertexArray(i))
        {
            box->GetCenter(trick.positions.current[i]);
        }
    }
}

void vossaGame::OnKeyUp(unsigned key)
{
    const bool pressEcho = TakeKeyEcho(key);
    switch (key)
    {
        case SDLK_ESCAPE:
        case SDLK_AC_BACK:
            GoBack();
            break;
        case SDLK_UP:
        case SDLK_VOLUMEUP:
            ChangeVolumes(1);
            break;
        case SDLK_DOWN:
        case SDLK_VOLUMEDOWN:
            ChangeVolumes(-1);
            break;
        default:
            if (!pressEcho)
            {
                OnCommandKey(key);
            }
            break;
    }
}

void vossaGame::GoBack()
{
    if (trick.State() == gsReplay)
    {
        CloseReplay();
        return;
    }
    const TGameState to = NextState(trick.State(), trEscape, trick.dealCount, trick.Counted());
    if (to == trick.State())
    {
        // On the menu, or already on the way back to it.
        EndMainLoop();
        return;
    }
    if (krGUIManager* gui = GetGUIManager())
    {
        gui->Clear();
        gameHowToText = nullptr;
        gameHowToPanel = nullptr;
        CreateIntroControls();
    }
    starsVisible = false;
    TurnCardsFaceUp();
    if (to == gsGoToIntro)
    {
        StartReturnFlight();
    }
    Transit(trEscape);
}

void vossaGame::OnLostFocus()
{
    if (musicOn && music != nullptr)
    {
        music->Pause();
    }
}

void vossaGame::OnSetFocus()
{
    if (musicOn && music != nullptr)
    {
        music->Play();
    }
}

void vossaGame::SetStripText(uint64_t index)
{
    stripLine = index;
    if (krGUIManager* gui = GetGUIManager())
    {
        gui->SetValueByID(static_cast<uint8_t>(ciStrip), Message(index));
    }
}

void vossaGame::PlayChoiceSound()
{
    if (sampler != nullptr)
    {
        sampler->PlaySample(0);
    }
}
