// krGUIObject: the control base class (tree, hit test, enter/leave, press/release/click rules).
#include "gui/krGUIObject.h"

#include <GL/gl.h>
#include <cstdlib>

#include "gui/krGUIManager.h"

krGUIObject::krGUIObject(uint32_t id, int32_t left, int32_t top, int32_t width, int32_t height)
    : children(nullptr), childCount(0), id(id), visible(true), isMouseInside(false),
      wasMouseInside(false), pressed(false), guiManager(nullptr), top(top), left(left),
      width(width), height(height)
{
}

krGUIObject::~krGUIObject()
{
    Clear();
}

void krGUIObject::Draw() {}
void krGUIObject::Update() {}

int32_t krGUIObject::DrawableHeight() const
{
    if (guiManager)
    {
        return guiManager->GetHeight();
    }
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    return viewport[3];
}

float krGUIObject::DrawableScale() const
{
    return guiManager ? guiManager->GetScale() : 1.0f;
}
void krGUIObject::SetValue(const krString&) {}
void krGUIObject::OnMouseEnter() {}
void krGUIObject::OnMouseLeave() {}
void krGUIObject::OnLMBDown() {}
void krGUIObject::OnLMBUp() {}
void krGUIObject::OnMouseMove(int, int) {}
void krGUIObject::OnAfterSetParent(krGUIObject*) {}
void krGUIObject::DrawChilds() {}

void krGUIObject::Clear()
{
    // Detach the array first so that nothing reaches half-deleted children.
    krGUIObject** old = children;
    uint64_t count = childCount;
    children = nullptr;
    childCount = 0;
    for (uint64_t i = 0; i < count; i++)
    {
        delete old[i];
    }
    free(old);
}

void krGUIObject::AppendChild(krGUIObject* child)
{
    if (!child)
    {
        return;
    }
    krGUIObject** grown = static_cast<krGUIObject**>(
        realloc(children, static_cast<size_t>(childCount + 1) * sizeof(krGUIObject*)));
    if (!grown)
    {
        // Out of memory: the child cannot be kept, and it was handed over to us.
        delete child;
        return;
    }
    children = grown;
    children[childCount] = child;
    childCount++;

    child->left += left;
    child->top += top;
    child->guiManager = guiManager;
    child->OnAfterSetParent(this);
}

krGUIObject* krGUIObject::GetChild(uint64_t index) const
{
    return index < childCount ? children[index] : nullptr;
}

bool krGUIObject::IsInside(int x, int y) const
{
    // 64-bit sums: a huge width must not wrap around.
    int64_t px = x;
    int64_t py = y;
    return px >= left && px <= int64_t(left) + width && py >= top && py <= int64_t(top) + height;
}

void krGUIObject::SetIsMouseInside(bool inside)
{
    isMouseInside = inside;
    if (inside)
    {
        OnMouseEnter();
    }
    else if (wasMouseInside)
    {
        OnMouseLeave();
    }
    wasMouseInside = isMouseInside;
}

void krGUIObject::MouseMove(int x, int y, int dx, int dy)
{
    for (uint64_t i = 0; i < childCount; i++)
    {
        krGUIObject* child = children[i];
        if (!child)
        {
            continue;
        }
        if (child->IsInside(x, y))
        {
            child->SetIsMouseInside(true);
            child->OnMouseMove(dx, dy);
        }
        else
        {
            child->SetIsMouseInside(false);
        }
    }
    if (IsInside(x, y))
    {
        SetIsMouseInside(true);
        OnMouseMove(dx, dy);
    }
    else
    {
        SetIsMouseInside(false);
    }
}

void krGUIObject::LMBDown(int x, int y)
{
    for (uint64_t i = 0; i < childCount; i++)
    {
        krGUIObject* child = children[i];
        if (child && child->IsInside(x, y))
        {
            child->OnLMBDown();
        }
    }
    if (IsInside(x, y))
    {
        OnLMBDown();
        pressed = true;
    }
}

void krGUIObject::LMBUp(int x, int y)
{
    for (uint64_t i = 0; i < childCount; i++)
    {
        krGUIObject* child = children[i];
        if (child && child->id != 0 && child->IsInside(x, y))
        {
            child->OnLMBUp();
            if (guiManager)
            {
                guiManager->AppendEvent(geClick, child);
            }
            return;
        }
    }
    if (IsInside(x, y))
    {
        OnLMBUp();
        if (pressed && guiManager)
        {
            guiManager->AppendEvent(geClick, this);
        }
        pressed = false;
    }
}

bool krGUIObject::OnKey(krGUIKey)
{
    return false;
}
