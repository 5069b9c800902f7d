// Tests of the control tree without a window: hit tests, enter/leave, click rules, children.
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "gui/krGUIManager.h"
#include "gui/krGUIObject.h"

namespace
{

// Records every hook call as "<name>:<hook>".
class Probe : public krGUIObject
{
public:
    Probe(const char* name, std::vector<std::string>* log, uint32_t id, int32_t left, int32_t top,
          int32_t width, int32_t height)
        : krGUIObject(id, left, top, width, height), name(name), log(log)
    {
    }
    ~Probe() override { Note("deleted"); }

    void OnMouseEnter() override { Note("enter"); }
    void OnMouseLeave() override { Note("leave"); }
    void OnLMBDown() override { Note("down"); }
    void OnLMBUp() override { Note("up"); }
    void OnMouseMove(int dx, int dy) override
    {
        Note("move" + std::to_string(dx) + "," + std::to_string(dy));
    }
    void OnAfterSetParent(krGUIObject* parent) override
    {
        Note("parent" + std::to_string(parent->GetLeft()) + "," + std::to_string(parent->GetTop()) +
             " at " + std::to_string(left) + "," + std::to_string(top));
    }

    void Note(const std::string& what) { log->push_back(name + ":" + what); }

    std::string name;
    std::vector<std::string>* log;
};

// A manager to receive the clicks; it also creates the engine archive, which is harmless here.
class GUIObjectTest : public ::testing::Test
{
protected:
    std::vector<krGUIObject*> Clicks()
    {
        std::vector<krGUIObject*> result;
        for (uint64_t i = 0; i < manager.GetEvents()->Length(); i++)
        {
            EXPECT_EQ(geClick, manager.GetEvents()->GetEvent(i)->type);
            result.push_back(manager.GetEvents()->GetEvent(i)->control);
        }
        return result;
    }

    // A probe logging to `log`; `onScreen` appends it to the manager's screen.
    Probe* Make(const char* name, uint32_t id, int32_t left, int32_t top, int32_t width,
                int32_t height, bool onScreen = false)
    {
        Probe* probe = new Probe(name, &log, id, left, top, width, height);
        if (onScreen)
        {
            manager.AppendControl(probe);
        }
        return probe;
    }

    std::vector<std::string> log;
    krGUIManager manager{640, 480};
};

} // namespace

// Both edges are inside, so controls that touch share the common edge; a huge rectangle does not
// wrap around.
TEST(GUIObjectHitTest, BothEdgesAreInsideAndHugeRectanglesDoNotWrap)
{
    const krGUIObject control(1, 10, 20, 30, 40), touching(2, 40, 0, 10, 30),
        huge(3, 2147483000, 0, 2147483000, 10);
    const struct
    {
        const krGUIObject& object;
        int x, y;
        bool inside;
    } cases[] = {
        {control, 10, 20, true},  {control, 40, 60, true},     {control, 40, 20, true},
        {control, 9, 30, false},  {control, 41, 30, false},    {control, 20, 19, false},
        {control, 20, 61, false}, {touching, 40, 25, true},    {control, 40, 25, true},
        {huge, 0, 5, false},      {huge, 2147483600, 5, true},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(c.inside, c.object.IsInside(c.x, c.y))
            << c.object.GetID() << " " << c.x << "," << c.y;
    }
}

TEST_F(GUIObjectTest, EnterOnEveryEventInsideLeaveOnceOutside)
{
    Probe p("p", &log, 1, 0, 0, 10, 10);
    p.MouseMove(5, 5, 5, 5);
    p.MouseMove(6, 5, 1, 0);
    p.MouseMove(20, 5, 14, 0);
    p.MouseMove(30, 5, 10, 0);
    EXPECT_EQ((std::vector<std::string>{"p:enter", "p:move5,5", "p:enter", "p:move1,0", "p:leave"}),
              log);
    EXPECT_FALSE(p.GetIsMouseInside());
}

TEST_F(GUIObjectTest, ChildrenAreHitTestedBeforeTheParent)
{
    Probe* parent = Make("parent", 1, 100, 100, 100, 100);
    parent->AppendChild(Make("child", 0, 10, 10, 20, 20));
    log.clear();
    parent->MouseMove(115, 115, 3, 4);
    EXPECT_EQ((std::vector<std::string>{"child:enter", "child:move3,4", "parent:enter",
                                        "parent:move3,4"}),
              log);
    log.clear();
    parent->MouseMove(150, 150, 35, 35);
    EXPECT_EQ((std::vector<std::string>{"child:leave", "parent:enter", "parent:move35,35"}), log);
    delete parent;
}

// A press outside and a release inside click nothing. After a press inside, a release inside
// (the edge counts) clicks; the pressed flag outlives a release outside, so a later release
// inside still clicks, whatever was pressed in between.
TEST_F(GUIObjectTest, AReleaseInsideClicksAfterAPressInside)
{
    Probe* p = Make("p", 7, 0, 0, 50, 50, true);
    p->LMBDown(60, 10);
    p->LMBUp(10, 10);
    EXPECT_TRUE(Clicks().empty());
    p->LMBDown(10, 10);
    EXPECT_TRUE(p->GetPressed());
    p->LMBUp(90, 90); // outside: nothing, still pressed
    EXPECT_TRUE(p->GetPressed());
    EXPECT_TRUE(Clicks().empty());
    p->LMBDown(90, 90); // a press elsewhere
    p->LMBUp(50, 50);   // ... and a release inside clicks
    EXPECT_FALSE(p->GetPressed());
    EXPECT_EQ((std::vector<std::string>{"p:up", "p:down", "p:up"}), log);
    EXPECT_EQ((std::vector<krGUIObject*>{p}), Clicks());
}

TEST_F(GUIObjectTest, ChildClickDoesNotDependOnThePressAndStopsTheRelease)
{
    Probe* parent = Make("parent", 1, 0, 0, 100, 100, true);
    Probe* child = Make("child", 5, 10, 10, 20, 20);
    parent->AppendChild(child);
    log.clear();
    parent->LMBDown(50, 50); // parent only
    parent->LMBUp(15, 15);   // on the child
    EXPECT_EQ((std::vector<std::string>{"parent:down", "child:up"}), log);
    EXPECT_EQ((std::vector<krGUIObject*>{child}), Clicks());
    EXPECT_TRUE(parent->GetPressed()); // the parent saw no release
}

TEST_F(GUIObjectTest, IdZeroChildFallsThroughToThePressedParent)
{
    Probe* parent = Make("parent", 3, 0, 0, 100, 100, true);
    Probe* label = Make("label", 0, 10, 10, 20, 20);
    parent->AppendChild(label);
    log.clear();
    parent->LMBDown(15, 15);
    parent->LMBUp(15, 15);
    // The child gets the press (ids are not looked at) but neither release nor click.
    EXPECT_EQ((std::vector<std::string>{"label:down", "parent:down", "parent:up"}), log);
    EXPECT_FALSE(label->GetPressed());
    EXPECT_EQ((std::vector<krGUIObject*>{parent}), Clicks());
}

TEST_F(GUIObjectTest, OverlappingChildrenAllPressedFirstOneClicked)
{
    Probe* parent = Make("parent", 1, 0, 0, 100, 100, true);
    Probe* zero = Make("zero", 0, 0, 0, 50, 50);
    Probe* first = Make("first", 8, 5, 5, 50, 50);
    Probe* second = Make("second", 9, 10, 10, 50, 50);
    parent->AppendChild(zero);
    parent->AppendChild(first);
    parent->AppendChild(second);
    log.clear();
    parent->LMBDown(20, 20);
    parent->LMBUp(20, 20);
    EXPECT_EQ((std::vector<std::string>{"zero:down", "first:down", "second:down", "parent:down",
                                        "first:up"}),
              log);
    EXPECT_EQ((std::vector<krGUIObject*>{first}), Clicks());
}

TEST_F(GUIObjectTest, AppendChildMakesCoordinatesAbsoluteOnce)
{
    Probe* parent = Make("parent", 1, 200, 100, 300, 300, true);
    Probe* child = Make("child", 2, 10, 10, 20, 20);
    Probe* grandChild = Make("grand", 3, 1, 2, 5, 5);
    child->AppendChild(grandChild); // child still relative: grand ends at (11, 12)
    parent->AppendChild(child);
    EXPECT_EQ(210, child->GetLeft());
    EXPECT_EQ(110, child->GetTop());
    EXPECT_EQ(11, grandChild->GetLeft()); // not shifted again
    EXPECT_EQ(12, grandChild->GetTop());
    EXPECT_EQ(&manager, child->GetGUIManagerPtr());
    EXPECT_EQ(nullptr, grandChild->GetGUIManagerPtr()); // copied when its parent had none
    EXPECT_EQ("child:parent200,100 at 210,110", log.back());

    parent->SetLeft(0); // moving a parent later moves no child
    EXPECT_EQ(210, child->GetLeft());
    EXPECT_EQ(1u, parent->GetChildCount());
    EXPECT_EQ(child, parent->GetChild(0));
    EXPECT_EQ(nullptr, parent->GetChild(1));
}

TEST_F(GUIObjectTest, ClearAndDestructorDeleteTheWholeSubtree)
{
    Probe* parent = Make("parent", 1, 0, 0, 10, 10);
    Probe* child = Make("child", 1, 0, 0, 10, 10);
    child->AppendChild(Make("grand", 1, 0, 0, 10, 10));
    parent->AppendChild(child);
    parent->AppendChild(Make("second", 1, 0, 0, 10, 10));
    log.clear();
    parent->Clear();
    EXPECT_EQ(0u, parent->GetChildCount());
    EXPECT_EQ((std::vector<std::string>{"child:deleted", "grand:deleted", "second:deleted"}), log);
    log.clear();
    delete parent;
    EXPECT_EQ((std::vector<std::string>{"parent:deleted"}), log);
}
