// krGUIObject: the base class of every control of the engine's 2D GUI. A control is an
// axis-aligned rectangle in window pixels (origin top-left, y down) with an ID, a visibility
// flag, owned child controls, a small mouse state and virtual hooks for the subclasses.
//
// Hit test: (x, y) is inside when left <= x <= left + width and top <= y <= top + height (both
// edges count). Clicks: a release on a child with a non-zero ID queues a click for that child;
// otherwise a release on the control itself queues one when the control was pressed. ID 0
// marks a control that produces no clicks of its own.
//
// Ownership: a control owns its children (deleted by Clear and by the destructor). A top-level
// control is owned by the GUI manager. The manager pointer is borrowed.
#pragma once

#include <cstdint>

#include "gui/krGUIKey.h"

class krGUIManager;
class krString;

class krGUIObject
{
public:
    krGUIObject(uint32_t id, int32_t left, int32_t top, int32_t width, int32_t height);
    // Deletes the children.
    virtual ~krGUIObject();

    krGUIObject(const krGUIObject&) = delete;
    krGUIObject& operator=(const krGUIObject&) = delete;

    // Hooks; the base versions do nothing.
    virtual void Draw();
    virtual void Update();
    virtual void SetValue(const krString& value);
    // Called on every pointer event that finds the pointer inside, not only on entry.
    virtual void OnMouseEnter();
    // Called once when the pointer leaves.
    virtual void OnMouseLeave();
    virtual void OnLMBDown();
    virtual void OnLMBUp();
    // Pointer movement since the previous pointer event (new minus old).
    virtual void OnMouseMove(int dx, int dy);
    // Called by AppendChild once this control's position has been made absolute.
    virtual void OnAfterSetParent(krGUIObject* parent);
    // True for the controls that the keyboard focus stops at (those that take clicks).
    virtual bool TakesFocus() const { return false; }
    // A key given to every shown control (scrolling keys); true when this control acted on it.
    virtual bool OnKey(krGUIKey key);

    // Deletes every child.
    void Clear();
    // Takes ownership of `child` (null is ignored). The child's position, given relative to
    // this control, becomes absolute; it inherits this control's manager pointer.
    void AppendChild(krGUIObject* child);

    // Hit test with both edges inside.
    bool IsInside(int x, int y) const;
    // Records the hit test result and raises OnMouseEnter / OnMouseLeave.
    void SetIsMouseInside(bool inside);

    // Pointer dispatch, called by the GUI manager with window coordinates.
    void MouseMove(int x, int y, int dx, int dy);
    void LMBDown(int x, int y);
    void LMBUp(int x, int y);
    // Children are drawn by the GUI manager; this does nothing.
    void DrawChilds();

    // The setters only store: nothing is rebuilt and no child moves.
    void SetLeft(int value) { left = value; }
    int GetLeft() const { return left; }
    void SetTop(int value) { top = value; }
    int GetTop() const { return top; }
    void SetWidth(int value) { width = value; }
    int GetWidth() const { return width; }
    void SetHeight(int value) { height = value; }
    int GetHeight() const { return height; }
    void SetID(uint32_t value) { id = value; }
    uint32_t GetID() const { return id; }
    void SetVisible(bool value) { visible = value; }
    bool GetVisible() const { return visible; }
    bool GetIsMouseInside() const { return isMouseInside; }
    bool GetPressed() const { return pressed; }
    void SetGUIManagerPtr(krGUIManager* manager) { guiManager = manager; }
    krGUIManager* GetGUIManagerPtr() const { return guiManager; }
    // The drawable's height in pixels and the pixels per GUI unit, as the manager holds them;
    // without a manager the viewport's height and 1.
    int32_t DrawableHeight() const;
    float DrawableScale() const;
    uint64_t GetChildCount() const { return childCount; }
    // Borrowed; index < GetChildCount(), null otherwise.
    krGUIObject* GetChild(uint64_t index) const;

protected:
    krGUIObject** children; // owned, with the controls they point to
    uint64_t childCount;
    uint32_t id;
    bool visible;
    bool isMouseInside;
    bool wasMouseInside;
    bool pressed;
    krGUIManager* guiManager; // borrowed
    int32_t top;
    int32_t left;
    int32_t width;
    int32_t height;
};
