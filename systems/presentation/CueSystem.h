#pragma once

#include <memory>

#include "base/Connection.h"
#include "components/CameraNode.h"
#include "components/Cue.h"
#include "components/MoonNode.h"
#include "components/PlayerNode.h"
#include "ecs/core/Engine.h"
#include "ecs/core/NodeList.h"
#include "ecs/core/System.h"
#include "ecs/signals/Signal1.h"
#include "geom/Point.h"
#include "input/KeyPoll.h"

namespace systems {

// Announces what happened in each update as cues, by comparing the player,
// the moon and the camera with how the last update left them: a jump, a
// landing, turning into a beam, each bounce, a shard, victory, the shaking
// and the game over, rewinding. It only reads: the rules and the movement
// never learn of it, and nothing it does reaches the game's state. While
// time turns back the player's state jumps about, so only the rewind itself
// is announced then.
class CueSystem : public ecs::core::System {
public:
    using PauseSignal = ecs::signals::Signal1<bool>;

    CueSystem(std::shared_ptr<components::Cues> cues, std::shared_ptr<game::KeyPoll> keyPoll,
              const std::shared_ptr<PauseSignal>& pauseSignal);

    void update(double time) override;
    void addToEngine(ecs::core::Engine& engine) override;
    void removeFromEngine(ecs::core::Engine& engine) override;

private:
    // What the last update left, as far as cues tell of it.
    struct Seen {
        bool onGround = false;
        bool beam = false;
        int shards = 0;
        bool falling = true;
        bool shaking = false;
        // The current flight: where it ends (null: no flight), and the way
        // it leaves the wall there unless the player steers.
        std::shared_ptr<gfx::geom::Point> target;
        gfx::geom::Point plannedExit;
        int bounces = 0;
    };

    void announce(components::CueKind kind, int count = 0, bool steered = false);
    void onPause(bool over);
    void watchMoon(Seen& seen, bool first, bool rewinding);
    void watchPlayer(Seen& seen, const components::PlayerNode& node, bool quiet);
    void watchFlight(Seen& seen, const components::Beam& beam, bool inBeam, bool quiet);

    std::shared_ptr<components::Cues> cues_;
    std::shared_ptr<game::KeyPoll> keyPoll_;
    base::Connection onPause_;
    std::shared_ptr<ecs::core::NodeList<components::PlayerNode>> players_;
    std::shared_ptr<ecs::core::NodeList<components::MoonNode>> moons_;
    std::shared_ptr<ecs::core::NodeList<components::CameraNode>> cameras_;
    int update_ = 0;
    bool rewinding_ = false;
    // The game was over in this update.
    bool gameOver_ = false;
    Seen seen_;
    // Whether an update has set seen_.
    bool started_ = false;
};

}  // namespace systems
