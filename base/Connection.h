#pragma once

namespace base {

// Keeps one listener registered for as long as it lives: a signal's
// connect and a dispatcher's connectEventListener hand one out, and the
// listener is removed when the connection is destroyed, assigned over or
// disconnected.
//
//   class Hud {
//     Connection onScore_;   // no destructor needed to unhook
//    public:
//     explicit Hud(Signal1<int>& score) : onScore_(score.connect({this, &Hud::show})) {}
//   };
//
// A connection can be moved, not copied. It becomes empty, and then does
// nothing, when its listener goes by other means: a plain remove, a
// one-shot listener that has run, the end of the signal or dispatcher.
//
// How it works: the registration (a listener record) keeps a pointer back
// to its connection, which a move updates; the owner of the registration
// calls release() on that pointer when the registration ends without the
// connection.
class [[nodiscard]] Connection {
public:
    // Removes a registration from its source, given both as they were handed
    // to the constructor.
    using Remove = void (*)(void* source, void* registration);

    Connection() = default;

    // For signals and dispatchers: `slot` is the registration's pointer back
    // to its connection, set here and kept current by moves.
    Connection(void* source, void* registration, Connection*& slot, Remove remove)
        : source_(source), registration_(registration), slot_(&slot), remove_(remove) {
        slot = this;
    }

    Connection(Connection&& other) noexcept { take(other); }
    Connection& operator=(Connection&& other) noexcept {
        if (this != &other) {
            disconnect();
            take(other);
        }
        return *this;
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    ~Connection() { disconnect(); }

    // Whether the listener is still registered through this connection.
    [[nodiscard]] bool connected() const { return slot_ != nullptr; }

    // Removes the listener now; the connection is empty afterwards.
    void disconnect() {
        if (slot_ == nullptr) return;
        void* source = source_;
        void* registration = registration_;
        Remove remove = remove_;
        *slot_ = nullptr;
        clear();
        remove(source, registration);
    }

    // For signals and dispatchers: the registration has ended without the
    // connection; the connection found through `slot`, if any, becomes empty.
    static void release(Connection*& slot) {
        if (slot == nullptr) return;
        slot->clear();
        slot = nullptr;
    }

private:
    void take(Connection& other) {
        source_ = other.source_;
        registration_ = other.registration_;
        slot_ = other.slot_;
        remove_ = other.remove_;
        if (slot_ != nullptr) *slot_ = this;
        other.clear();
    }

    void clear() {
        source_ = nullptr;
        registration_ = nullptr;
        slot_ = nullptr;
        remove_ = nullptr;
    }

    void* source_ = nullptr;
    void* registration_ = nullptr;
    Connection** slot_ = nullptr;
    Remove remove_ = nullptr;
};

}  // namespace base
