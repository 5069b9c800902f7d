// Tests of the GUI manager: routing, the click queue and its delivery to the shell, values by
// ID, drawing order and the frozen state.
#include <GL/gl.h>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "app/krSDLWrapper.h"
#include "data/krString.h"
#include "gui/krGUIManager.h"
#include "gui/krGUIObject.h"
#include "gui/krGUIResource.h"
#include "krGUITestAssets.h"
#include "krTestGL.h"

namespace
{

// Records hooks, values and draws as "<name>:<what>" in a shared log.
class Probe : public krGUIObject
{
public:
    Probe(const char* name, std::vector<std::string>* log, uint32_t id, int32_t left, int32_t top,
          int32_t width, int32_t height)
        : krGUIObject(id, left, top, width, height), name(name), log(log)
    {
    }
    void Draw() override { Note("draw"); }
    void SetValue(const krString& value) override
    {
        value.GetString()
            ? Note("value " + std::string(value.GetString(), value.GetString() + value.Length()))
            : Note("value null");
    }
    void OnMouseMove(int dx, int dy) override
    {
        Note("move" + std::to_string(dx) + "," + std::to_string(dy));
    }
    void OnLMBDown() override { Note("down"); }
    void OnLMBUp() override { Note("up"); }
    void Note(const std::string& what) { log->push_back(name + ":" + what); }

    std::string name;
    std::vector<std::string>* log;
};

// A control the keyboard focus stops at, as a button is.
class Stop : public krGUIObject
{
public:
    Stop(uint32_t id, int32_t left = 0) : krGUIObject(id, left, 40, 40, 20) {}
    bool TakesFocus() const override { return true; }
};

// The shell as the manager sees it: only OnGUIClick matters. Constructing it touches no SDL.
class ClickShell : public krSDLWrapper
{
public:
    ClickShell() : krSDLWrapper(640, 480, false) {}
    void OnGUIClick(krGUIObject* control) override
    {
        clicks.push_back(control);
        if (onClick)
        {
            onClick(control);
        }
    }
    std::vector<krGUIObject*> clicks;
    std::function<void(krGUIObject*)> onClick;
};

// A manager wired to the shell, as the program runs it.
class GUIManagerTest : public ::testing::Test
{
protected:
    GUIManagerTest() { manager.SetWrapperPtr(&shell); }

    // A plain control appended to the screen.
    krGUIObject* Add(uint32_t id, int32_t left = 0, int32_t top = 0, int32_t size = 10)
    {
        krGUIObject* control = new krGUIObject(id, left, top, size, size);
        manager.AppendControl(control);
        return control;
    }
    // A press and release at (x, y).
    void Click(int32_t x, int32_t y)
    {
        manager.OnLMBDown(x, y);
        manager.OnLMBUp(x, y);
    }
    uint64_t Queued() { return manager.GetEvents()->Length(); }

    krGUIManager manager{640, 480};
    ClickShell shell;
    std::vector<std::string> log;
};

} // namespace

TEST(GUIManagerResource, TheManagerOwnsTheEngineArchive)
{
    EXPECT_EQ(nullptr, Resource);
    {
        krGUIManager* manager = krGUIManager::Create(320, 200);
        ASSERT_NE(nullptr, Resource);
        EXPECT_TRUE(Resource->ResourceExists("krEngineLogo"));
        delete manager;
    }
    EXPECT_EQ(nullptr, Resource);
}

// A click is queued and delivered at the start of the next frame, once the manager has its
// shell; nothing is lost while it has none, and only clicks are delivered.
TEST_F(GUIManagerTest, AClickWaitsForTheNextFrameAndForTheShell)
{
    krGUIObject* control = Add(4);
    manager.SetWrapperPtr(nullptr);
    Click(5, 5);
    manager.HandleEvents(); // no shell yet: nothing delivered, nothing lost
    EXPECT_EQ(1u, Queued());
    manager.SetWrapperPtr(&shell);
    Click(5, 5); // in frame n, after its delivery
    manager.AppendEvent(static_cast<krGUIEventType>(7), control);
    EXPECT_TRUE(shell.clicks.empty());
    manager.HandleEvents(); // frame n + 1
    EXPECT_EQ((std::vector<krGUIObject*>{control, control}), shell.clicks);
    EXPECT_EQ(0u, Queued());
    manager.HandleEvents();
    EXPECT_EQ(2u, shell.clicks.size());
}

TEST_F(GUIManagerTest, EventsQueuedByACallbackArriveInTheSameBatch)
{
    krGUIObject* a = Add(1);
    krGUIObject* b = Add(2);
    manager.AppendEvent(geClick, a);
    shell.onClick = [&](krGUIObject* c)
    {
        if (c == a)
        {
            manager.AppendEvent(geClick, b);
        }
    };
    manager.HandleEvents();
    EXPECT_EQ((std::vector<krGUIObject*>{a, b}), shell.clicks);
}

// Two overlapping clickable controls: one release queues two clicks. The first switches screens
// (clear, then build the new one and click it at once): the click of the deleted control is
// never delivered, the one queued after the clear is.
TEST_F(GUIManagerTest, AScreenSwitchDropsTheClicksOfDeletedControlsOnly)
{
    krGUIObject* first = Add(1, 0, 0, 100);
    Add(2, 50, 50, 100);
    Click(60, 60);
    ASSERT_EQ(2u, Queued());
    krGUIObject* next = nullptr;
    shell.onClick = [&](krGUIObject* c)
    {
        if (c == first)
        {
            manager.Clear();
            next = Add(3);
            manager.AppendEvent(geClick, next);
        }
    };
    manager.HandleEvents();
    EXPECT_EQ((std::vector<krGUIObject*>{first, next}), shell.clicks);
    EXPECT_EQ(0u, Queued());
    EXPECT_EQ(1u, manager.GetControlCount());
}

TEST_F(GUIManagerTest, ClearDropsQueuedClicks)
{
    Add(1);
    Click(5, 5);
    manager.Clear();
    manager.HandleEvents();
    EXPECT_TRUE(shell.clicks.empty());
}

TEST_F(GUIManagerTest, PointerEventsCarryTheMovementSinceThePreviousEvent)
{
    manager.AppendControl(new Probe("p", &log, 1, 0, 0, 100, 100));
    manager.OnMouse(10, 20); // measured from (0, 0)
    manager.OnMouse(10, 20); // same position: nobody hears it
    manager.OnMouse(13, 18);
    manager.OnMouse(300, 300); // outside
    manager.OnMouse(13, 18);   // back in: measured from the outside event
    EXPECT_EQ((std::vector<std::string>{"p:move10,20", "p:move3,-2", "p:move-287,-282"}), log);
}

TEST_F(GUIManagerTest, HiddenAndIdZeroTopLevelControlsAreNotReached)
{
    Probe* hidden = new Probe("hidden", &log, 1, 0, 0, 100, 100);
    hidden->AppendChild(new Probe("hiddenChild", &log, 5, 0, 0, 100, 100));
    hidden->SetVisible(false);
    Probe* zero = new Probe("zero", &log, 0, 0, 0, 100, 100);
    zero->AppendChild(new Probe("zeroChild", &log, 6, 0, 0, 100, 100));
    manager.AppendControl(hidden);
    manager.AppendControl(zero);
    manager.AppendControl(new Probe("shown", &log, 2, 0, 0, 100, 100));
    manager.OnMouse(5, 5);
    Click(5, 5);
    EXPECT_EQ((std::vector<std::string>{"shown:move5,5", "shown:down", "shown:up"}), log);
    EXPECT_TRUE(manager.IsMouseInControls());
}

TEST_F(GUIManagerTest, EveryReachableControlGetsTheRelease)
{
    krGUIObject* a = Add(1, 0, 0, 100);
    krGUIObject* b = Add(2, 0, 0, 100);
    Click(5, 5);
    manager.HandleEvents();
    EXPECT_EQ((std::vector<krGUIObject*>{a, b}), shell.clicks);
}

TEST_F(GUIManagerTest, SetValueByIDReachesEveryDepth)
{
    Probe* top = new Probe("top", &log, 111, 0, 0, 10, 10);
    Probe* child = new Probe("child", &log, 7, 0, 0, 10, 10);
    Probe* grand = new Probe("grand", &log, 111, 0, 0, 10, 10);
    grand->AppendChild(new Probe("great", &log, 111, 0, 0, 10, 10));
    child->AppendChild(grand);
    top->AppendChild(child);
    top->SetVisible(false); // visibility does not matter
    manager.AppendControl(top);
    manager.AppendControl(new Probe("wide", &log, 111 + 256, 0, 0, 10, 10));

    krString text(L"hi");
    manager.SetValueByID(111, text);
    // Children before their top-level parent; below the top, a child before its own children.
    EXPECT_EQ((std::vector<std::string>{"grand:value hi", "great:value hi", "top:value hi"}), log);

    log.clear();
    manager.SetValueByID(112, text);
    EXPECT_TRUE(log.empty());
}

TEST_F(GUIManagerTest, ClearDeletesTheControlsAndTheirChildren)
{
    Probe* top = new Probe("top", &log, 1, 0, 0, 10, 10);
    top->AppendChild(new Probe("child", &log, 1, 0, 0, 10, 10));
    manager.AppendControl(top);
    EXPECT_EQ(&manager, top->GetGUIManagerPtr());
    manager.Clear();
    EXPECT_EQ(0u, manager.GetControlCount());
    EXPECT_EQ(nullptr, manager.GetControl(0));
}

class GUIManagerDrawTest : public krGUIGLTest
{
protected:
    std::vector<std::string> log;
};

TEST_F(GUIManagerDrawTest, DrawsTopLevelBelowChildrenAndChildrenOverTheirOwn)
{
    Probe* top = new Probe("top", &log, 0, 0, 0, 10, 10);
    Probe* child = new Probe("child", &log, 0, 0, 0, 10, 10);
    child->AppendChild(new Probe("grand", &log, 0, 0, 0, 10, 10));
    child->SetVisible(false); // only the top level's flag counts
    top->AppendChild(child);
    top->AppendChild(new Probe("second", &log, 0, 0, 0, 10, 10));
    Probe* hidden = new Probe("hidden", &log, 0, 0, 0, 10, 10);
    hidden->AppendChild(new Probe("hiddenChild", &log, 0, 0, 0, 10, 10));
    hidden->SetVisible(false);
    manager->AppendControl(top);
    manager->AppendControl(hidden);
    manager->Draw();
    EXPECT_EQ((std::vector<std::string>{"top:draw", "grand:draw", "child:draw", "second:draw"}),
              log);
    // Pixel projection left in place, blending off, depth test on.
    EXPECT_EQ(GL_PROJECTION, krGLInteger(GL_MATRIX_MODE));
    GLfloat m[16];
    glGetFloatv(GL_PROJECTION_MATRIX, m);
    EXPECT_FLOAT_EQ(2.0f / kWidth, m[0]);
    EXPECT_FLOAT_EQ(-2.0f / kHeight, m[5]);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
}

TEST_F(GUIManagerDrawTest, FrozenDrawTouchesNoState)
{
    manager->AppendControl(new Probe("top", &log, 0, 0, 0, 10, 10));
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    manager->Freeze();
    manager->Draw();
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(GL_MODELVIEW, krGLInteger(GL_MATRIX_MODE));
    GLfloat m[16];
    glGetFloatv(GL_PROJECTION_MATRIX, m);
    EXPECT_FLOAT_EQ(1.0f, m[0]);
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    manager->Thaw();
    manager->Draw();
    EXPECT_EQ(1u, log.size());
}

// The stops are the shown focusable controls with an ID, depth first in append order; the
// focus wraps both ways and a hidden ring starts again from an end.
TEST_F(GUIManagerTest, FocusStopsAtClickableControlsInAppendOrderAndWraps)
{
    Stop* a = new Stop(1);
    krGUIObject* panel = new krGUIObject(3, 0, 0, 100, 100);
    Stop* b = new Stop(4);
    Stop* hidden = new Stop(5);
    hidden->SetVisible(false);
    panel->AppendChild(b);
    panel->AppendChild(new Stop(0)); // takes no clicks
    panel->AppendChild(hidden);
    panel->AppendChild(new krGUIObject(9, 0, 0, 10, 10)); // not a stop
    Stop* e = new Stop(6);
    manager.AppendControl(a);
    manager.AppendControl(panel);
    manager.AppendControl(new Stop(0));
    manager.AppendControl(e);

    EXPECT_FALSE(manager.OnKey(gkPress)); // no ring yet: the key stays the program's
    EXPECT_EQ(nullptr, manager.GetFocused());
    std::vector<krGUIObject*> seen;
    for (krGUIKey key : {gkNext, gkNext, gkNext, gkNext, gkPrevious, gkPrevious})
    {
        EXPECT_TRUE(manager.OnKey(key));
        seen.push_back(manager.GetFocused());
    }
    EXPECT_EQ((std::vector<krGUIObject*>{a, b, e, a, e, b}), seen);

    // Pressing queues the focused control's click, delivered as a click is.
    EXPECT_TRUE(manager.OnKey(gkPress));
    EXPECT_TRUE(shell.clicks.empty());
    manager.HandleEvents();
    EXPECT_EQ((std::vector<krGUIObject*>{b}), shell.clicks);

    // A pointer move hides the ring; Return is the program's again, Shift+Tab starts at the end.
    manager.OnMouse(7, 7);
    EXPECT_FALSE(manager.IsFocusShown());
    EXPECT_EQ(nullptr, manager.GetFocused());
    EXPECT_FALSE(manager.OnKey(gkPress));
    EXPECT_EQ(0u, Queued());
    EXPECT_TRUE(manager.OnKey(gkPrevious));
    EXPECT_EQ(e, manager.GetFocused());

    // A screen without stops takes no focus keys.
    manager.Clear();
    EXPECT_FALSE(manager.OnKey(gkNext));
    EXPECT_FALSE(manager.OnKey(gkPress));
}

// A screen built again keeps the focus on the control of the same ID at the same place; another
// screen starts at its first stop.
TEST_F(GUIManagerTest, FocusFollowsScreenChanges)
{
    auto build = [&](std::vector<uint32_t> ids)
    {
        manager.Clear();
        for (uint32_t id : ids)
        {
            manager.AppendControl(new Stop(id));
        }
        manager.Update();
        return manager.GetFocused() ? manager.GetFocused()->GetID() : 0u;
    };
    build({7, 8, 9});
    manager.OnKey(gkNext);
    manager.OnKey(gkNext);
    EXPECT_EQ(8u, build({7, 8, 9}));
    EXPECT_EQ(10u, build({10, 11, 12}));
    EXPECT_EQ(0u, build({}));
    EXPECT_EQ(7u, build({7, 8}));
    // While frozen the GUI takes no keys.
    manager.Freeze();
    EXPECT_FALSE(manager.OnKey(gkNext));
    manager.Thaw();
    EXPECT_TRUE(manager.OnKey(gkNext));
    EXPECT_EQ(8u, manager.GetFocused()->GetID());
}

TEST_F(GUIManagerDrawTest, TheRingIsDrawnAroundTheFocusedControlOnlyWhileShown)
{
    manager->AppendControl(new Stop(1, 40));
    auto ringPixel = [&]()
    {
        DrawFrame();
        return ReadPixel(37, 50); // 3 units left of the control, halfway down
    };
    EXPECT_TRUE(krPixelNear(ringPixel(), 0, 0, 0));
    manager->OnKey(gkNext);
    EXPECT_TRUE(krPixelNear(ringPixel(), 255, 191, 25, 12));
    EXPECT_TRUE(krPixelNear(ReadPixel(50, 50), 0, 0, 0)); // inside stays clear
    manager->OnMouse(5, 5);
    EXPECT_TRUE(krPixelNear(ringPixel(), 0, 0, 0));
}
