#pragma once

#include <stdexcept>
#include <string>

#include "display/Loader.h"

namespace gfx {

template <class Signature>
class Primitive;

// One primitive of a native module, looked up once when it is constructed.
// Calling a primitive that the module lacks throws instead of jumping to a
// null address; the loader has already said which one is missing.
template <class R, class... Args>
class Primitive<R(Args...)> {
public:
    // What the primitive is called through.
    using Function = R (*)(Args...);
    static constexpr int parameterCount = static_cast<int>(sizeof...(Args));

    // argCount is the primitive's argument count as the module names it; it
    // differs from the C signature for primitives that take one struct.
    Primitive(const char* module, const char* name, int argCount = parameterCount)
        : name_(name), function_(reinterpret_cast<Function>(Loader::load(module, name, argCount))) {}

    R operator()(Args... args) const {
        if (function_ == nullptr) throw std::runtime_error("Primitive " + name_ + " is not available");
        return function_(args...);
    }

    explicit operator bool() const { return function_ != nullptr; }

private:
    std::string name_;
    Function function_;
};

}  // namespace gfx
