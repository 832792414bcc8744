#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <tuple>

#include "components/AnimationNode.h"
#include "components/CameraNode.h"
#include "components/ItemHolderNode.h"
#include "components/ItemNode.h"
#include "components/MoonNode.h"
#include "components/Player.h"
#include "components/PlayerNode.h"
#include "components/RenderNode.h"
#include "ecs/core/Engine.h"
#include "ecs/fsm/EntityStateMachine.h"
#include "input/Keys.h"
#include "systems/movement/BeamControlNode.h"
#include "systems/movement/GravityNode.h"
#include "systems/movement/MotionControlNode.h"
#include "systems/movement/VelocityNode.h"
#include "systems/presentation/CameraTargetNode.h"
#include "systems/rules/MoonFallNode.h"
#include "tests/support/files/TempFolder.h"
#include "world/MapNode.h"

using namespace components;
using ecs::core::Engine;
using ecs::core::Entity;
namespace keys = game::keys;

namespace {

class StillView : public views::IAnimatable {
public:
    void animate(double) override {}
};

// One instance of every component a node may ask for.
struct Parts {
    std::shared_ptr<Moon> moon = std::make_shared<Moon>();
    std::shared_ptr<game::GameMap> map;
    std::shared_ptr<Player> player =
        std::make_shared<Player>(nullptr, std::make_shared<Jump>(), std::make_shared<Beam>());
    std::shared_ptr<Position> position = std::make_shared<Position>(1, 2, 0);
    std::shared_ptr<Camera> camera = std::make_shared<Camera>();
    std::shared_ptr<Display> display = std::make_shared<Display>(nullptr);
    std::shared_ptr<Animation> animation = std::make_shared<Animation>(std::make_shared<StillView>());
    std::shared_ptr<BoundingBox> boundingBox =
        std::make_shared<BoundingBox>(std::make_shared<gfx::geom::Rectangle>(-5, -10, 10, 20));
    std::shared_ptr<Jump> jump = std::make_shared<Jump>();
    std::shared_ptr<Gravity> gravity = std::make_shared<Gravity>(1);
    std::shared_ptr<MotionControls> motion = std::make_shared<MotionControls>(keys::A, keys::D, keys::W, 1, 2);
    std::shared_ptr<BeamControls> beamControls = std::make_shared<BeamControls>(keys::A, keys::D, keys::W, keys::S);
    std::shared_ptr<Beam> beam = std::make_shared<Beam>();
    std::shared_ptr<Item> item = std::make_shared<Item>(1);
    std::shared_ptr<CameraTarget> target = std::make_shared<CameraTarget>(0.2);

    template <typename C>
    std::shared_ptr<C> of() const {
        if constexpr (std::is_same_v<C, Moon>)
            return moon;
        else if constexpr (std::is_same_v<C, game::GameMap>)
            return map;
        else if constexpr (std::is_same_v<C, Player>)
            return player;
        else if constexpr (std::is_same_v<C, Position>)
            return position;
        else if constexpr (std::is_same_v<C, Camera>)
            return camera;
        else if constexpr (std::is_same_v<C, Display>)
            return display;
        else if constexpr (std::is_same_v<C, Animation>)
            return animation;
        else if constexpr (std::is_same_v<C, BoundingBox>)
            return boundingBox;
        else if constexpr (std::is_same_v<C, Jump>)
            return jump;
        else if constexpr (std::is_same_v<C, Gravity>)
            return gravity;
        else if constexpr (std::is_same_v<C, MotionControls>)
            return motion;
        else if constexpr (std::is_same_v<C, BeamControls>)
            return beamControls;
        else if constexpr (std::is_same_v<C, Beam>)
            return beam;
        else if constexpr (std::is_same_v<C, Item>)
            return item;
        else
            return target;
    }
};

template <typename C, typename N>
constexpr C* componentOf(std::shared_ptr<C> N::*) {
    return nullptr;
}

// An entity with exactly the node's components shows up in the node's list
// with every field set to them; without the last of them it does not.
template <typename N>
void expectNodeFilledFrom(const Parts& parts) {
    SCOPED_TRACE(ecs::className(typeid(N)));
    Engine engine;
    auto entity = std::make_shared<Entity>();
    std::apply(
        [&](auto... member) { (entity->add(parts.of<std::remove_pointer_t<decltype(componentOf(member))>>()), ...); },
        N::components);
    engine.addEntity(entity);
    auto list = engine.getNodeList<N>();
    ASSERT_NE(list->head, nullptr);
    EXPECT_EQ(list->head, list->tail);
    N* node = list->head;
    EXPECT_EQ(node->entity, entity);
    auto expectField = [&](auto member) {
        EXPECT_EQ(node->*member, parts.of<std::remove_pointer_t<decltype(componentOf(member))>>());
    };
    std::apply([&](auto... member) { (expectField(member), ...); }, N::components);

    auto last = std::get<std::tuple_size_v<decltype(N::components)> - 1>(N::components);
    entity->remove<std::remove_pointer_t<decltype(componentOf(last))>>();
    EXPECT_TRUE(list->get_empty());
    engine.removeAllEntities();
}

}  // namespace

TEST(Nodes, EveryNodeTypeIsFilledFromItsComponents) {
    Parts parts;
    TempFolder folder;
    parts.map = std::make_shared<game::GameMap>(folder.write("map.json", R"({"blocks":[],"items":[]})"));

    expectNodeFilledFrom<MoonNode>(parts);
    expectNodeFilledFrom<MapNode>(parts);
    expectNodeFilledFrom<PlayerNode>(parts);
    expectNodeFilledFrom<CameraNode>(parts);
    expectNodeFilledFrom<RenderNode>(parts);
    expectNodeFilledFrom<AnimationNode>(parts);
    expectNodeFilledFrom<systems::VelocityNode>(parts);
    expectNodeFilledFrom<systems::GravityNode>(parts);
    expectNodeFilledFrom<systems::MotionControlNode>(parts);
    expectNodeFilledFrom<systems::BeamControlNode>(parts);
    expectNodeFilledFrom<systems::MoonFallNode>(parts);
    expectNodeFilledFrom<systems::ItemNode>(parts);
    expectNodeFilledFrom<systems::ItemHolderNode>(parts);
    expectNodeFilledFrom<systems::CameraTargetNode>(parts);
}

TEST(Player, ChangeStateSwitchesTheMachineOnlyOnAChange) {
    auto entity = std::make_shared<Entity>();
    auto fsm = std::make_shared<ecs::fsm::EntityStateMachine>(entity);
    auto jump = std::make_shared<Jump>();
    auto beam = std::make_shared<Beam>();
    fsm->createState("solid")->add<Jump>().withInstance(jump);
    fsm->createState("beam")->add<Beam>().withInstance(beam);
    Player player(fsm, jump, beam);
    EXPECT_FALSE(player.state.has_value());
    EXPECT_TRUE(player.items.empty());

    int added = 0;
    base::Delegate<void(const std::shared_ptr<Entity>&, const std::type_index&)> count =
        [&](const std::shared_ptr<Entity>&, const std::type_index&) { ++added; };
    entity->componentAdded.add(count);

    player.changeState("solid");
    player.changeState("solid");
    EXPECT_EQ(added, 1);
    EXPECT_EQ(player.state, "solid");
    EXPECT_EQ(entity->get<Jump>(), jump);

    player.changeState("beam");
    EXPECT_EQ(added, 2);
    EXPECT_EQ(entity->get<Beam>(), beam);
    EXPECT_FALSE(entity->has<Jump>());

    // An unknown state changes neither the machine nor the player's record.
    EXPECT_THROW(player.changeState("ghost"), std::runtime_error);
    EXPECT_EQ(player.state, "beam");
    EXPECT_EQ(entity->get<Beam>(), beam);
    entity->componentAdded.remove(count);
}
