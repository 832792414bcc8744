#pragma once

namespace views {

// A view that changes over time.
class IAnimatable {
public:
    virtual ~IAnimatable() = default;
    // time: the update's time step in seconds.
    virtual void animate(double time) = 0;
};

}  // namespace views
