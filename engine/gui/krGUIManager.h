// krGUIManager: the root of the 2D GUI. It owns the top-level controls, draws them and their
// children in a projection of GUI units (origin top-left, y down; one unit is `scale` pixels,
// see krGUIScale) over the 3D scene, routes pointer events to them, queues their clicks and
// delivers the queue to the application shell's OnGUIClick hook at the start of the next frame.
// Its controls animate in Update, one step at a time, and only draw in Draw.
// Creating the manager also creates the process-wide engine archive `Resource` (krGUIResource);
// destroying it deletes that archive.
//
// Keyboard focus: the controls that take clicks (buttons), in the order they were appended and
// depth first, are the stops of the focus. Next and Previous move it, wrapping round; Press
// queues a click for the focused control exactly as a release over it would. Nothing is
// focused, and no ring is drawn, until a focus key is used; a pointer move hides the focus
// again. Across a screen change the focus stays at its place when the new screen has a
// control of the same ID there (a screen built again), else it goes to the first stop.
//
// A click is never delivered for a control that no longer exists: Clear() also drops every
// queued event, so a click handler that switches screens cannot leave stale records behind.
#pragma once

#include <cstdint>
#include <vector>

#include "gui/krGUIKey.h"

class krGUIClickReceiver;
class krGUIObject;
class krGUIResource;
class krString;

// 32-bit event type; controls queue only clicks.
enum krGUIEventType : int32_t
{
    geClick = 0,
};

struct krGUIEvent
{
    krGUIEventType type;
    krGUIObject* control; // borrowed
};

// The queue of events not yet delivered, oldest first.
class krGUIEvents
{
public:
    krGUIEvents();
    ~krGUIEvents();

    krGUIEvents(const krGUIEvents&) = delete;
    krGUIEvents& operator=(const krGUIEvents&) = delete;

    void Clear();
    // Drops the oldest event (nothing when the queue is empty).
    void RemoveFirst();
    // False (queue unchanged) only when memory runs out.
    bool AppendEvent(krGUIEventType type, krGUIObject* control);
    uint64_t Length() const { return length; }
    // Borrowed; null when index >= Length().
    krGUIEvent* GetEvent(uint64_t index) const;

private:
    krGUIEvent* items; // owned
    uint64_t length;
};

class krGUIManager
{
public:
    // Also creates `Resource` and calls its Init.
    krGUIManager(int32_t width, int32_t height);
    // New heap manager, owned by the caller.
    static krGUIManager* Create(int32_t width, int32_t height);
    // Drops the queue, deletes every control, then deletes the `Resource` this manager made.
    virtual ~krGUIManager();

    krGUIManager(const krGUIManager&) = delete;
    krGUIManager& operator=(const krGUIManager&) = delete;

    // Never called by the toolkit.
    virtual void OnClick(krGUIObject* control);

    void Init();
    // The receiver of HandleEvents' clicks (the shell sets itself); nothing is delivered
    // before it is set.
    void SetWrapperPtr(krGUIClickReceiver* wrapper) { wrapperPtr = wrapper; }
    // Size of the drawable in pixels.
    void SetSize(int32_t newWidth, int32_t newHeight);
    int32_t GetWidth() const { return width; }
    int32_t GetHeight() const { return height; }
    // Pixels per GUI unit (1 at construction; non-positive values count as 1). The controls
    // that clip read it, and the height, from here.
    void SetScale(float newScale);
    float GetScale() const { return scale; }
    // The drawable's size in whole GUI units: what the screens are laid out in.
    int32_t GetViewWidth() const;
    int32_t GetViewHeight() const;

    // Takes ownership of `control` (null is ignored); its position is used as is.
    void AppendControl(krGUIObject* control);
    // Deletes every top-level control (and with them their children) and drops every queued
    // event, whose controls are gone.
    void Clear();
    uint64_t GetControlCount() const { return controlCount; }
    // Borrowed; null when index >= GetControlCount().
    krGUIObject* GetControl(uint64_t index) const;

    void AppendEvent(krGUIEventType type, krGUIObject* control);
    // Hands the oldest queued click to the caller and drops it from the queue: false when
    // none is left. Clicks queued meanwhile (by a handler of the last one) come next; a Clear
    // drops the clicks of the controls it deletes.
    bool TakeClick(krGUIObject** control);
    // Delivers the queued clicks to the shell's OnGUIClick, then empties the queue. Does
    // nothing (the queue stays) while no shell is set.
    void HandleEvents();
    krGUIEvents* GetEvents() { return &events; }

    // One update step of the controls that Draw shows (tickers move, viewers coast); nothing
    // while frozen.
    void Update();
    // How far the time has gone from the last update step towards the next (0..1), for the
    // controls that draw their motion between two steps; the shell sets it before Draw.
    void SetStepFraction(float fraction);
    float GetStepFraction() const { return stepFraction; }

    // Draws every visible top-level control and its children; nothing while frozen.
    void Draw();
    // Draws the children of `parent`, each after its own children.
    void DrawChilds(krGUIObject* parent);

    // Pointer moved, left button pressed, left button released at drawable pixel (x, y); the
    // controls get the position in GUI units. Only visible top-level controls with a non-zero
    // ID are reached.
    void OnMouse(int32_t x, int32_t y);
    void OnLMBDown(int32_t x, int32_t y);
    void OnLMBUp(int32_t x, int32_t y);

    // Gives `value` to every control, at any depth, whose ID equals `id`.
    void SetValueByID(uint8_t id, const krString& value);
    // The recursive step of SetValueByID over the children of `parent`.
    void SetValue(krGUIObject* parent, uint32_t id, const krString& value);
    // True when a top-level control with a non-zero ID has the pointer inside.
    bool IsMouseInControls() const;

    // A key from the keyboard: true when the GUI acted on it (moved the focus, queued a click
    // for the focused control, scrolled a text); false leaves the key to the program.
    bool OnKey(krGUIKey key);
    // The focused control, null while no focus is shown. Borrowed.
    krGUIObject* GetFocused() const;
    bool IsFocusShown() const { return focusShown; }

    void Freeze() { frozen = true; }
    void Thaw() { frozen = false; }
    bool IsFrozen() const { return frozen; }

private:
    int32_t width;
    int32_t height;
    float scale;
    int32_t mouseX, mouseY; // GUI units
    int32_t prevMouseX, prevMouseY;
    krGUIObject** controls; // owned, with the controls they point to
    uint64_t controlCount;
    bool frozen;
    krGUIClickReceiver* wrapperPtr; // borrowed
    krGUIEvents events;
    krGUIResource* ownResource; // the `Resource` this manager created and deletes
    uint64_t clearCount;        // Clear() calls so far; lets HandleEvents see a clear
    float stepFraction = 0.0f;

    int64_t focusIndex = -1; // place in FocusOrder(), -1 for none
    uint32_t focusID = 0;    // ID of the control at that place when it was focused
    bool focusShown = false; // a focus key was used since the last pointer move

    // The focus stops of the shown screen, in order.
    std::vector<krGUIObject*> FocusOrder() const;
    // After a screen change: keeps the focus on a control of the same ID at the same place,
    // else moves it to the first stop (none when the screen has no stop).
    void SettleFocus();
    void FocusAt(const std::vector<krGUIObject*>& order, int64_t index);
    // Offers `key` to `control` and its children; true when one of them acted.
    bool OfferKey(krGUIObject* control, krGUIKey key);

    // Update() of `control` and of all its children, depth first.
    void UpdateTree(krGUIObject* control);
};
