#pragma once

#include <cxxabi.h>
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <ostream>
#include <sstream>
#include <string>
#include <typeindex>
#include <typeinfo>
#include <utility>
#include <vector>

namespace ecs {

// The readable name of a class, for messages and toString().
[[nodiscard]] inline std::string className(std::type_index type) {
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(abi::__cxa_demangle(type.name(), nullptr, nullptr, &status),
                                                     std::free);
    return status == 0 && demangled ? std::string(demangled.get()) : std::string(type.name());
}

// A map keyed by class. One C++ type is one key (std::type_index), and the
// key gives the type back. The maps of the core are small (the components
// of one entity, the node types of one engine), so entries live in a flat
// vector in insertion order: lookups are a short scan, iteration order is
// the order in which the classes were first set, and runs are repeatable.
template <class V>
class ClassMap {
public:
    using Key = std::type_index;
    using Entry = std::pair<Key, V>;
    using const_iterator = typename std::vector<Entry>::const_iterator;
    using iterator = typename std::vector<Entry>::iterator;

    template <class T>
    [[nodiscard]] static Key keyOf() {
        return Key(typeid(T));
    }

    // The stored value, or nullptr when the class has no entry.
    [[nodiscard]] V* find(Key key) {
        auto it = locate(key);
        return it == entries_.end() ? nullptr : &it->second;
    }
    [[nodiscard]] const V* find(Key key) const { return const_cast<ClassMap*>(this)->find(key); }

    // The stored value, or an empty value (null for pointers) when none is.
    [[nodiscard]] V get(Key key) const {
        const V* value = find(key);
        return value != nullptr ? *value : V{};
    }
    template <class T>
    [[nodiscard]] V get() const {
        return get(keyOf<T>());
    }

    void set(Key key, V value) {
        if (V* existing = find(key)) {
            *existing = std::move(value);
        } else {
            entries_.emplace_back(key, std::move(value));
        }
    }
    template <class T>
    void set(V value) {
        set(keyOf<T>(), std::move(value));
    }

    [[nodiscard]] bool exists(Key key) const { return find(key) != nullptr; }
    template <class T>
    [[nodiscard]] bool exists() const {
        return exists(keyOf<T>());
    }

    // Whether an entry was there.
    bool remove(Key key) {
        auto it = locate(key);
        if (it == entries_.end()) return false;
        entries_.erase(it);
        return true;
    }
    template <class T>
    bool remove() {
        return remove(keyOf<T>());
    }

    [[nodiscard]] std::vector<Key> keys() const {
        std::vector<Key> result;
        result.reserve(entries_.size());
        for (const auto& entry : entries_) result.push_back(entry.first);
        return result;
    }

    [[nodiscard]] std::size_t size() const { return entries_.size(); }
    [[nodiscard]] bool empty() const { return entries_.empty(); }

    // Entries as (class, value) pairs, in insertion order.
    iterator begin() { return entries_.begin(); }
    iterator end() { return entries_.end(); }
    const_iterator begin() const { return entries_.begin(); }
    const_iterator end() const { return entries_.end(); }

    // "{Class => value, ...}", or just the class names for values that
    // cannot be printed.
    [[nodiscard]] std::string toString() const {
        std::ostringstream out;
        out << '{';
        bool first = true;
        for (const auto& [key, value] : entries_) {
            if (!first) out << ", ";
            first = false;
            out << className(key);
            if constexpr (requires(std::ostream & os, const V& v) { os << v; }) out << " => " << value;
        }
        out << '}';
        return out.str();
    }

private:
    iterator locate(Key key) {
        return std::find_if(entries_.begin(), entries_.end(), [&key](const Entry& e) { return e.first == key; });
    }

    std::vector<Entry> entries_;
};

}  // namespace ecs
