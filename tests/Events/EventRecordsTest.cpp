#include <gtest/gtest.h>

#include <memory>
#include <typeinfo>

#include "Events/Event.h"
#include "Events/EventType.h"
#include "Events/Event_EnterLeave.h"
#include "Events/Event_Joypad.h"
#include "Events/Event_Key.h"
#include "Events/Event_Mouse.h"
#include "Events/Event_PreUpdate.h"
#include "Events/Event_Screen.h"
#include "Events/Event_SetMouse.h"
#include "Events/Event_Update.h"

namespace {

// Clones a record and checks the clone's class and type number; returns the
// clone converted to the record's own class.
template <typename Record>
std::unique_ptr<Record> cloneChecked(const Record& source)
{
    std::unique_ptr<EVT::I_Event> copy(source.clone());
    EXPECT_NE(copy.get(), &source);
    EXPECT_EQ(typeid(*copy), typeid(Record));
    EXPECT_EQ(copy->type, source.type);
    return std::unique_ptr<Record>(dynamic_cast<Record*>(copy.release()));
}

TEST(EventRecords, EachRecordCarriesItsFixedTypeNumber)
{
    struct Case {
        const char* name;
        std::unique_ptr<EVT::I_Event> event;
        int type;
    };
    Case cases[] = {
        {"update", std::make_unique<EVT::Event_Update>(1.f), 6},
        {"pre-update", std::make_unique<EVT::Event_PreUpdate>(1.f), 7},
        {"screen", std::make_unique<EVT::Event_Screen>(1, 2), 9},
        {"set mouse", std::make_unique<EVT::Event_SetMouse>(1, 2, 1), 10},
        {"mouse", std::make_unique<EVT::Event_Mouse>(1, 2, 3, 4, true), 11},
        {"enter/leave", std::make_unique<EVT::Event_EnterLeave>(true), 12},
        {"key", std::make_unique<EVT::Event_Key>(97, true, 0), 13},
        {"joypad", std::make_unique<EVT::Event_Joypad>(0, 1, -1), 14},
        {"generic", std::make_unique<EVT::Event>(22), 22},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.event->type, c.type);
    }
    EXPECT_EQ(EVT::QUIT, 1);
    EXPECT_EQ(EVT::PAUSE, 4);
    EXPECT_EQ(EVT::RESUME, 5);
    EXPECT_EQ(EVT::RENDER, 8);
}

TEST(EventRecords, CloneCopiesEveryFieldAndIsIndependent)
{
    {
        SCOPED_TRACE("update and pre-update");
        EVT::Event_Update update(16.5f);
        auto u = cloneChecked(update);
        ASSERT_TRUE(u);
        EXPECT_FLOAT_EQ(u->delta, 16.5f);
        u->delta = 1.f;
        EXPECT_FLOAT_EQ(update.delta, 16.5f);

        EVT::Event_PreUpdate pre(33.25f);
        auto p = cloneChecked(pre);
        ASSERT_TRUE(p);
        EXPECT_FLOAT_EQ(p->delta, 33.25f);
    }
    {
        SCOPED_TRACE("screen");
        EVT::Event_Screen screen(640, 480);
        auto s = cloneChecked(screen);
        ASSERT_TRUE(s);
        EXPECT_EQ(s->width, 640);
        EXPECT_EQ(s->height, 480);
        s->width = 1;
        EXPECT_EQ(screen.width, 640);
    }
    {
        SCOPED_TRACE("mouse");
        EVT::Event_Mouse mouse(10, 20, -3, 4, true);
        auto m = cloneChecked(mouse);
        ASSERT_TRUE(m);
        EXPECT_EQ(m->x, 10);
        EXPECT_EQ(m->y, 20);
        EXPECT_EQ(m->wheelDelta, -3);
        EXPECT_EQ(m->button, 4);
        EXPECT_TRUE(m->pressed);
    }
    {
        SCOPED_TRACE("enter/leave");
        EVT::Event_EnterLeave leave(false);
        auto e = cloneChecked(leave);
        ASSERT_TRUE(e);
        EXPECT_FALSE(e->active);
    }
    {
        SCOPED_TRACE("key: shift and ctrl together are 5");
        EVT::Event_Key key(200, false, 1 | 4);
        auto k = cloneChecked(key);
        ASSERT_TRUE(k);
        EXPECT_EQ(k->key, 200);
        EXPECT_FALSE(k->pressed);
        EXPECT_EQ(k->modifiers, 5);
        k->modifiers = 0;
        EXPECT_EQ(key.modifiers, 5);
    }
    {
        SCOPED_TRACE("joypad");
        EVT::Event_Joypad pad(15, -1, 1, true, false, false, true);
        auto j = cloneChecked(pad);
        ASSERT_TRUE(j);
        EXPECT_EQ(j->joystick, 15);
        EXPECT_EQ(j->x, -1);
        EXPECT_EQ(j->y, 1);
        EXPECT_TRUE(j->buttons[0]);
        EXPECT_FALSE(j->buttons[1]);
        EXPECT_FALSE(j->buttons[2]);
        EXPECT_TRUE(j->buttons[3]);
        j->buttons[0] = false;
        EXPECT_TRUE(pad.buttons[0]);
    }
    {
        SCOPED_TRACE("set mouse, read through its virtual getters");
        EVT::Event_SetMouse set(-1, 300, 2);
        auto s = cloneChecked(set);
        ASSERT_TRUE(s);
        const EVT::Event_SetMouse& view = *s;
        EXPECT_EQ(view.getX(), -1);
        EXPECT_EQ(view.getY(), 300);
        EXPECT_EQ(view.getMode(), 2);
    }
}

TEST(EventRecords, GenericEventIsToldByItsNumberNotItsClass)
{
    EVT::Event render(EVT::RENDER);
    auto copy = cloneChecked(render);
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->type, 8);
    copy->type = EVT::QUIT;
    EXPECT_EQ(render.type, 8);
}

} // namespace
