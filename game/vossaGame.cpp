// vossaGame: construction, start-up from the asset archive, the frame's drawing order and
// shutdown.
#include "vossaGame.h"

#include <GL/gl.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "audio/krMusic.h"
#include "audio/krSampler.h"
#include "data/krMemoryBlock.h"
#include "data/krResource.h"
#include "data/krStringArray.h"
#include "gui/krGUIButton.h"
#include "gui/krGUIManager.h"
#include "render/krFont.h"
#include "render/krGeometry.h"
#include "render/krTexturedBox.h"
#include "render/krVector.h"
#include "render/krVertexArray.h"
#include "vossaPaths.h"

const char* const kDataFileName = "vossadata.bin";
const float kHomeCamPosition[3] = {-4.0560689f, -7.2544f, 11.6393967f};
const float kHomeCamAngle[3] = {0.0f, 22.2099552f, -34.6961136f};

vossaGame::vossaGame(int width, int height, bool fullScreen)
    : krSDLWrapper(width, height, fullScreen, false), cards(nullptr), skyBox(nullptr),
      stars(nullptr), clouds(nullptr), mainFont(nullptr), smallFont(nullptr), resource(nullptr),
      selectedRow(2), cornerClicked(false), settingsRecord(PlayerSettings),
      language(PlayerSettings.language), highQuality(PlayerSettings.highQuality),
      musicOn(PlayerSettings.musicOn), textScrollSpeed(0),
      showGameHowTo(PlayerSettings.showInstructions), presentedScaleStep(0),
      presentedScale(5.0f), presentedAngle{0, 0, 90}, starsVisible(false), starLineY(-0.3f),
      starLineFrame(0), starAlpha(0), starSphereFrame(0), music(nullptr), sampler(nullptr),
      messages(nullptr), licenses(nullptr), howToPlay(nullptr), blueButtonStates(nullptr),
      greenButtonStates(nullptr), redButtonStates(nullptr), gameHowToText(nullptr),
      gameHowToPanel(nullptr), shownScreen(scNone), stripLine(18), assetScale(0.0f)
{
    // Every setting but the backdrop colours starts at its default, whatever a game before
    // this one in the process changed.
    TSettings fresh = DefaultSettings();
    fresh.red1 = r1;
    fresh.green1 = g1;
    fresh.blue1 = b1;
    fresh.red2 = r2;
    fresh.green2 = g2;
    fresh.blue2 = b2;
    settingsRecord = fresh;
    srand(static_cast<unsigned>(time(nullptr)));
    // Until the shell sets up OpenGL, the flights use the requested window's ratio.
    aspect = height > 0 ? static_cast<float>(width) / static_cast<float>(height) : 1.0f;
    float position[3], angle[3];
    CopyVect(position, kHomeCamPosition);
    CopyVect(angle, kHomeCamAngle);
    SetCamPosition(position);
    SetCamAngle(angle);
    std::memset(starPositions, 0, sizeof(starPositions));
    std::memset(starSpins, 0, sizeof(starSpins));
    InitChoicePositions();
    InitMindSelectPositions();
    ReadConfig();
}

vossaGame::~vossaGame()
{
    // After a start-up that failed part-way OnBeforeClose never ran; whatever was built is
    // released here, while the shell still holds the OpenGL context.
    ReleaseAssets();
}

krMemoryBlock* vossaGame::Asset(const char* name) const
{
    if (resource == nullptr || name == nullptr)
    {
        return nullptr;
    }
    return resource->Get(name);
}

float vossaGame::FlightAspect() const
{
    const float a = GetAspect();
    return a > 0.0f ? a : 1.0f;
}

bool vossaGame::OnAfterInit()
{
    resource = new krResource();
    const std::string pack = DataFilePath();
    krMemoryBlock* image = krReadMemoryBlock(pack.c_str());
    const bool read = image != nullptr && resource->ReadFromMemoryBlock(image);
    krFreeMemoryBlock(image);
    if (!read)
    {
        return FailStartup(image == nullptr ? "the asset pack %s cannot be read"
                                            : "the asset pack %s is damaged",
                           pack.c_str());
    }
    // Without the card mesh there would be no trick to show.
    const char* mesh = highQuality ? "box" : "box_low";
    if (Asset(mesh) == nullptr)
    {
        return FailStartup("the asset pack %s has no entry \"%s\" (the card mesh)", pack.c_str(),
                           mesh);
    }

    music = new krMusic();
    if (krMemoryBlock* block = Asset("bkgsnd03"))
    {
        music->LoadFromCrunchedMemoryBlock(block);
    }
    music->SetVolume(settingsRecord.musicVolume);
    if (musicOn)
    {
        music->Play();
    }

    trick.SetCounted(HasOption(kOptionTrick27));
    InitBoxes();

    mainFont = new krFont(ftYDown);
    krMemoryBlock* fontBlock = Asset("arial");
    if (fontBlock == nullptr || !mainFont->LoadFromCrunchedMemoryBlock(fontBlock))
    {
        return FailStartup("the asset pack %s has no usable entry \"arial\" (the font)",
                           pack.c_str());
    }
    smallFont = new krFont(ftYDown);
    fontBlock = Asset("ss10");
    if (fontBlock == nullptr || !smallFont->LoadFromCrunchedMemoryBlock(fontBlock))
    {
        return FailStartup("the asset pack %s has no usable entry \"ss10\" (the small font)",
                           pack.c_str());
    }

    InitSkyBox();

    stars = new krGeometry();
    uint32_t starTexture = 0;
    for (int32_t i = 0; i < kStarCount; ++i)
    {
        const float size = Randf(0.5f, 1.0f);
        krTexturedBox* star = krTexturedBox::Create(size, size, false, tbpFlipped);
        if (i == 0)
        {
            if (krMemoryBlock* block = Asset("texture_star_01"))
            {
                star->TextureFromCrunchedMemoryBlock(block);
            }
            starTexture = star->GetTextureID();
        }
        else
        {
            const float r = Randf(0.8f, 1.0f);
            const float g = Randf(0.8f, 1.0f);
            const float b = Randf(0.8f, 1.0f);
            star->SetColor(r, g, b, 1.0f);
            star->SetTextureID(starTexture);
        }
        stars->AppendVertexArray(star);
    }
    InitStarSphere();
    stars->SetPositions(starPositions);

    InitStrings(language);

    sampler = new krSampler();
    if (krMemoryBlock* block = Asset("choicesnd02"))
    {
        sampler->AppendSampleFromCrunchedMemoryBlock(block);
    }
    sampler->SetVolume(settingsRecord.soundVolume);

    // Fonts and button faces for the screen's GUI scale.
    UseAssetsForScale();
    CreateIntroControls();
    InitLight();

    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_NORMALIZE);
    glDisable(GL_LIGHTING);
    return true;
}

void vossaGame::OnUpdate()
{
    CaptureMotion();
    OnBeforeRender();
    DriftClouds();
    StepPad();
}

void vossaGame::CaptureMotion()
{
    cardBlend.Capture(cards);
    starBlend.Capture(stars);
    cloudBlend.Capture(clouds);
    GetCamPosition(cameraBefore.position);
    GetCamAngle(cameraBefore.angle);
    cameraBefore.scale = 1.0f;
    cameraCaptured = true;
}

void vossaGame::BeginBlend(float fraction)
{
    TPose_s camera;
    GetCamPosition(camera.position);
    GetCamAngle(camera.angle);
    camera.scale = 1.0f;
    if (cameraCaptured)
    {
        camera = krBlendPose(cameraBefore, camera, fraction, kJumpDistance, kJumpAngle);
    }
    CopyVect(drawnCamPosition, camera.position);
    CopyVect(drawnCamAngle, camera.angle);
    cardBlend.Apply(cards, fraction);
    starBlend.Apply(stars, fraction);
    cloudBlend.Apply(clouds, fraction);
}

void vossaGame::EndBlend()
{
    cardBlend.Restore();
    starBlend.Restore();
    cloudBlend.Restore();
}

void vossaGame::Render()
{
    BeginBlend(GetStepFraction());
    float position[3], angle[3];
    CopyVect(position, drawnCamPosition);
    CopyVect(angle, drawnCamAngle);

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const float a =
        GetHeight() > 0 ? static_cast<float>(GetWidth()) / static_cast<float>(GetHeight()) : 1.0f;
    const float f = 0.0577350296f;
    glFrustum(-a * f, a * f, -f, f, 0.1f, 10000.0f);

    // The backdrop follows one hundredth of the camera's motion.
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    float farPosition[3], farAngle[3];
    for (int i = 0; i < 3; ++i)
    {
        farPosition[i] = position[i] * 0.01f;
        farAngle[i] = angle[i] * 0.01f;
    }
    PilotView(farPosition, farAngle);
    // Where the opaque backdrop hides the whole screen its colour needs no clearing first.
    glClearColor(0.0f, 0.0f, 0.2f, 1.0f);
    glClear(BackdropCoversScreen() ? GL_DEPTH_BUFFER_BIT
                                   : GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    RenderSkyBox();

    glLoadIdentity();
    PilotView(position, angle);
    glLightfv(GL_LIGHT0, GL_POSITION, light_pos);
    glEnable(GL_LIGHTING);
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    DrawCards();

    glEnable(GL_BLEND);
    glDisable(GL_LIGHTING);
    RenderStars();
    DrawRowHighlight();
    EndBlend();
}

// A pointer move hides the pad's row highlight, as it hides the focus ring.
void vossaGame::OnMouseMotion(int, int, int, int)
{
    padInUse = false;
}

void vossaGame::OnBeforeClose()
{
    WriteConfig();
    ReleaseAssets();
}

void vossaGame::ReleaseAssets()
{
    // The controls borrow fonts, texts and skins: they go first.
    if (GetGUIManager() != nullptr)
    {
        GetGUIManager()->Clear();
    }
    gameHowToText = nullptr;
    gameHowToPanel = nullptr;
    // A pending order only borrows the boxes.
    trick.order.Drop();
    delete mainFont;
    mainFont = nullptr;
    delete smallFont;
    smallFont = nullptr;
    delete cards;
    cards = nullptr;
    delete skyBox;
    skyBox = nullptr;
    delete stars;
    stars = nullptr;
    delete clouds;
    clouds = nullptr;
    delete messages;
    messages = nullptr;
    delete licenses;
    licenses = nullptr;
    delete howToPlay;
    howToPlay = nullptr;
    delete sampler;
    sampler = nullptr;
    delete blueButtonStates;
    blueButtonStates = nullptr;
    delete greenButtonStates;
    greenButtonStates = nullptr;
    delete redButtonStates;
    redButtonStates = nullptr;
    delete music;
    music = nullptr;
    delete resource;
    resource = nullptr;
}
