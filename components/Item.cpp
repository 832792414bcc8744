#include "components/Item.h"

#include "base/Random.h"

namespace components {

Item::Item(std::int32_t id)
    : id(id),
      animationTime(base::Random::next()),
      collectionSignal(std::make_shared<ecs::signals::Signal1<std::shared_ptr<Item>>>()) {}

}  // namespace components
