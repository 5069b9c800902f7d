// krGUIButton: push button with three textured faces and a centred, shadowed caption;
// krGUIButtonStates: the shared triple of face images.
#include "gui/krGUIButton.h"

#include <GL/gl.h>

#include "render/krFont.h"
#include "render/krGeometry.h"
#include "render/krTexturedBox.h"

krGUIButtonStates::krGUIButtonStates(krMemoryBlock* passive, krMemoryBlock* active,
                                     krMemoryBlock* pushed)
    : passiveTexture(passive), activeTexture(active), pushedTexture(pushed)
{
}

krGUIButtonStates::~krGUIButtonStates() {}

krGUIButton::krGUIButton(uint32_t id, krFont* font, krGUIButtonStates* states, int32_t left,
                         int32_t top, int32_t width, int32_t height, const krString& text)
    : krGUIObject(id, left, top, width, height), geometry(nullptr), textWidth(0), font(font),
      state(kPassive), states(states)
{
    this->text = text;
    if (font)
    {
        textWidth = static_cast<int32_t>(font->GetWidth(this->text.GetString()));
    }
    CreateButtonGeometry();
}

krGUIButton* krGUIButton::Create(uint32_t id, krFont* font, krGUIButtonStates* states, int32_t left,
                                 int32_t top, int32_t width, int32_t height, const krString& text)
{
    return new krGUIButton(id, font, states, left, top, width, height, text);
}

krGUIButton::~krGUIButton()
{
    delete geometry;
    geometry = nullptr;
}

void krGUIButton::CreateButtonGeometry()
{
    delete geometry;
    geometry = new krGeometry();
    if (width < kMinWidth)
    {
        width = kMinWidth;
    }
    krMemoryBlock* images[3] = {nullptr, nullptr, nullptr};
    if (states)
    {
        images[0] = states->GetPassiveTexture();
        images[1] = states->GetActiveTexture();
        images[2] = states->GetPushedTexture();
    }
    for (int i = 0; i < 3; i++)
    {
        krTexturedBox* face = new krTexturedBox(static_cast<float>(width),
                                                static_cast<float>(height), false, tbpFlipped);
        if (images[i])
        {
            face->TextureFromCrunchedMemoryBlock(images[i]);
        }
        face->SetPosition(static_cast<float>(left), static_cast<float>(top), 0.0f);
        geometry->AppendVertexArray(face);
    }
}

void krGUIButton::GetCaptionPosition(int32_t* x, int32_t* y) const
{
    float fh = font ? font->GetHeight() : 0.0f;
    *x = left + static_cast<int32_t>((width - textWidth) * 0.5f);
    *y = top + static_cast<int32_t>(fh - 2.0f + (height - fh) * 0.5f);
}

void krGUIButton::Draw()
{
    krVertexArray* face =
        geometry ? geometry->GetVertexArray(static_cast<uint64_t>(state)) : nullptr;
    if (face)
    {
        face->Draw();
    }
    if (!font)
    {
        return;
    }
    int32_t x = 0;
    int32_t y = 0;
    GetCaptionPosition(&x, &y);
    glColor4f(0.0f, 0.0f, 0.0f, 1.0f);
    font->Print(static_cast<float>(x + 1), static_cast<float>(y + 1), 0.0f, text.GetString());
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    font->Print(static_cast<float>(x), static_cast<float>(y), 0.0f, text.GetString());
}

void krGUIButton::OnMouseEnter()
{
    state = kActive;
}

void krGUIButton::OnMouseLeave()
{
    state = kPassive;
}

void krGUIButton::OnLMBDown()
{
    state = kPushed;
}

void krGUIButton::OnLMBUp()
{
    state = kActive;
    OnClick();
}

void krGUIButton::OnAfterSetParent(krGUIObject*)
{
    CreateButtonGeometry();
}

void krGUIButton::OnClick() {}
