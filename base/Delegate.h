#pragma once

#include <array>
#include <concepts>
#include <cstring>
#include <functional>
#include <memory>
#include <type_traits>
#include <utility>

namespace base {

// What makes two delegates "the same listener", independent of the call
// signature. Bound methods compare by (object, method), free functions by
// address, wrapped closures by the closure object the delegate was made from.
struct DelegateIdentity {
    void (*invoker)() = nullptr;
    const void* object = nullptr;
    std::array<unsigned char, 2 * sizeof(void*)> method{};
    const void* closure = nullptr;

    friend bool operator==(const DelegateIdentity&, const DelegateIdentity&) = default;
};

template <class Signature>
class Delegate;

// A small callable that, unlike std::function, can be compared: signals and
// event dispatchers need to find "the same listener" again to remove it.
//
//   Delegate<void(int)> a{this, &Hud::onScore};   // bound method, no allocation
//   Delegate<void(int)> b = [&](int s) { ... };     // wrapped closure
//   Delegate<void(int)> c = &freeFunction;          // plain function
//
// Binding the same method of the same object twice gives equal delegates.
// Every wrapping of a closure is a new listener; copies of one delegate stay
// equal, so keep the delegate to remove a closure later. A bound method does
// not keep its object alive: remove the listener before the object goes.
template <class R, class... Args>
class Delegate<R(Args...)> {
public:
    Delegate() = default;
    Delegate(std::nullptr_t) {}

    // A method of an object (or of one of its bases). The method may take
    // arguments that the delegate's arguments convert to.
    // The formatter of this toolchain misplaces requires-clauses: the three
    // constrained constructors keep their layout by hand.
    // clang-format off
    template <class Object, class Class, class Method>
        requires std::is_function_v<Method> && std::derived_from<Object, Class> &&
                 std::is_invocable_r_v<R, Method Class::*, Object*, Args...>
    Delegate(Object* object, Method Class::*method) {
        // clang-format on
        using MemberPtr = Method Class::*;
        static_assert(sizeof(MemberPtr) <= sizeof(identity_.method), "member pointer too large");
        if (object == nullptr || method == nullptr) return;
        Class* target = object;
        object_ = target;
        identity_.object = target;
        std::memcpy(identity_.method.data(), &method, sizeof(MemberPtr));
        call_ = &callMethod<Class, MemberPtr>;
        identity_.invoker = reinterpret_cast<void (*)()>(call_);
    }

    // A plain function, or anything that decays to a function pointer.
    // clang-format off
    template <class Function>
        requires std::is_function_v<Function> && std::is_invocable_r_v<R, Function*, Args...>
    Delegate(Function* function) {
        // clang-format on
        if (function == nullptr) return;
        auto erased = reinterpret_cast<void (*)()>(function);
        std::memcpy(identity_.method.data(), &erased, sizeof(erased));
        call_ = &callFunction<Function>;
        identity_.invoker = reinterpret_cast<void (*)()>(call_);
    }

    // Any other callable (a lambda, a functor): copied once into shared storage.
    // The constraint keeps a Delegate itself away from this constructor.
    // clang-format off
    template <class Callable, class Stored = std::decay_t<Callable>>
        requires(!std::is_same_v<Stored, Delegate> && !std::is_pointer_v<Stored> &&
                 !std::is_member_pointer_v<Stored> && !std::is_same_v<Stored, std::nullptr_t> &&
                 std::is_invocable_r_v<R, Stored&, Args...>)
    Delegate(Callable&& callable) {  // NOLINT(bugprone-forwarding-reference-overload)
        // clang-format on
        auto stored = std::make_shared<Stored>(std::forward<Callable>(callable));
        object_ = stored.get();
        identity_.closure = stored.get();
        closure_ = std::move(stored);
        call_ = &callClosure<Stored>;
        identity_.invoker = reinterpret_cast<void (*)()>(call_);
    }

    R operator()(Args... args) const { return call_(*this, std::forward<Args>(args)...); }

    explicit operator bool() const { return call_ != nullptr; }

    const DelegateIdentity& identity() const { return identity_; }

    friend bool operator==(const Delegate& a, const Delegate& b) { return a.identity_ == b.identity_; }
    friend bool operator==(const Delegate& a, std::nullptr_t) { return a.call_ == nullptr; }

private:
    using Call = R (*)(const Delegate&, Args...);

    // GCC 12 with optimisation, seeing a method pointer rebuilt from bytes,
    // reports the read of the object's vtable slot as out of bounds or
    // uninitialised for a class without virtual methods. Both are false
    // positives: that branch is only taken for virtual methods.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
#if !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
    template <class Class, class MemberPtr>
    static R callMethod(const Delegate& self, Args... args) {
        MemberPtr method;
        std::memcpy(&method, self.identity_.method.data(), sizeof(MemberPtr));
        return static_cast<R>(std::invoke(method, static_cast<Class*>(self.object_), std::forward<Args>(args)...));
    }
#pragma GCC diagnostic pop

    template <class Function>
    static R callFunction(const Delegate& self, Args... args) {
        void (*erased)();
        std::memcpy(&erased, self.identity_.method.data(), sizeof(erased));
        return static_cast<R>(reinterpret_cast<Function*>(erased)(std::forward<Args>(args)...));
    }

    template <class Stored>
    static R callClosure(const Delegate& self, Args... args) {
        return static_cast<R>(std::invoke(*static_cast<Stored*>(self.object_), std::forward<Args>(args)...));
    }

    Call call_ = nullptr;
    void* object_ = nullptr;
    DelegateIdentity identity_;
    std::shared_ptr<void> closure_;
};

// Deduces the signature from a method: auto d = ecs::signals::Delegate{this, &Foo::bar};
template <class Object, class Class, class R, class... Args>
Delegate(Object*, R (Class::*)(Args...)) -> Delegate<R(Args...)>;
template <class Object, class Class, class R, class... Args>
Delegate(Object*, R (Class::*)(Args...) const) -> Delegate<R(Args...)>;
template <class R, class... Args>
Delegate(R (*)(Args...)) -> Delegate<R(Args...)>;

}  // namespace base
