// vossaGame, the card trick: the 21 card boxes and their faces, the per-frame animation of
// every state, the camera flights and the reordering between choices that brings the chosen
// card into slot 10 after three answers.
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "render/krGeometry.h"
#include "render/krVector.h"
#include "render/krVertexArray.h"
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

// Every entry moves a tenth of the way to its target.
void Approach(float (*current)[3], const float (*target)[3])
{
    for (int32_t i = 0; i < kCardCount; ++i)
    {
        for (int32_t k = 0; k < 3; ++k)
        {
            current[i][k] += (target[i][k] - current[i][k]) / 10.0f;
        }
    }
}

// Turns the points 1 degree about y, z and x, in that order, around (0, 0, centreZ).
void Tumble(float (*points)[3], float centreZ)
{
    MoveMatrix(&points[0][0], 0.0f, 0.0f, -centreZ, kCardCount);
    RotateMatrixY(&points[0][0], 1.0f, kCardCount);
    RotateMatrixZ(&points[0][0], 1.0f, kCardCount);
    RotateMatrixX(&points[0][0], 1.0f, kCardCount);
    MoveMatrix(&points[0][0], 0.0f, 0.0f, centreZ, kCardCount);
}

// Turns the points 1 degree about x, y and z, in that order, around (0, 0, centreZ).
void TumbleRing(float (*points)[3], float centreZ)
{
    MoveMatrix(&points[0][0], 0.0f, 0.0f, -centreZ, kCardCount);
    RotateMatrixX(&points[0][0], 1.0f, kCardCount);
    RotateMatrixY(&points[0][0], 1.0f, kCardCount);
    RotateMatrixZ(&points[0][0], 1.0f, kCardCount);
    MoveMatrix(&points[0][0], 0.0f, 0.0f, centreZ, kCardCount);
}

// Turns the circle 0.5 degrees about the vertical axis through its centre.
void TurnCircle(float (*points)[3], float centreZ)
{
    MoveMatrix(&points[0][0], 0.0f, 0.0f, -centreZ, kCardCount);
    RotateMatrixY(&points[0][0], 0.5f, kCardCount);
    MoveMatrix(&points[0][0], 0.0f, 0.0f, centreZ, kCardCount);
}
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
    return cards != nullptr ? cards->GetVertexArray(kRevealSlot) : nullptr;
}

void vossaGame::InitChoicePositions()
{
    InitChoiceLayout(choicePositions);
}

void vossaGame::InitMindSelectPositions()
{
    InitCircleLayout(circlePositions, circleZ);
}

void vossaGame::InitBoxes()
{
    // A pending order refers to the boxes about to be deleted: it is dropped, never installed.
    delete reorderedCards;
    reorderedCards = nullptr;
    delete cards;
    cards = new krGeometry();

    const char* suffix = highQuality ? "" : "_low";
    char name[64];
    krVertexArray* first = nullptr;
    for (int32_t i = 0; i < kCardCount; ++i)
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
        std::snprintf(name, sizeof(name), "texture_%d%s", static_cast<int>(i), suffix);
        if (krMemoryBlock* face = Asset(name))
        {
            box->TextureFromCrunchedMemoryBlock(face);
        }
        box->SetScale(kCardScale);
    }
    cards->SetPositions(choicePositions);

    // Shuffle the faces: the boxes stay, their textures (with their ownership) move.
    srand(static_cast<unsigned>(time(nullptr)));
    for (int32_t j = 0; j < kCardCount; ++j)
    {
        const int32_t k = rand() % kCardCount;
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
    TurnCircle(circlePositions, circleZ);
    if (cards != nullptr)
    {
        cards->SetPositions(circlePositions);
    }
}

void vossaGame::ChangeChoicePosition()
{
    float factor;
    if (choicePulseCounter <= 19 && choicePulseGrowing)
    {
        ++choicePulseCounter;
        factor = 1.002f;
    }
    else
    {
        choicePulseGrowing = false;
        --choicePulseCounter;
        if (choicePulseCounter < 0)
        {
            choicePulseGrowing = true;
        }
        factor = 0.998f;
    }
    ScaleMatrix(&choicePositions[0][0], factor, kCardCount);
    if (cards != nullptr)
    {
        cards->SetPositions(choicePositions);
    }
}

void vossaGame::OnBeforeGoToMixer()
{
    if (dealCount != 0)
    {
        mixerFrame = 0;
        return;
    }
    float p[3], a[3];
    GetCamPosition(p);
    GetCamAngle(a);
    CopyMatrix(&currentPositions[0][0], &circlePositions[0][0], kCardCount);
    gatherZ = circleZ;
    const float rowsView[3] = {0.0f, 0.0f, 20.0f / FlightAspect()};
    const float rowsAngle[3] = {a[0], 0.0f, 0.0f};
    cameraFlight.StartTowards(p, a, rowsView, rowsAngle);
    mixerFrame = 0;
}

void vossaGame::GoToMixer()
{
    if (dealCount == 0)
    {
        MoveMatrix(&currentPositions[0][0], 0.0f, 0.0f, -0.1f, kCardCount);
        Tumble(currentPositions, gatherZ);
        gatherZ -= 0.1f;
        if (cards != nullptr)
        {
            cards->SetPositions(currentPositions);
        }
        StepCameraFlight();
        ++mixerFrame;
        if (mixerFrame == kGatherFrames)
        {
            // The camera ends exactly on the z axis, looking at the rows' plane.
            float p[3], a[3];
            GetCamAngle(a);
            InitVect(p, 0.0f, 0.0f, 20.0f / FlightAspect());
            a[1] = 0.0f;
            a[2] = 0.0f;
            SetCamPosition(p);
            SetCamAngle(a);
            CopyMatrix(&stackPositions[0][0], &currentPositions[0][0], kCardCount);
            ChangeGameState();
        }
        return;
    }

    if (starsVisible)
    {
        UpdateStarLine();
        return;
    }
    Tumble(stackPositions, gatherZ);
    Approach(currentPositions, stackPositions);
    if (cards != nullptr)
    {
        cards->SetPositions(currentPositions);
    }
    ++mixerFrame;
    if (mixerFrame == kGatherFrames)
    {
        ChangeGameState();
    }
}

void vossaGame::OnBeforeStacking()
{
    ReplaceBoxesBuffer();
    stackingFrame = 0;
}

void vossaGame::Stacking()
{
    Approach(currentPositions, choicePositions);
    if (cards != nullptr)
    {
        cards->SetPositions(currentPositions);
    }
    ++stackingFrame;
    if (stackingFrame == kStackFrames)
    {
        ++dealCount;
        ChangeGameState();
    }
}

void vossaGame::Reposition(int row)
{
    if (cards == nullptr || cards->Length() != static_cast<uint64_t>(kCardCount))
    {
        return;
    }
    // Undo the disguise of the layout on screen; the positions follow their boxes.
    SwapDisguise(cards->items, rowPicks);
    SwapDisguise(currentPositions, rowPicks);

    int32_t newToOld[kCardCount];
    DealOrder(row, newToOld);
    delete reorderedCards;
    reorderedCards = new krGeometry();
    reorderedCards->SetClearOnDestroy(false);
    for (int32_t i = 0; i < kCardCount; ++i)
    {
        reorderedCards->AppendVertexArray(cards->GetVertexArray(newToOld[i]));
    }
}

void vossaGame::ReplaceBoxesBuffer()
{
    if (reorderedCards == nullptr)
    {
        return;
    }
    rowPicks[0] = rand() % 7;
    rowPicks[1] = rand() % 7 + 7;
    rowPicks[2] = rand() % 7 + 14;
    if (dealCount <= kDealsBeforeReveal)
    {
        SwapDisguise(reorderedCards->items, rowPicks);
    }
    if (cards != nullptr && cards->Length() == reorderedCards->Length() &&
        cards->Length() == static_cast<uint64_t>(kCardCount))
    {
        // Entry i of currentPositions becomes where the box now in slot i stands.
        CarryPositions(reinterpret_cast<const void* const*>(cards->items),
                       reinterpret_cast<const void* const*>(reorderedCards->items),
                       currentPositions, kCardCount);
        for (int32_t i = 0; i < kCardCount; ++i)
        {
            cards->InsertVertexArray(i, reorderedCards->GetVertexArray(i));
        }
    }
    delete reorderedCards;
    reorderedCards = nullptr;
}

void vossaGame::OnBeforeGotoPresentation()
{
    Reposition(selectedRow);
    ReplaceBoxesBuffer();
    InitRevealLayout(presentationPositions, circleZ);
    float p[3];
    GetCamPosition(p);
    const float positionStep[3] = {-kRevealCamStepX, -kRevealCamStepY,
                                   (22.240955f / FlightAspect() - p[2]) /
                                       static_cast<float>(vossaCameraFlight::kCameraSteps)};
    const float angleStep[3] = {0.0f, 0.0f, -kRevealCamTurn};
    cameraFlight.StartBy(positionStep, angleStep);
    presentationFrame = 0;
}

void vossaGame::GotoPresentation()
{
    if (starsVisible)
    {
        UpdateStarLine();
        return;
    }
    Approach(currentPositions, presentationPositions);
    StepCameraFlight();
    if (cards != nullptr)
    {
        cards->SetPositions(currentPositions);
    }
    if (presentationFrame < kFlightFrames)
    {
        ++presentationFrame;
        return;
    }
    presentedScale = kCardScale;
    InitVect(presentedAngle, 0.0f, 0.0f, 0.0f);
    InitStarSphere();
    starsVisible = true;
    starAlpha = 0.0f;
    Transit(trAnimationEnd);
    ++presentationFrame;
}

void vossaGame::Presentation()
{
    TumbleRing(presentationPositions, circleZ);
    if (cards != nullptr)
    {
        cards->SetPositions(presentationPositions);
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
    presentedAngle[0] += 1.0f;
    presentedAngle[2] += 1.0f;

    if (starAlpha < 1.0f)
    {
        starAlpha += 0.01f;
        ScaleMatrix(&starPositions[0][0], 1.001f, kStarCount);
        for (int32_t i = 0; stars != nullptr && i < kStarCount; ++i)
        {
            if (krVertexArray* star = stars->GetVertexArray(i))
            {
                star->SetAlpha(starAlpha);
            }
        }
    }
    RotateMatrixZ(&starPositions[0][0], starSpins, kStarCount);
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
    CopyMatrix(&currentPositions[0][0], &presentationPositions[0][0], kCardCount);
    returnFrame = 0;
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
    TurnCircle(circlePositions, circleZ);
    Approach(currentPositions, circlePositions);
    StepCameraFlight();
    ShrinkRevealed(RevealedCard(), presentedScaleStep);
    if (cards != nullptr)
    {
        cards->SetPositions(currentPositions);
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
    ScaleMatrix(&starPositions[0][0], 1.05f, kStarCount);
    RotateMatrixZ(&starPositions[0][0], -2.0f, kStarCount);
    if (stars != nullptr)
    {
        stars->SetPositions(starPositions);
    }

    if (returnFrame == kFlightFrames)
    {
        presentedScale = kCardScale;
        if (krVertexArray* revealed = RevealedCard())
        {
            revealed->SetScale(kCardScale);
        }
        InitVect(presentedAngle, 0.0f, 0.0f, 0.0f);
        Transit(trAnimationEnd);
        starsVisible = false;
        CopyMatrix(&circlePositions[0][0], &currentPositions[0][0], kCardCount);
    }
    ++returnFrame;
}

void vossaGame::GoToIntro()
{
    StepCameraFlight();
    Approach(currentPositions, circlePositions);
    if (cards != nullptr)
    {
        cards->SetPositions(currentPositions);
    }
    ShrinkRevealed(RevealedCard(), presentedScaleStep);
    if (returnFrame == kFlightFrames)
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
    ++returnFrame;
}
