// krGUIManager: the GUI root (top-level controls, pointer routing, click queue, drawing) and
// krGUIEvents, its queue of click events.
#include "gui/krGUIManager.h"

#include <GL/gl.h>
#include <cstdlib>
#include <cstring>

#include "gui/krGUIClickReceiver.h"
#include "gui/krGUIFocusRing.h"
#include "gui/krGUIObject.h"
#include "gui/krGUIResource.h"
#include "gui/krGUIScale.h"

// ---------------------------------------------------------------------------------------------
// krGUIEvents

krGUIEvents::krGUIEvents() : items(nullptr), length(0) {}

krGUIEvents::~krGUIEvents()
{
    Clear();
}

void krGUIEvents::Clear()
{
    free(items);
    items = nullptr;
    length = 0;
}

void krGUIEvents::RemoveFirst()
{
    if (length == 0)
    {
        return;
    }
    if (length == 1)
    {
        Clear();
        return;
    }
    memmove(items, items + 1, static_cast<size_t>(length - 1) * sizeof(krGUIEvent));
    length--;
}

bool krGUIEvents::AppendEvent(krGUIEventType type, krGUIObject* control)
{
    krGUIEvent* grown = static_cast<krGUIEvent*>(
        realloc(items, static_cast<size_t>(length + 1) * sizeof(krGUIEvent)));
    if (!grown)
    {
        return false;
    }
    items = grown;
    items[length].type = type;
    items[length].control = control;
    length++;
    return true;
}

krGUIEvent* krGUIEvents::GetEvent(uint64_t index) const
{
    return index < length ? &items[index] : nullptr;
}

// ---------------------------------------------------------------------------------------------
// krGUIManager

krGUIManager::krGUIManager(int32_t width, int32_t height)
    : width(width), height(height), scale(1.0f), mouseX(0), mouseY(0), prevMouseX(0), prevMouseY(0),
      controls(nullptr), controlCount(0), frozen(false), wrapperPtr(nullptr), ownResource(nullptr),
      clearCount(0)
{
    ownResource = new krGUIResource();
    Resource = ownResource;
    ownResource->Init();
}

krGUIManager* krGUIManager::Create(int32_t width, int32_t height)
{
    return new krGUIManager(width, height);
}

krGUIManager::~krGUIManager()
{
    events.Clear();
    Clear();
    // Only the archive this manager made; a later manager may have replaced the global.
    if (Resource == ownResource)
    {
        Resource = nullptr;
    }
    delete ownResource;
    ownResource = nullptr;
}

void krGUIManager::OnClick(krGUIObject*) {}

void krGUIManager::Init() {}

void krGUIManager::SetSize(int32_t newWidth, int32_t newHeight)
{
    width = newWidth;
    height = newHeight;
}

void krGUIManager::SetScale(float newScale)
{
    const float old = scale;
    scale = newScale > 0.0f ? newScale : 1.0f;
    // The last pointer position stays the same place on the screen.
    prevMouseX = krPixelsToUnits(krUnitsToPixels(prevMouseX, old), scale);
    prevMouseY = krPixelsToUnits(krUnitsToPixels(prevMouseY, old), scale);
}

int32_t krGUIManager::GetViewWidth() const
{
    return krPixelsToUnits(width, scale);
}

int32_t krGUIManager::GetViewHeight() const
{
    return krPixelsToUnits(height, scale);
}

void krGUIManager::AppendControl(krGUIObject* control)
{
    if (!control)
    {
        return;
    }
    krGUIObject** grown = static_cast<krGUIObject**>(
        realloc(controls, static_cast<size_t>(controlCount + 1) * sizeof(krGUIObject*)));
    if (!grown)
    {
        // Out of memory: the control was handed over and cannot be kept.
        delete control;
        return;
    }
    controls = grown;
    control->SetGUIManagerPtr(this);
    controls[controlCount] = control;
    controlCount++;
}

void krGUIManager::Clear()
{
    // Queued clicks point at the controls about to be deleted: they must never be delivered.
    events.Clear();
    clearCount++;
    krGUIObject** old = controls;
    uint64_t count = controlCount;
    controls = nullptr;
    controlCount = 0;
    for (uint64_t i = 0; i < count; i++)
    {
        delete old[i];
    }
    free(old);
}

krGUIObject* krGUIManager::GetControl(uint64_t index) const
{
    return index < controlCount ? controls[index] : nullptr;
}

void krGUIManager::AppendEvent(krGUIEventType type, krGUIObject* control)
{
    events.AppendEvent(type, control);
}

bool krGUIManager::TakeClick(krGUIObject** control)
{
    while (events.Length() > 0)
    {
        const krGUIEvent first = *events.GetEvent(0);
        events.RemoveFirst();
        if (first.type == geClick)
        {
            *control = first.control;
            return true;
        }
    }
    return false;
}

void krGUIManager::HandleEvents()
{
    if (!wrapperPtr || events.Length() == 0)
    {
        return;
    }
    // The length is read anew after every callback: a callback may queue more events. A
    // callback that clears the manager drops the rest of the batch with the controls; events
    // queued after that clear start again at the front of the queue.
    uint64_t i = 0;
    while (i < events.Length())
    {
        krGUIEvent* event = events.GetEvent(i);
        uint64_t clears = clearCount;
        if (event->type == geClick)
        {
            wrapperPtr->OnGUIClick(event->control);
        }
        i = clearCount == clears ? i + 1 : 0;
    }
    events.Clear();
}

void krGUIManager::Draw()
{
    if (frozen)
    {
        return;
    }
    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
    krGUIProjection(width, height, scale);
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    for (uint64_t i = 0; i < controlCount; i++)
    {
        krGUIObject* control = controls[i];
        if (!control || !control->GetVisible())
        {
            continue;
        }
        control->Draw();
        if (control->GetChildCount() > 0)
        {
            DrawChilds(control);
        }
    }
    if (const krGUIObject* focused = GetFocused())
    {
        krDrawFocusRing(*focused);
    }
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
}

void krGUIManager::Update()
{
    // The controls that Draw shows are the ones that move: none while frozen, no hidden
    // top-level control, every child of a shown one.
    if (frozen)
    {
        return;
    }
    SettleFocus();
    for (uint64_t i = 0; i < controlCount; i++)
    {
        krGUIObject* control = controls[i];
        if (control && control->GetVisible())
        {
            UpdateTree(control);
        }
    }
}

void krGUIManager::UpdateTree(krGUIObject* control)
{
    control->Update();
    for (uint64_t i = 0; i < control->GetChildCount(); i++)
    {
        if (krGUIObject* child = control->GetChild(i))
        {
            UpdateTree(child);
        }
    }
}

void krGUIManager::SetStepFraction(float fraction)
{
    stepFraction = fraction < 0.0f ? 0.0f : (fraction > 1.0f ? 1.0f : fraction);
}

void krGUIManager::DrawChilds(krGUIObject* parent)
{
    for (uint64_t i = 0; i < parent->GetChildCount(); i++)
    {
        krGUIObject* child = parent->GetChild(i);
        if (!child)
        {
            continue;
        }
        if (child->GetChildCount() > 0)
        {
            DrawChilds(child);
        }
        child->Draw();
    }
}

void krGUIManager::OnMouse(int32_t x, int32_t y)
{
    mouseX = krPixelsToUnits(x, scale);
    mouseY = krPixelsToUnits(y, scale);
    if (mouseX != prevMouseX || mouseY != prevMouseY)
    {
        // The pointer is in use again: the keyboard focus goes.
        focusShown = false;
        focusIndex = -1;
        int32_t dx = mouseX - prevMouseX;
        int32_t dy = mouseY - prevMouseY;
        for (uint64_t i = 0; i < controlCount; i++)
        {
            krGUIObject* control = controls[i];
            if (control && control->GetVisible() && control->GetID() != 0)
            {
                control->MouseMove(mouseX, mouseY, dx, dy);
            }
        }
    }
    prevMouseX = mouseX;
    prevMouseY = mouseY;
}

void krGUIManager::OnLMBDown(int32_t x, int32_t y)
{
    x = krPixelsToUnits(x, scale);
    y = krPixelsToUnits(y, scale);
    for (uint64_t i = 0; i < controlCount; i++)
    {
        krGUIObject* control = controls[i];
        if (control && control->GetVisible() && control->GetID() != 0)
        {
            control->LMBDown(x, y);
        }
    }
}

void krGUIManager::OnLMBUp(int32_t x, int32_t y)
{
    x = krPixelsToUnits(x, scale);
    y = krPixelsToUnits(y, scale);
    for (uint64_t i = 0; i < controlCount; i++)
    {
        krGUIObject* control = controls[i];
        if (control && control->GetVisible() && control->GetID() != 0)
        {
            control->LMBUp(x, y);
        }
    }
}

void krGUIManager::SetValueByID(uint8_t id, const krString& value)
{
    for (uint64_t i = 0; i < controlCount; i++)
    {
        krGUIObject* control = controls[i];
        if (!control)
        {
            continue;
        }
        if (control->GetChildCount() > 0)
        {
            SetValue(control, id, value);
        }
        if (control->GetID() == id)
        {
            control->SetValue(value);
        }
    }
}

void krGUIManager::SetValue(krGUIObject* parent, uint32_t id, const krString& value)
{
    for (uint64_t i = 0; i < parent->GetChildCount(); i++)
    {
        krGUIObject* child = parent->GetChild(i);
        if (!child)
        {
            continue;
        }
        if (child->GetID() == id)
        {
            child->SetValue(value);
        }
        if (child->GetChildCount() > 0)
        {
            SetValue(child, id, value);
        }
    }
}

bool krGUIManager::IsMouseInControls() const
{
    for (uint64_t i = 0; i < controlCount; i++)
    {
        krGUIObject* control = controls[i];
        if (control && control->GetID() != 0 && control->GetIsMouseInside())
        {
            return true;
        }
    }
    return false;
}

// ---------------------------------------------------------------------------------------------
// Keyboard focus

static void CollectFocusStops(krGUIObject* control, std::vector<krGUIObject*>* order)
{
    if (!control || !control->GetVisible())
    {
        return;
    }
    if (control->GetID() != 0 && control->TakesFocus())
    {
        order->push_back(control);
    }
    for (uint64_t i = 0; i < control->GetChildCount(); i++)
    {
        CollectFocusStops(control->GetChild(i), order);
    }
}

std::vector<krGUIObject*> krGUIManager::FocusOrder() const
{
    // The controls that pointer events reach: shown top-level controls with an ID.
    std::vector<krGUIObject*> order;
    for (uint64_t i = 0; i < controlCount; i++)
    {
        if (controls[i] && controls[i]->GetID() != 0)
        {
            CollectFocusStops(controls[i], &order);
        }
    }
    return order;
}

krGUIObject* krGUIManager::GetFocused() const
{
    if (!focusShown || focusIndex < 0)
    {
        return nullptr;
    }
    const std::vector<krGUIObject*> order = FocusOrder();
    if (focusIndex >= static_cast<int64_t>(order.size()) || order[focusIndex]->GetID() != focusID)
    {
        return nullptr;
    }
    return order[focusIndex];
}

void krGUIManager::FocusAt(const std::vector<krGUIObject*>& order, int64_t index)
{
    if (index < 0 || index >= static_cast<int64_t>(order.size()))
    {
        focusIndex = -1;
        return;
    }
    focusIndex = index;
    focusID = order[index]->GetID();
}

void krGUIManager::SettleFocus()
{
    if (!focusShown || GetFocused())
    {
        return;
    }
    FocusAt(FocusOrder(), 0);
}

bool krGUIManager::OfferKey(krGUIObject* control, krGUIKey key)
{
    if (!control || !control->GetVisible())
    {
        return false;
    }
    bool acted = control->OnKey(key);
    for (uint64_t i = 0; i < control->GetChildCount(); i++)
    {
        acted = OfferKey(control->GetChild(i), key) || acted;
    }
    return acted;
}

bool krGUIManager::OnKey(krGUIKey key)
{
    if (frozen)
    {
        return false;
    }
    SettleFocus();
    if (key == gkNext || key == gkPrevious)
    {
        const std::vector<krGUIObject*> order = FocusOrder();
        const int64_t count = static_cast<int64_t>(order.size());
        if (count == 0)
        {
            return false;
        }
        int64_t index = key == gkNext ? 0 : count - 1;
        if (GetFocused())
        {
            index = (focusIndex + (key == gkNext ? 1 : count - 1)) % count;
        }
        focusShown = true;
        FocusAt(order, index);
        return true;
    }
    if (key == gkPress)
    {
        krGUIObject* focused = GetFocused();
        if (!focused)
        {
            return false;
        }
        AppendEvent(geClick, focused);
        return true;
    }
    bool acted = false;
    for (uint64_t i = 0; i < controlCount; i++)
    {
        if (controls[i] && controls[i]->GetID() != 0)
        {
            acted = OfferKey(controls[i], key) || acted;
        }
    }
    return acted;
}
