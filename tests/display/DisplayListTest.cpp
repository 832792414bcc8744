#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "display/Shape.h"
#include "display/Sprite.h"
#include "display/Stage.h"
#include "tests/support/headless/HeadlessLoop.h"

using gfx::display::DisplayObject;
using gfx::display::DisplayObjectPtr;
using gfx::display::Shape;
using gfx::display::Sprite;
using gfx::display::SpritePtr;
using gfx::display::Stage;
using gfx::events::Event;
using gfx::events::EventPtr;

namespace {

// Four sprites a, b, c, d in one container.
struct FourChildren : testing::Test {
    SpritePtr container = std::make_shared<Sprite>();
    std::vector<SpritePtr> kids;
    void SetUp() override {
        for (int i = 0; i < 4; ++i) {
            kids.push_back(container->addChild(std::make_shared<Sprite>()));
            kids.back()->set_name(std::string(1, static_cast<char>('a' + i)));
        }
    }
    std::string order() const {
        std::string names;
        for (int i = 0; i < container->get_numChildren(); ++i) names += container->getChildAt(i)->get_name();
        return names;
    }
};

template <class Error>
std::string messageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Error& error) {
        return error.what();
    }
    return "no error";
}

// Records "type@currentTarget target" for the four parent-change events.
struct ParentEvents {
    std::vector<std::string> lines;
    void listen(const DisplayObjectPtr& object) {
        for (const auto* type : {"added", "addedToStage", "removed", "removedFromStage"}) {
            object->addEventListener(type, [this, object = object.get()](const EventPtr& e) {
                lines.push_back(e->type + "@" + static_cast<DisplayObject*>(e->currentTarget)->get_name() + " " +
                                static_cast<DisplayObject*>(e->target)->get_name());
            });
        }
    }
};

}  // namespace

TEST_F(FourChildren, AddingAPresentChildMovesItToTheTopWithoutDuplicating) {
    EXPECT_EQ(container->addChild(kids[1]), kids[1]);
    EXPECT_EQ(order(), "acdb");
    EXPECT_EQ(kids[1]->get_parent(), container.get());
}

TEST_F(FourChildren, RemovingAStrangerChangesNothing) {
    auto stranger = std::make_shared<Sprite>();
    EXPECT_EQ(container->removeChild(stranger), nullptr);
    EXPECT_EQ(order(), "abcd");
    EXPECT_EQ(container->removeChild(kids[2]), kids[2]);
    EXPECT_EQ(order(), "abd");
    EXPECT_EQ(kids[2]->get_parent(), nullptr);
    EXPECT_EQ(container->getChildIndex(kids[2]), -1);
}

TEST_F(FourChildren, SetChildIndexMovesAndShifts) {
    container->setChildIndex(kids[3], 0);
    EXPECT_EQ(order(), "dabc");
    container->setChildIndex(kids[3], 2);
    EXPECT_EQ(order(), "abdc");
    container->setChildIndex(kids[0], 4);  // one past the end: the top
    EXPECT_EQ(order(), "bdca");
}

TEST_F(FourChildren, ErrorsCarryTheirMessages) {
    EXPECT_EQ(messageOf<std::out_of_range>([&] { container->setChildIndex(kids[0], 5); }), "Invalid index position 5");
    EXPECT_EQ(messageOf<std::out_of_range>([&] { container->setChildIndex(kids[0], -1); }),
              "Invalid index position -1");
    auto stranger = std::make_shared<Sprite>();
    EXPECT_EQ(messageOf<std::invalid_argument>([&] { container->setChildIndex(stranger, 0); }),
              "setChildIndex : object " + stranger->toString() + " not found.");
    EXPECT_EQ(messageOf<std::out_of_range>([&] { (void)container->getChildAt(4); }),
              "getChildAt : index out of bounds 4/4");
    EXPECT_EQ(messageOf<std::invalid_argument>([&] { container->removeChildAt(4); }),
              "The supplied DisplayObject must be a child of the caller.");
    EXPECT_EQ(messageOf<std::invalid_argument>([&] { container->addChild(container); }), "Adding to self");
    EXPECT_EQ(order(), "abcd");
}

TEST(DisplayList, ChildrenOutliveTheirContainerWithoutABackLink) {
    auto child = std::make_shared<Shape>();
    {
        auto container = std::make_shared<Sprite>();
        container->addChild(child);
        EXPECT_EQ(child->get_parent(), container.get());
    }
    EXPECT_EQ(child->get_parent(), nullptr);
}

TEST(DisplayList, ParentChangeEventsOnAndOffTheStage) {
    HeadlessLoop loop;
    ParentEvents events;
    bool ran = false;
    loop.run(0, [&](Stage& stage) {
        ran = true;
        stage.set_name("stage");
        auto layer = stage.addChild(std::make_shared<Sprite>());
        layer->set_name("layer");
        auto other = stage.addChild(std::make_shared<Sprite>());
        other->set_name("other");
        auto sprite = std::make_shared<Sprite>();
        sprite->set_name("sprite");
        auto inner = sprite->addChild(std::make_shared<Shape>());
        inner->set_name("inner");
        events.listen(std::static_pointer_cast<DisplayObject>(stage.shared_from_this()));
        events.listen(layer);
        events.listen(sprite);
        events.listen(inner);

        layer->addChild(sprite);
        EXPECT_EQ(events.lines,
                  (std::vector<std::string>{"added@sprite sprite", "added@layer sprite", "added@stage sprite",
                                            "addedToStage@sprite sprite", "addedToStage@inner inner"}));
        events.lines.clear();

        // Straight from one parent to another: no events.
        other->addChild(sprite);
        EXPECT_TRUE(events.lines.empty());
        EXPECT_EQ(layer->get_numChildren(), 0);

        other->removeChild(sprite);
        EXPECT_EQ(events.lines, (std::vector<std::string>{"removed@sprite sprite", "removedFromStage@sprite sprite",
                                                          "removedFromStage@inner inner"}));
        events.lines.clear();

        // Off the stage only "added" and "removed" go out.
        auto loose = std::make_shared<Sprite>();
        loose->set_name("loose");
        loose->addChild(sprite);
        loose->removeChild(sprite);
        EXPECT_EQ(events.lines, (std::vector<std::string>{"added@sprite sprite", "removed@sprite sprite"}));
        EXPECT_EQ(sprite->get_stage(), nullptr);
    });
    EXPECT_TRUE(ran);
}

TEST(DisplayList, BroadcastVisitsChildrenFirstAndSkipsNoneWhenOneLeaves) {
    auto root = std::make_shared<Sprite>();
    root->set_name("root");
    std::vector<std::string> visits;
    std::vector<SpritePtr> kids;
    for (const char* name : {"a", "b", "c"}) {
        auto kid = root->addChild(std::make_shared<Sprite>());
        kid->set_name(name);
        kids.push_back(kid);
    }
    auto grandchild = kids[0]->addChild(std::make_shared<Sprite>());
    grandchild->set_name("a1");
    for (const DisplayObjectPtr& object : {DisplayObjectPtr(root), DisplayObjectPtr(kids[0]), DisplayObjectPtr(kids[1]),
                                           DisplayObjectPtr(kids[2]), DisplayObjectPtr(grandchild)}) {
        object->addEventListener(Event::ENTER_FRAME,
                                 [&visits, o = object.get()](const EventPtr&) { visits.push_back(o->get_name()); });
    }
    // "a" leaves during its turn: "b" moves into its place and is still visited.
    kids[0]->addEventListener(Event::ENTER_FRAME, [&](const EventPtr&) { root->removeChild(kids[0]); });
    root->broadcast(std::make_shared<Event>(Event::ENTER_FRAME));
    EXPECT_EQ(visits, (std::vector<std::string>{"a1", "a", "b", "c", "root"}));
}

// A broadcast walks only where something listens, and still reaches every
// listener: ones in subtrees moved in, ones added during the broadcast ahead
// of the walk, and the target is the object a full walk would reach first.
TEST(DisplayList, BroadcastReachesEveryListenerWhereverItIs) {
    auto root = std::make_shared<Sprite>();
    auto quiet = root->addChild(std::make_shared<Sprite>());
    auto leaf = quiet->addChild(std::make_shared<Shape>());
    auto deep = std::make_shared<Sprite>();
    auto deepLeaf = deep->addChild(std::make_shared<Shape>());
    auto late = root->addChild(std::make_shared<Shape>());
    std::vector<std::string> visits;
    const gfx::events::EventDispatcher* target = nullptr;
    auto log = [&](const char* name) {
        return [&visits, &target, name](const EventPtr& event) {
            visits.push_back(name);
            target = event->target;
        };
    };
    // Listening before it joins the tree: the counts move with the subtree.
    deepLeaf->addEventListener(Event::ENTER_FRAME, log("deepLeaf"));
    root->addEventListener(Event::ENTER_FRAME, log("root"));
    root->broadcast(std::make_shared<Event>(Event::ENTER_FRAME));
    EXPECT_EQ(visits, (std::vector<std::string>{"root"}));
    EXPECT_EQ(target, leaf.get());

    visits.clear();
    quiet->addChild(deep);
    // Added during the broadcast, to an object the walk has not reached yet.
    deepLeaf->addEventListener(Event::ENTER_FRAME,
                               [&](const EventPtr&) { late->addEventListener(Event::ENTER_FRAME, log("late")); });
    root->broadcast(std::make_shared<Event>(Event::ENTER_FRAME));
    EXPECT_EQ(visits, (std::vector<std::string>{"deepLeaf", "late", "root"}));
    EXPECT_EQ(target, leaf.get());

    visits.clear();
    root->removeChild(quiet);
    root->removeChild(late);
    root->broadcast(std::make_shared<Event>(Event::ENTER_FRAME));
    EXPECT_EQ(visits, (std::vector<std::string>{"root"}));
    EXPECT_EQ(root->listeningObjects(), 1);
    EXPECT_EQ(quiet->listeningObjects(), 1);
}

TEST(DisplayList, FindByIdSearchesTheSubtree) {
    auto root = std::make_shared<Sprite>();
    auto child = root->addChild(std::make_shared<Sprite>());
    auto leaf = child->addChild(std::make_shared<Shape>());
    EXPECT_EQ(root->findByID(leaf->id()), leaf.get());
    EXPECT_EQ(root->findByID(root->id()), root.get());
    EXPECT_EQ(child->findByID(root->id()), nullptr);
    EXPECT_NE(leaf->id(), child->id());
}
