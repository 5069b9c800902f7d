// vossaGame, the card trick: the card boxes and their faces, the per-frame animation of every
// state, the camera flights and the reordering between choices that brings the chosen card
// into slot 10 after three answers (or, with 27 cards, to the number named).
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "render/krGeometry.h"
#include "render/krVector.h"
#include "render/krVertexArray.h"
#include "vossaCardFaces.h"
#include "vossaGame.h"

namespace
{
const float kCardScale = 5.0f;
const float kRevealScale = 20.0f;
const int32_t kGatherFrames = 121;
const int32_t kStackFrames = 61;
const int32_t kFlightFrames = 121;
// The camera's fall towards the reveal per step: x and y as designed, z towards the view.
const float kRevealCamStepX = 0.00093379169f;
const float kRevealCamStepY = 0.10518643f;
const float kRevealCamTurn = 0.27874449f;
const uint32_t kTriangles = 4; // GL_TRIANGLES
} // namespace

void vossaGame::StepCameraFlight()
{
    float p[3], a[3];
    GetCamPosition(p);
    GetCamAngle(a);
    if (cameraFlight.Step(p, a))
    {
        SetCamPosition(p);
        SetCamAngle(a);
    }
}

krVertexArray* vossaGame::RevealedCard() const
{
    return cards != nullptr ? cards->GetVertexArray(trick.RevealSlot()) : nullptr;
}

void vossaGame::InitChoicePositions()
{
    trick.positions.LayChoice();
}

void vossaGame::InitMindSelectPositions()
{
    trick.positions.LayCircle();
}

void vossaGame::InitBoxes()
{
    // A pending order refers to the boxes about to be deleted: it is dropped, never installed.
    trick.order.Drop();
    delete cards;
    cards = new krGeometry();

    const char* suffix = highQuality ? "" : "_low";
    // Four colours only when the pack has every face this trick deals in them.
    const int32_t count = trick.CardCount();
    const bool fourColours =
        UseFourColourFaces(resource, count, HasOption(kOptionFourColours), highQuality);
    char name[64];
    krVertexArray* first = nullptr;
    for (int32_t i = 0; i < count; ++i)
    {
        krVertexArray* box = cards->AppendVertexArray(kTriangles);
        box->SetMoveToCenter(true);
        if (i == 0)
        {
            first = box;
            std::snprintf(name, sizeof(name), "box%s", suffix);
            if (krMemoryBlock* mesh = Asset(name))
            {
                box->LoadFromCrunchedMemoryBlock(mesh);
            }
        }
        else
        {
            box->AssignGeometry(first);
        }
        krMemoryBlock* face =
            CardFaceName(name, sizeof(name), i, fourColours, highQuality) ? Asset(name) : nullptr;
        if (face != nullptr)
        {
            box->TextureFromCrunchedMemoryBlock(face);
        }
        box->SetScale(kCardScale);
    }
    cards->SetPositions(trick.positions.choice);

    // Shuffle the faces: the boxes stay, their textures (with their ownership) move.
    srand(static_cast<unsigned>(time(nullptr)));
    for (int32_t j = 0; j < count; ++j)
    {
        const int32_t k = rand() % count;
        if (k == j)
        {
            continue;
        }
        krVertexArray* a = cards->GetVertexArray(j);
        krVertexArray* b = cards->GetVertexArray(k);
        const uint32_t texture = a->textureId;
        const bool owns = a->ownsTexture;
        a->textureId = b->textureId;
        a->ownsTexture = b->ownsTexture;
        b->textureId = texture;
        b->ownsTexture = owns;
    }
}

void vossaGame::ChangeMindSelectPosition()
{
    trick.positions.TurnCircle();
    if (cards != nullptr)
    {
        cards->SetPositions(trick.positions.circle);
    }
}

void vossaGame::ChangeChoicePosition()
{
    trick.positions.PulseChoice();
    if (cards != nullptr)
    {
        cards->SetPositions(trick.positions.choice);
    }
}

void vossaGame::OnBeforeGoToMixer()
{
    if (trick.dealCount != 0)
    {
        trick.mixerFrame = 0;
        return;
    }
    float p[3], a[3];
    GetCamPosition(p);
    GetCamAngle(a);
    trick.positions.StartFirstGather();
    const float rowsView[3] = {0.0f, 0.0f, 20.0f / FlightAspect()};
    const float rowsAngle[3] = {a[0], 0.0f, 0.0f};
    cameraFlight.StartTowards(p, a, rowsView, rowsAngle);
    trick.mixerFrame = 0;
}

void vossaGame::GoToMixer()
{
    if (trick.dealCount == 0)
    {
        trick.positions.FirstGatherStep(Motion().tumble);
        if (cards != nullptr)
        {
            cards->SetPositions(trick.positions.current);
        }
        StepCameraFlight();
        ++trick.mixerFrame;
        if (trick.mixerFrame == kGatherFrames)
        {
            // The camera ends exactly on the z axis, looking at the rows' plane.
            float p[3], a[3];
            GetCamAngle(a);
            InitVect(p, 0.0f, 0.0f, 20.0f / FlightAspect());
            a[1] = 0.0f;
            a[2] = 0.0f;
            SetCamPosition(p);
            SetCamAngle(a);
            trick.positions.KeepGathered();
            ChangeGameState();
        }
        return;
    }

    if (starsVisible)
    {
        UpdateStarLine();
        return;
    }
    trick.positions.GatherStep(Motion().tumble);
    if (cards != nullptr)
    {
        cards->SetPositions(trick.positions.current);
    }
    ++trick.mixerFrame;
    if (trick.mixerFrame == kGatherFrames)
    {
        ChangeGameState();
    }
}

void vossaGame::OnBeforeStacking()
{
    ReplaceBoxesBuffer();
    trick.stackingFrame = 0;
}

void vossaGame::Stacking()
{
    trick.positions.StackStep();
    if (cards != nullptr)
    {
        cards->SetPositions(trick.positions.current);
    }
    ++trick.stackingFrame;
    if (trick.stackingFrame == kStackFrames)
    {
        ++trick.dealCount;
        trick.RecordLayout(cards);
        ChangeGameState();
    }
}

void vossaGame::Reposition(int row)
{
    trick.Prepare(cards, row);
}

void vossaGame::ReplaceBoxesBuffer()
{
    trick.Install(cards);
}

void vossaGame::OnBeforeGotoPresentation()
{
    // The counted trick laid its pile out before the count.
    if (!trick.Counted())
    {
        Reposition(selectedRow);
        ReplaceBoxesBuffer();
    }
    else
    {
        TurnCardsFaceUp();
    }
    trick.positions.LayReveal(trick.RevealSlot());
    float p[3];
    GetCamPosition(p);
    const float positionStep[3] = {-kRevealCamStepX, -kRevealCamStepY,
                                   (22.240955f / FlightAspect() - p[2]) /
                                       static_cast<float>(vossaCameraFlight::kCameraSteps)};
    const float angleStep[3] = {0.0f, 0.0f, -kRevealCamTurn};
    cameraFlight.StartBy(positionStep, angleStep);
    trick.presentationFrame = 0;
}

void vossaGame::GotoPresentation()
{
    if (starsVisible)
    {
        UpdateStarLine();
        return;
    }
    trick.positions.RevealStep();
    StepCameraFlight();
    if (cards != nullptr)
    {
        cards->SetPositions(trick.positions.current);
    }
    if (trick.presentationFrame < kFlightFrames)
    {
        ++trick.presentationFrame;
        return;
    }
    presentedScale = kCardScale;
    InitVect(presentedAngle, 0.0f, 0.0f, 0.0f);
    InitStarSphere();
    starsVisible = true;
    starAlpha = 0.0f;
    Transit(trAnimationEnd);
    ++trick.presentationFrame;
}

void vossaGame::Presentation()
{
    const TMotion_s motion = Motion();
    trick.positions.SpinReveal(motion.tumble);
    if (cards != nullptr)
    {
        cards->SetPositions(trick.positions.reveal);
    }
    if (presentedScale < kRevealScale)
    {
        presentedScale += 0.1f;
    }
    if (krVertexArray* revealed = RevealedCard())
    {
        revealed->SetScale(presentedScale);
        revealed->SetAngle(presentedAngle);
    }
    presentedAngle[0] += motion.presentedSpin;
    presentedAngle[2] += motion.presentedSpin;

    if (starAlpha < 1.0f)
    {
        starAlpha += 0.01f;
        if (motion.starSphereMoves)
        {
            ScaleMatrix(&starPositions[0][0], 1.001f, kStarCount);
        }
        for (int32_t i = 0; stars != nullptr && i < kStarCount; ++i)
        {
            if (krVertexArray* star = stars->GetVertexArray(i))
            {
                star->SetAlpha(starAlpha);
            }
        }
    }
    if (motion.starSphereMoves)
    {
        RotateMatrixZ(&starPositions[0][0], starSpins, kStarCount);
    }
    if (stars != nullptr)
    {
        stars->SetPositions(starPositions);
    }
    if (starSphereFrame >= 301)
    {
        RandomMatrix(starSpins, -1.0f, -3.0f, kStarCount);
        starSphereFrame = 0;
    }
    ++starSphereFrame;
}

void vossaGame::OnBeforeGotoMindSelect()
{
    krVertexArray* revealed = RevealedCard();
    presentedScaleStep = revealed != nullptr ? (5.0f - revealed->GetScale()) / 15.0f : 0.0f;
    InitVect(presentedAngle, 0.0f, 0.0f, 0.0f);
    if (revealed != nullptr)
    {
        revealed->SetAngle(presentedAngle);
    }
    float p[3], a[3];
    GetCamPosition(p);
    GetCamAngle(a);
    const float circleView[3] = {kHomeCamPosition[0], kHomeCamPosition[1],
                                 18.622881f / FlightAspect()};
    const float circleAngle[3] = {a[0], kHomeCamAngle[1], kHomeCamAngle[2]};
    cameraFlight.StartTowards(p, a, circleView, circleAngle);
    trick.positions.StartReturnFromReveal();
    trick.returnFrame = 0;
}

// Shrinks the revealed card back towards the common card size.
static void ShrinkRevealed(krVertexArray* revealed, float step)
{
    if (revealed == nullptr)
    {
        return;
    }
    const float scale = revealed->GetScale();
    revealed->SetScale(scale > kCardScale ? scale + step : kCardScale);
}

void vossaGame::GotoMindSelect()
{
    trick.positions.ReturnStep();
    StepCameraFlight();
    ShrinkRevealed(RevealedCard(), presentedScaleStep);
    if (cards != nullptr)
    {
        cards->SetPositions(trick.positions.current);
    }

    if (starAlpha > 0.0f)
    {
        starAlpha -= 0.005f;
    }
    for (int32_t i = 0; stars != nullptr && i < kStarCount; ++i)
    {
        if (krVertexArray* star = stars->GetVertexArray(i))
        {
            star->SetAlpha(starAlpha);
        }
    }
    if (Motion().starSphereMoves)
    {
        ScaleMatrix(&starPositions[0][0], 1.05f, kStarCount);
        RotateMatrixZ(&starPositions[0][0], -2.0f, kStarCount);
    }
    if (stars != nullptr)
    {
        stars->SetPositions(starPositions);
    }

    if (trick.returnFrame == kFlightFrames)
    {
        presentedScale = kCardScale;
        if (krVertexArray* revealed = RevealedCard())
        {
            revealed->SetScale(kCardScale);
        }
        InitVect(presentedAngle, 0.0f, 0.0f, 0.0f);
        Transit(trAnimationEnd);
        starsVisible = false;
        trick.positions.SettleCircle();
    }
    ++trick.returnFrame;
}

void vossaGame::GoToIntro()
{
    StepCameraFlight();
    trick.positions.HomeStep();
    if (cards != nullptr)
    {
        cards->SetPositions(trick.positions.current);
    }
    ShrinkRevealed(RevealedCard(), presentedScaleStep);
    if (trick.returnFrame == kFlightFrames)
    {
        presentedScale = kCardScale;
        InitVect(presentedAngle, 0.0f, 0.0f, 0.0f);
        if (krVertexArray* revealed = RevealedCard())
        {
            revealed->SetScale(kCardScale);
            revealed->SetAngle(presentedAngle);
        }
        Transit(trAnimationEnd);
    }
    ++trick.returnFrame;
}
