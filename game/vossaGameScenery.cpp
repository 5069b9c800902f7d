// vossaGame, scenery: the gradient backdrop and its drifting clouds, the star billboards of
// the star line and the star sphere, and the light and material of the cards.
#include <GL/gl.h>
#include <cstring>

#include "audio/krSampler.h"
#include "render/krGeometry.h"
#include "render/krTexturedBox.h"
#include "render/krVector.h"
#include "render/krVertexArray.h"
#include "render/krViewCover.h"
#include "vossaGame.h"

namespace
{
struct TCloud_s
{
    float width, height;
    const char* texture;
    const char* lowTexture;
    float position[3];
};

const TCloud_s kClouds[3] = {
    {16.0f, 8.0f, "cloud01", "cloud01_low", {-10.0f, 0.0f, -9.0f}},
    {9.0f, 5.0f, "cloud02", "cloud02_low", {0.0f, -5.0f, -7.0f}},
    {12.0f, 6.0f, "cloud03", "cloud03_low", {5.0f, 0.0f, -5.0f}},
};

const uint32_t kTriangles = 4; // GL_TRIANGLES

void SetAllAlpha(krGeometry* stars, float alpha)
{
    for (uint64_t i = 0; stars != nullptr && i < stars->Length(); ++i)
    {
        if (krVertexArray* star = stars->GetVertexArray(i))
        {
            star->SetAlpha(alpha);
        }
    }
}
} // namespace

void vossaGame::BuildSkyBox()
{
    float vertices[kBackdropVertexCount][3];
    float colors[kBackdropVertexCount][4];
    BackdropVertices(vertices);
    BackdropColors(colors);
    for (int32_t i = 0; i < kBackdropVertexCount; ++i)
    {
        skyBox->AppendVertex(vertices[i]);
    }
    for (int32_t i = 0; i < kBackdropVertexCount; ++i)
    {
        skyBox->AppendColor(colors[i]);
    }
    skyBox->CreateVBO();
    skyBox->SetPosition(kBackdropPosition);
}

void vossaGame::InitSkyBox()
{
    delete skyBox;
    skyBox = new krVertexArray(kTriangles);
    BuildSkyBox();
    InitClouds();
}

void vossaGame::ChangeBackground()
{
    r1 = Randf(0.0f, 1.0f);
    g1 = Randf(0.0f, 1.0f);
    b1 = Randf(0.0f, 1.0f);
    r2 = Randf(0.0f, 1.0f);
    g2 = Randf(0.0f, 1.0f);
    b2 = Randf(0.0f, 1.0f);
    if (skyBox == nullptr)
    {
        return;
    }
    // CreateVBO deletes the buffers of its earlier upload, so the old backdrop's buffers do
    // not pile up.
    skyBox->Clear();
    BuildSkyBox();
}

void vossaGame::InitClouds()
{
    if (clouds == nullptr)
    {
        clouds = new krGeometry();
    }
    for (const TCloud_s& c : kClouds)
    {
        krTexturedBox* cloud = krTexturedBox::Create(c.width, c.height, false, tbpNormal);
        if (krMemoryBlock* block = Asset(highQuality ? c.texture : c.lowTexture))
        {
            cloud->TextureFromCrunchedMemoryBlock(block);
            // Drawn blended and alpha-tested without depth writes: only the part of the
            // picture that is not fully transparent needs drawing.
            cloud->TrimToTexture(block);
        }
        cloud->SetPosition(c.position);
        clouds->AppendVertexArray(cloud);
    }
}

void vossaGame::InitLight()
{
    glShadeModel(GL_SMOOTH);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_DEPTH_TEST);
    const float white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    glLightfv(GL_LIGHT0, GL_AMBIENT, white);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
    glLightfv(GL_LIGHT0, GL_SPECULAR, white);
    glLightfv(GL_LIGHT0, GL_POSITION, light_pos);
    const float ambient[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    const float diffuse[4] = {0.9f, 0.9f, 0.9f, 1.0f};
    const float specular[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    glMaterialfv(GL_FRONT, GL_AMBIENT, ambient);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
    glMaterialfv(GL_FRONT, GL_SPECULAR, specular);
    glMaterialf(GL_FRONT, GL_SHININESS, 5.0f);
    glMaterialfv(GL_FRONT, GL_EMISSION, mat_emission);
}

void vossaGame::InitStarSphere()
{
    StarSpherePositions(starPositions, starSpins);
    SetAllAlpha(stars, 0.0f);
    starSphereFrame = 0;
    if (stars != nullptr)
    {
        stars->SetPositions(starPositions);
    }
}

void vossaGame::InitStarLine()
{
    starLine.Start(starLineY);
    CopyMatrix(&starPositions[0][0], &starLine.GetPositions()[0][0], kStarCount);
    SetAllAlpha(stars, starLine.GetAlpha());
    starLineFrame = starLine.GetFrame();
}

void vossaGame::UpdateStarLine()
{
    if (!starLine.IsVisible())
    {
        // No line is running: nothing may keep the cards waiting for one.
        starsVisible = false;
        return;
    }
    const bool playSound = starLine.Step(Motion().starLineTurn);
    CopyMatrix(&starPositions[0][0], &starLine.GetPositions()[0][0], kStarCount);
    if (stars != nullptr)
    {
        stars->SetPositions(starPositions);
    }
    if (!starLine.IsVisible())
    {
        starsVisible = false;
    }
    if (playSound)
    {
        PlayChoiceSound();
    }
    SetAllAlpha(stars, starLine.GetAlpha());
    starLineFrame = starLine.GetFrame();
}

void vossaGame::RenderSkyBox()
{
    glDisable(GL_DEPTH_TEST);
    if (skyBox != nullptr)
    {
        // The backdrop's colours are opaque, so blending would give the same pixels; without
        // it the software renderer writes the screen-filling rectangle instead of reading and
        // mixing every pixel under it.
        glDisable(GL_BLEND);
        skyBox->DrawColor();
    }
    glEnable(GL_BLEND);
    // Cloud pixels of zero alpha leave the screen as it is; discarding them up front spares
    // the blend for most of the clouds' large rectangles.
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.0f);
    for (uint64_t i = 0; clouds != nullptr && i < clouds->Length(); ++i)
    {
        krTexturedBox* cloud = static_cast<krTexturedBox*>(clouds->GetVertexArray(i));
        if (cloud == nullptr)
        {
            continue;
        }
        cloud->Draw();
    }
    glDisable(GL_ALPHA_TEST);
    glAlphaFunc(GL_ALWAYS, 0.0f);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
}

bool vossaGame::BackdropCoversScreen() const
{
    if (skyBox == nullptr || skyBox->vertexBuffer == 0)
    {
        return false;
    }
    float vertices[kBackdropVertexCount][3];
    BackdropVertices(vertices);
    // The rectangle's corners round its edge, among the two triangles' six.
    const int32_t ring[4] = {0, 1, 2, 4};
    float corners[4][3];
    for (int32_t i = 0; i < 4; ++i)
    {
        CopyVect(corners[i], vertices[ring[i]]);
    }
    // The backdrop's own placement, as DrawColor applies it.
    float projection[16], modelView[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glPushMatrix();
    glTranslatef(skyBox->position[0], skyBox->position[1], skyBox->position[2]);
    glRotatef(skyBox->angle[0], 1, 0, 0);
    glRotatef(skyBox->angle[1], 0, 1, 0);
    glRotatef(skyBox->angle[2], 0, 0, 1);
    glScalef(skyBox->scale, skyBox->scale, skyBox->scale);
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
    glPopMatrix();
    return CoversViewport(projection, modelView, corners, 4);
}

void vossaGame::DriftClouds()
{
    for (uint64_t i = 0; clouds != nullptr && i < clouds->Length(); ++i)
    {
        krTexturedBox* cloud = static_cast<krTexturedBox*>(clouds->GetVertexArray(i));
        if (cloud == nullptr)
        {
            continue;
        }
        float p[3];
        cloud->GetCenter(p);
        if (!CloudDrift(p, cloud->GetWidth(), cloud->GetScale()))
        {
            p[0] = kCloudReentryX;
            p[1] = Randf(-6.0f, 0.0f);
        }
        cloud->SetPosition(p);
    }
}

void vossaGame::RenderStars()
{
    if (!starsVisible || stars == nullptr)
    {
        return;
    }
    glEnable(GL_BLEND);
    // The camera as this frame draws it, between its last two update steps.
    for (uint64_t i = 0; i < stars->Length(); ++i)
    {
        krTexturedBox* star = static_cast<krTexturedBox*>(stars->GetVertexArray(i));
        if (star == nullptr)
        {
            continue;
        }
        star->Draw2(drawnCamPosition, drawnCamAngle[1]);
    }
    glDisable(GL_BLEND);
}

void vossaGame::RenderDebug() {}
