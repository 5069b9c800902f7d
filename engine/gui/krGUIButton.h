// krGUIButton: the GUI's push button. A textured face shows one of three images (passive,
// active under the pointer, pushed) with a centred caption in white over a one-pixel black
// shadow. The images come from a krGUIButtonStates triple that many buttons share; each
// button decodes them into textures of its own. The click itself is queued by the generic
// dispatch of krGUIObject and delivered by the GUI manager.
#pragma once

#include <cstdint>

#include "data/krMemoryBlock.h"
#include "data/krString.h"
#include "gui/krGUIObject.h"

class krFont;
class krGeometry;

// Three crunched TGA image blocks, all borrowed: they must outlive every button built from
// them (and every rebuild of such a button's faces).
class krGUIButtonStates
{
public:
    krGUIButtonStates(krMemoryBlock* passive, krMemoryBlock* active, krMemoryBlock* pushed);
    ~krGUIButtonStates();

    krMemoryBlock* GetPassiveTexture() const { return passiveTexture; }
    krMemoryBlock* GetActiveTexture() const { return activeTexture; }
    krMemoryBlock* GetPushedTexture() const { return pushedTexture; }

private:
    krMemoryBlock* passiveTexture;
    krMemoryBlock* activeTexture;
    krMemoryBlock* pushedTexture;
};

class krGUIButton : public krGUIObject
{
public:
    // Face states, also the index of the face in the geometry.
    static constexpr int32_t kPassive = 0;
    static constexpr int32_t kActive = 1;
    static constexpr int32_t kPushed = 2;
    // Buttons narrower than this are widened to it.
    static constexpr int32_t kMinWidth = 48;

    // `font` and `states` are borrowed; the caption is copied and measured once.
    krGUIButton(uint32_t id, krFont* font, krGUIButtonStates* states, int32_t left, int32_t top,
                int32_t width, int32_t height, const krString& text);
    static krGUIButton* Create(uint32_t id, krFont* font, krGUIButtonStates* states, int32_t left,
                               int32_t top, int32_t width, int32_t height, const krString& text);
    // Deletes the faces with their textures, then the children.
    ~krGUIButton() override;

    // (Re)builds the three faces at the current position, widening the button to kMinWidth.
    void CreateButtonGeometry();

    void Draw() override;
    bool TakesFocus() const override { return true; }
    void OnMouseEnter() override;
    void OnMouseLeave() override;
    void OnLMBDown() override;
    void OnLMBUp() override;
    void OnAfterSetParent(krGUIObject* parent) override;
    // Extension point called on every release on the button; does nothing.
    virtual void OnClick();

    int32_t GetState() const { return state; }
    int32_t GetTextWidth() const { return textWidth; }
    // Borrowed; the faces at index 0 passive, 1 active, 2 pushed.
    krGeometry* GetGeometry() const { return geometry; }
    // Pen position (baseline) of the caption; the shadow is drawn one pixel right and below.
    void GetCaptionPosition(int32_t* x, int32_t* y) const;

protected:
    krGeometry* geometry; // owned
    krString text;
    int32_t textWidth;
    krFont* font; // borrowed
    int32_t state;
    krGUIButtonStates* states; // borrowed
};
