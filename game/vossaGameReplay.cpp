// vossaGame, the replay "How did it work?": opened at the reveal by its button or H, it lays
// the cards out as they were dealt for each answer with the cards that could still be the
// player's lit and the others dimmed, then shows the gathering and the deal slowly; Escape or
// its close button returns to the reveal, which has waited where it was.
#include <GL/gl.h>
#include <SDL.h>
#include <string>

#include "data/krString.h"
#include "gui/krGUIButton.h"
#include "gui/krGUILabel.h"
#include "gui/krGUIManager.h"
#include "gui/krGUIPanel.h"
#include "gui/krGUIScale.h"
#include "render/krGeometry.h"
#include "render/krVector.h"
#include "render/krVertexArray.h"
#include "vossaGame.h"
#include "vossaScreenLayout.h"

namespace
{
const int32_t kReplayButtonWidth = 200;
const int32_t kCaptionWidth = 720, kCaptionHeight = 122;
// How bright a dimmed card is drawn, against a lit one.
const float kDimmed = 0.35f;
// Each update step a card closes this share of the way to its place in the replay.
const float kReplayApproach = 1.0f / 6.0f;

void Replace(std::wstring& text, const wchar_t* field, const std::wstring& value)
{
    const std::wstring key(field);
    for (size_t at = text.find(key); at != std::wstring::npos; at = text.find(key, at))
    {
        text.replace(at, key.size(), value);
        at += value.size();
    }
}

std::wstring Wide(int32_t value)
{
    return std::to_wstring(value);
}
} // namespace

void vossaGame::ShowReplayButton(bool show)
{
    krGUIManager* gui = GetGUIManager();
    if (gui == nullptr)
    {
        return;
    }
    if (krGUIObject* button = TopControl(ciReplay))
    {
        button->SetVisible(show);
        return;
    }
    if (!show)
    {
        return;
    }
    // At the right end of the strip, just below it.
    const TStripLayout_s l = StripLayout(GUIWidth());
    gui->AppendControl(krGUIButton::Create(
        ciReplay, mainFont, blueButtonStates, l.panel.x + l.panel.w - kReplayButtonWidth,
        l.panel.y + l.panel.h + 4, kReplayButtonWidth, kButtonHeight, Message(kMsgReplayButton)));
}

void vossaGame::OpenReplay()
{
    if (trick.State() != gsPresentation || !replay.Open(trick.Record()) || cards == nullptr)
    {
        return;
    }
    Transit(trReplay);
    GetCamPosition(replayCamPosition);
    GetCamAngle(replayCamAngle);
    float rowsView[3] = {0.0f, 0.0f, 20.0f / FlightAspect()};
    float rowsAngle[3] = {replayCamAngle[0], 0.0f, 0.0f};
    SetCamPosition(rowsView);
    SetCamAngle(rowsAngle);
    starsVisible = false;
    if (krVertexArray* revealed = RevealedCard())
    {
        const float upright[3] = {0.0f, 0.0f, 0.0f};
        revealed->SetScale(5.0f);
        revealed->SetAngle(upright);
    }
    TakePositionsFromCards();
    if (krGUIManager* gui = GetGUIManager())
    {
        gui->Clear();
        gameHowToText = nullptr;
        gameHowToPanel = nullptr;
        CreateReplayControls();
    }
}

void vossaGame::CloseReplay()
{
    if (trick.State() != gsReplay)
    {
        return;
    }
    replay.Close();
    SetCamPosition(replayCamPosition);
    SetCamAngle(replayCamAngle);
    starsVisible = true;
    Transit(trEscape);
    if (krGUIManager* gui = GetGUIManager())
    {
        gui->Clear();
        gameHowToText = nullptr;
        gameHowToPanel = nullptr;
        shownScreen = scNone;
        if (showGameHowTo)
        {
            CreateGameHowToControls();
        }
        ShowReplayButton(true);
    }
}

void vossaGame::ReplayStep()
{
    replay.Update();
    for (int32_t i = 0; cards != nullptr && i < trick.CardCount(); ++i)
    {
        float target[3];
        if (!replay.Target(cards->GetVertexArray(i), target))
        {
            continue;
        }
        float* p = trick.positions.current[i];
        for (int k = 0; k < 3; ++k)
        {
            p[k] += (target[k] - p[k]) * kReplayApproach;
        }
    }
    if (cards != nullptr)
    {
        cards->SetPositions(trick.positions.current);
    }
}

krString vossaGame::ReplayCaption(uint64_t line) const
{
    const krString& source = Message(line);
    std::wstring text = source.GetString() != nullptr ? source.GetString() : L"";
    const TTrickRecord_s& record = replay.Record();
    const int32_t all = 3 * record.rowLength;
    std::wstring chain = Wide(all);
    for (int32_t k = 0; k < 3; ++k)
    {
        chain += L" -> " + Wide(CandidateCount(record, k));
    }
    std::wstring digits;
    for (int32_t k = 0; k < 3 && record.number > 0; ++k)
    {
        digits += (k > 0 ? L" " : L"") + Wide(static_cast<int32_t>(PilePlaceFor(record.number, k)));
    }
    Replace(text, L"{n}", Wide(replay.LitCount()));
    Replace(text, L"{all}", Wide(all));
    Replace(text, L"{chain}", chain);
    Replace(text, L"{number}", Wide(record.number));
    Replace(text, L"{minus}", Wide(record.number - 1));
    Replace(text, L"{digits}", digits);
    return krString(text.c_str());
}

void vossaGame::CreateReplayControls()
{
    krGUIManager* gui = GetGUIManager();
    if (gui == nullptr)
    {
        return;
    }
    shownScreen = scReplay;
    const int32_t w = GUIWidth(), h = GUIHeight();
    // The row answered, marked at both edges of the screen.
    const int32_t row = replay.MarkedRow();
    if (row >= 0)
    {
        // The rows' plane seen from the replay's camera: 2.5 units a row, the screen's height
        // 2 * (20 / aspect) * tan 30 units.
        const float unitsHigh = 2.0f * 20.0f / FlightAspect() * 0.57735f;
        const int32_t y = static_cast<int32_t>(h * (0.5f - (row - 1) * 2.5f / unitsHigh));
        const int32_t half = static_cast<int32_t>(h * 1.2f / unitsHigh);
        for (int32_t x : {2, w - 14})
        {
            krGUIPanel* mark = krGUIPanel::Create(ciNone, x, y - half, 12, 2 * half);
            mark->SetBackgroundColor(1.0f, 1.0f, 1.0f, 0.9f);
            gui->AppendControl(mark);
        }
    }
    const int32_t cw = w - 4 < kCaptionWidth ? w - 4 : kCaptionWidth;
    krGUIPanel* panel =
        krGUIPanel::Create(ciDialog, (w - cw) / 2, h - kCaptionHeight - 8, cw, kCaptionHeight);
    panel->SetBackgroundColor(1.0f, 1.0f, 1.0f, 0.8f);
    gui->AppendControl(panel);
    const bool counted = replay.Record().number > 0;
    const uint64_t first[vossaReplay::kSteps] = {kMsgReplayStep1, kMsgReplayStep2, kMsgReplayStep3,
                                                 counted ? kMsgReplayStep4Counted
                                                         : kMsgReplayStep4};
    const uint64_t line = first[replay.Step() - 1];
    for (uint64_t k = 0; k < 2; ++k)
    {
        krGIULabel* caption = krGIULabel::Create(
            ciNone, smallFont, 10, 10 + 18 * static_cast<int32_t>(k), ReplayCaption(line + k));
        caption->SetColor(0.0f, 0.0f, 0.0f, 1.0f);
        panel->AppendChild(caption);
    }
    krGIULabel* step = krGIULabel::Create(
        ciNone, smallFont, cw - 40, 56,
        krString(
            (std::to_string(replay.Step()) + "/" + std::to_string(vossaReplay::kSteps)).c_str()));
    step->SetColor(0.0f, 0.0f, 0.0f, 1.0f);
    panel->AppendChild(step);
    const int32_t by = kCaptionHeight - kButtonHeight - 8;
    panel->AppendChild(krGUIButton::Create(ciReplayBack, mainFont, blueButtonStates, 10, by,
                                           kButtonWidth, kButtonHeight, Message(kMsgReplayBack)));
    panel->AppendChild(krGUIButton::Create(ciReplayClose, mainFont, blueButtonStates,
                                           (cw - kButtonWidth) / 2, by, kButtonWidth, kButtonHeight,
                                           Message(7)));
    panel->AppendChild(krGUIButton::Create(ciReplayNext, mainFont, greenButtonStates,
                                           cw - kButtonWidth - 10, by, kButtonWidth, kButtonHeight,
                                           Message(kMsgReplayNext)));
}

void vossaGame::OnReplayControl(uint32_t id)
{
    bool moved = false;
    switch (id)
    {
        case ciReplay:
            OpenReplay();
            return;
        case ciReplayClose:
            CloseReplay();
            return;
        case ciReplayBack:
            moved = replay.Back();
            break;
        case ciReplayNext:
            moved = replay.Next();
            break;
        default:
            return;
    }
    krGUIManager* gui = GetGUIManager();
    if (moved && gui != nullptr && trick.State() == gsReplay)
    {
        gui->Clear();
        CreateReplayControls();
    }
}

bool vossaGame::OnReplayKey(unsigned key)
{
    if (trick.State() == gsPresentation && key == SDLK_h)
    {
        OpenReplay();
        return true;
    }
    if (trick.State() != gsReplay)
    {
        return false;
    }
    switch (key)
    {
        case SDLK_RIGHT:
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
        case SDLK_SPACE:
            OnReplayControl(ciReplayNext);
            return true;
        case SDLK_LEFT:
            OnReplayControl(ciReplayBack);
            return true;
        default:
            return false;
    }
}

void vossaGame::OnReplayPointer(int x, int y)
{
    krGUIManager* gui = GetGUIManager();
    if (gui == nullptr)
    {
        return;
    }
    const int32_t ux = krPixelsToUnits(x, gui->GetScale());
    const int32_t uy = krPixelsToUnits(y, gui->GetScale());
    for (uint64_t i = 0; i < gui->GetControlCount(); ++i)
    {
        krGUIObject* control = gui->GetControl(i);
        if (control != nullptr && control->GetVisible() && control->GetID() != ciNone &&
            control->IsInside(ux, uy))
        {
            return;
        }
    }
    OnReplayControl(ciReplayNext);
}

void vossaGame::DrawCards()
{
    if (cards == nullptr)
    {
        return;
    }
    if (!replay.IsOpen())
    {
        // Opaque and depth-tested: nearest first, the cards behind are mostly turned away by
        // the depth test before they are textured.
        cards->DrawNearestFirst();
        return;
    }
    const float diffuse[4] = {0.9f, 0.9f, 0.9f, 1.0f};
    const float dimDiffuse[4] = {0.9f * kDimmed, 0.9f * kDimmed, 0.9f * kDimmed, 1.0f};
    const float dimEmission[4] = {mat_emission[0] * kDimmed, mat_emission[1] * kDimmed,
                                  mat_emission[2] * kDimmed, mat_emission[3]};
    for (int32_t i = 0; i < trick.CardCount(); ++i)
    {
        krVertexArray* box = cards->GetVertexArray(i);
        if (box == nullptr)
        {
            continue;
        }
        const bool lit = replay.Lit(box);
        glMaterialfv(GL_FRONT, GL_DIFFUSE, lit ? diffuse : dimDiffuse);
        glMaterialfv(GL_FRONT, GL_EMISSION, lit ? mat_emission : dimEmission);
        box->Draw();
    }
    glMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
    glMaterialfv(GL_FRONT, GL_EMISSION, mat_emission);
}
