// krGIULabel (spelled so): one line of text in a bitmap font and a colour. The control is as
// wide as its first text and one font height tall; its baseline lies one font height below
// its top edge.
#pragma once

#include <cstdint>

#include "data/krString.h"
#include "gui/krGUIObject.h"

class krFont;

class krGIULabel : public krGUIObject
{
public:
    // `font` is borrowed and must not be null; the text is copied.
    krGIULabel(uint32_t id, krFont* font, int32_t left, int32_t top, const krString& text);
    static krGIULabel* Create(uint32_t id, krFont* font, int32_t left, int32_t top,
                              const krString& text);
    ~krGIULabel() override;

    void Draw() override;
    // Replaces the text; the control's width (its hit rectangle) is not measured again.
    void SetValue(const krString& value) override;
    void SetColor(float r, float g, float b, float a);

    const krString& GetText() const { return text; }
    const float* GetColor() const { return color; }

protected:
    krString text;
    krFont* font; // borrowed
    float color[4];
};
