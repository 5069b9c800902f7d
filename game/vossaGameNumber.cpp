// vossaGame, the twenty-seven-card trick: the trick the settings choose, the question for the
// number at which the card will turn up, and the count-out of the pile to that number after
// the third answer.
#include <SDL.h>
#include <string>

#include "data/krString.h"
#include "gui/krGUIButton.h"
#include "gui/krGUILabel.h"
#include "gui/krGUIManager.h"
#include "gui/krGUIPanel.h"
#include "render/krGeometry.h"
#include "render/krVertexArray.h"
#include "vossaGame.h"
#include "vossaScreenLayout.h"

namespace
{
// The count-out, in update steps: the cards fly to the pile turning face down, each card is
// counted onto the second pile, then the card at the number turns face up and rests a moment.
const int32_t kPileSteps = 61;
const int32_t kFaceDownSteps = 30;
const int32_t kCountSteps = 24;
const int32_t kTurnSteps = 30;
const int32_t kRestSteps = 30;

// The question panel and its controls, relative to the panel.
const int32_t kNumberWidth = 460, kNumberHeight = 140;
const int32_t kStepButtonWidth = 64;

// The digit of a key, or -1.
int32_t DigitOf(unsigned key)
{
    if (key >= SDLK_0 && key <= SDLK_9)
    {
        return static_cast<int32_t>(key - SDLK_0);
    }
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9)
    {
        return static_cast<int32_t>(key - SDLK_KP_1) + 1;
    }
    return key == SDLK_KP_0 ? 0 : -1;
}

krString NumberText(int32_t value)
{
    return krString(value > 0 ? std::to_string(value).c_str() : "_");
}
} // namespace

void vossaGame::ChooseTrick()
{
    if (trick.State() != gsIntro)
    {
        return;
    }
    numberEntry.Clear();
    const bool counted = HasOption(kOptionTrick27);
    if (counted == trick.Counted())
    {
        return;
    }
    trick.SetCounted(counted);
    if (cards != nullptr)
    {
        InitBoxes();
    }
}

void vossaGame::CreateNumberControls()
{
    krGUIManager* gui = GetGUIManager();
    if (gui == nullptr)
    {
        return;
    }
    shownScreen = scNumber;
    const int32_t w = GUIWidth(), h = GUIHeight();
    krGUIPanel* panel = krGUIPanel::Create(ciDialog, (w - kNumberWidth) / 2,
                                           (h - kNumberHeight) / 3, kNumberWidth, kNumberHeight);
    panel->SetBackgroundColor(1.0f, 1.0f, 1.0f, 0.8f);
    gui->AppendControl(panel);
    krGIULabel* question =
        krGIULabel::Create(ciNone, smallFont, 10, 10, Message(kMsgNumberQuestion));
    question->SetColor(0.0f, 0.0f, 0.0f, 1.0f);
    panel->AppendChild(question);
    panel->AppendChild(krGUIButton::Create(ciNumberDown, mainFont, blueButtonStates, 20, 40,
                                           kStepButtonWidth, kButtonHeight, krString(L"-")));
    krGIULabel* shown = krGIULabel::Create(ciNumberShown, mainFont, kNumberWidth / 2 - 12, 46,
                                           NumberText(numberEntry.Value()));
    shown->SetColor(0.0f, 0.0f, 0.0f, 1.0f);
    panel->AppendChild(shown);
    panel->AppendChild(krGUIButton::Create(ciNumberUp, mainFont, blueButtonStates,
                                           kNumberWidth - 20 - kStepButtonWidth, 40,
                                           kStepButtonWidth, kButtonHeight, krString(L"+")));
    panel->AppendChild(krGUIButton::Create(ciNumberOk, mainFont, greenButtonStates,
                                           (kNumberWidth - kButtonWidth) / 2, 90, kButtonWidth,
                                           kButtonHeight, Message(kMsgNumberOk)));
}

void vossaGame::OnNumberClick(uint32_t id)
{
    if (trick.State() != gsNumberQuestion)
    {
        return;
    }
    switch (id)
    {
        case ciNumberDown:
        case ciNumberUp:
            numberEntry.Step(id == ciNumberUp ? 1 : -1);
            break;
        case ciNumberOk:
            if (!numberEntry.Valid() || !trick.SetNumber(numberEntry.Value()))
            {
                return;
            }
            if (krGUIManager* gui = GetGUIManager())
            {
                gui->Clear();
            }
            gameHowToText = nullptr;
            gameHowToPanel = nullptr;
            shownScreen = scNone;
            stripLine = 18;
            if (showGameHowTo)
            {
                CreateGameHowToControls();
            }
            Transit(trNumberGiven);
            return;
        default:
            return;
    }
    if (krGUIManager* gui = GetGUIManager())
    {
        gui->SetValueByID(static_cast<uint8_t>(ciNumberShown), NumberText(numberEntry.Value()));
    }
}

bool vossaGame::OnNumberKey(unsigned key)
{
    if (trick.State() != gsNumberQuestion)
    {
        return false;
    }
    const int32_t digit = DigitOf(key);
    if (digit >= 0)
    {
        numberEntry.Type(digit);
    }
    else if (key == SDLK_BACKSPACE)
    {
        numberEntry.Erase();
    }
    else if (key == SDLK_RETURN || key == SDLK_KP_ENTER)
    {
        OnNumberClick(ciNumberOk);
        return true;
    }
    else
    {
        return false;
    }
    if (krGUIManager* gui = GetGUIManager())
    {
        gui->SetValueByID(static_cast<uint8_t>(ciNumberShown), NumberText(numberEntry.Value()));
    }
    return true;
}

void vossaGame::OnBeforeCountOut()
{
    // The rows gathered into the pile that is counted: slot 0 its top card.
    Reposition(selectedRow);
    ReplaceBoxesBuffer();
    trick.positions.LayPile();
    trick.countFrame = 0;
    AppendCountControls();
}

// Shows (count > 0) or hides the count.
static void ShowCount(krGUIManager* gui, int32_t count)
{
    for (uint64_t i = 0; gui != nullptr && i < gui->GetControlCount(); ++i)
    {
        krGUIObject* control = gui->GetControl(i);
        if (control != nullptr && control->GetID() == ciCount)
        {
            control->SetVisible(count > 0);
        }
    }
    if (gui != nullptr && count > 0)
    {
        gui->SetValueByID(static_cast<uint8_t>(ciCount), krString(std::to_string(count).c_str()));
    }
}

void vossaGame::CountOut()
{
    if (starsVisible)
    {
        UpdateStarLine();
        return;
    }
    const int32_t step = trick.countFrame++;
    const int32_t number = trick.Number();
    trick.positions.PileStep();
    if (cards != nullptr)
    {
        cards->SetPositions(trick.positions.current);
    }
    // Under reduced motion the cards turn over at once instead of in a half-turn.
    const bool turnAtOnce = !Motion().tumble;
    if (step < kPileSteps)
    {
        // Face down on the way to the pile.
        const float turned = turnAtOnce || step + 1 >= kFaceDownSteps
                                 ? 180.0f
                                 : 180.0f * static_cast<float>(step + 1) / kFaceDownSteps;
        const float angle[3] = {0.0f, turned, 0.0f};
        for (int32_t i = 0; cards != nullptr && i < trick.CardCount(); ++i)
        {
            cards->GetVertexArray(i)->SetAngle(angle);
        }
        return;
    }
    const int32_t counting = step - kPileSteps;
    const int32_t counted = counting / kCountSteps + 1;
    if (counted <= number)
    {
        if (counting % kCountSteps == 0)
        {
            trick.positions.CountOnto(counted - 1, counted);
            ShowCount(GetGUIManager(), counted);
        }
        return;
    }
    // The card at the number turns face up where it lies.
    const int32_t turning = counting - number * kCountSteps + 1;
    if (krVertexArray* found = RevealedCard())
    {
        const float left = turnAtOnce || turning >= kTurnSteps
                               ? 0.0f
                               : 180.0f * static_cast<float>(kTurnSteps - turning) / kTurnSteps;
        const float angle[3] = {0.0f, left, 0.0f};
        found->SetAngle(angle);
    }
    if (turning >= kTurnSteps + kRestSteps)
    {
        ShowCount(GetGUIManager(), 0);
        Transit(trAnimationEnd);
    }
}

void vossaGame::AppendCountControls()
{
    krGUIManager* gui = GetGUIManager();
    if (gui == nullptr)
    {
        return;
    }
    // The count, below the strip and above the pile counted onto; shown from the first count.
    const int32_t w = GUIWidth();
    krGUIPanel* panel = krGUIPanel::Create(ciCount, w / 2 - 40, 56, 80, 44);
    panel->SetBackgroundColor(1.0f, 1.0f, 1.0f, 0.8f);
    gui->AppendControl(panel);
    krGIULabel* count = krGIULabel::Create(ciCount, mainFont, 28, 8, krString(L"  "));
    count->SetColor(0.0f, 0.0f, 0.0f, 1.0f);
    panel->AppendChild(count);
    panel->SetVisible(false);
}

void vossaGame::AppendTrickControls()
{
    if (trick.State() == gsPresentation)
    {
        ShowReplayButton(true);
    }
    else if (trick.State() == gsCountOut)
    {
        AppendCountControls();
        const int32_t counting = trick.countFrame - 1 - kPileSteps;
        if (counting >= 0)
        {
            const int32_t counted = counting / kCountSteps + 1;
            ShowCount(GetGUIManager(), counted <= trick.Number() ? counted : 0);
        }
    }
}

void vossaGame::TurnCardsFaceUp()
{
    const float upright[3] = {0.0f, 0.0f, 0.0f};
    for (int32_t i = 0; cards != nullptr && i < trick.CardCount(); ++i)
    {
        if (krVertexArray* box = cards->GetVertexArray(i))
        {
            box->SetAngle(upright);
        }
    }
}
