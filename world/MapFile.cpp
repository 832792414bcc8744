#include "world/MapFile.h"

#include <cstdio>
#include <stdexcept>

#include <nlohmann/json.hpp>

#include "base/InputFile.h"
#include "base/JsonError.h"

namespace game {

namespace {

using nlohmann::json;

[[noreturn]] void fail(const std::string& path, const std::string& problem) {
    throw std::runtime_error(path + ": " + problem);
}

// Collects the entries of "blocks" and "items" while the parser reads the
// text, so that no document of the whole level is ever built. A fault in a
// layer is noted (the first one per layer) and reported once the whole text
// has proved to be JSON, so that a syntax error anywhere wins, as it would
// with a document: the checks and their order are those of a reading of the
// finished document, "blocks" before "items", entries and elements in order.
// A key given twice counts with its last value.
class LevelReader {
public:
    struct Layer {
        bool present = false;
        bool isArray = false;
        std::size_t count = 0;  // entries seen, the faulty ones too
        std::string fault;      // the first, without the path
        MapFile::Entries entries;
    };

    bool isObject = false;
    Layer layers[2];  // "blocks", "items"
    static constexpr const char* keys[2] = {"blocks", "items"};

    // The parser's callbacks.
    bool null() { return scalar(Kind::Null, 0); }
    bool boolean(bool) { return scalar(Kind::Other, 0); }
    bool number_integer(json::number_integer_t value) { return scalar(Kind::Number, static_cast<double>(value)); }
    bool number_unsigned(json::number_unsigned_t value) { return scalar(Kind::Number, static_cast<double>(value)); }
    bool number_float(json::number_float_t value, const json::string_t&) { return scalar(Kind::Number, value); }
    bool string(json::string_t&) { return scalar(Kind::Other, 0); }
    bool binary(json::binary_t&) { return scalar(Kind::Other, 0); }
    bool start_object(std::size_t) {
        const bool top = frames_.empty();
        if (top) isObject = true;
        value(Kind::Other, 0);
        frames_.push_back({top ? Role::Top : Role::Other, 0});
        return true;
    }
    bool key(json::string_t& name) {
        if (frames_.back().role == Role::Top) {
            key_ = name == keys[0] ? 0 : name == keys[1] ? 1 : -1;
        }
        return true;
    }
    bool end_object() {
        frames_.pop_back();
        return true;
    }
    bool start_array(std::size_t) {
        const Role role = roleOfArray();
        value(Kind::Array, 0);
        frames_.push_back({role, role == Role::Other ? 0 : frames_.empty() ? 0 : currentLayer()});
        return true;
    }
    bool end_array() {
        const Frame frame = frames_.back();
        frames_.pop_back();
        if (frame.role == Role::Entry) layers[frame.layer].entries.push_back(entry_);
        return true;
    }
    template <class Exception>
    bool parse_error(std::size_t, const std::string&, const Exception& error) {
        throw error;
    }

private:
    enum class Kind { Null, Number, Array, Other };
    // What a container is to the level: the level object, a layer's array,
    // one entry of a layer, or anything else.
    enum class Role { Top, Layer, Entry, Other };
    struct Frame {
        Role role;
        int layer;
    };

    bool scalar(Kind kind, double number) {
        if (frames_.empty()) return true;  // a document that is no object
        value(kind, number);
        return true;
    }

    [[nodiscard]] int currentLayer() const {
        const Frame& parent = frames_.back();
        return parent.role == Role::Top ? key_ : parent.layer;
    }

    [[nodiscard]] Role roleOfArray() const {
        if (frames_.empty()) return Role::Other;
        const Frame& parent = frames_.back();
        if (parent.role == Role::Top) return key_ >= 0 ? Role::Layer : Role::Other;
        if (parent.role == Role::Layer) return Role::Entry;
        return Role::Other;
    }

    // A value begins, inside the container on top of the stack.
    void value(Kind kind, double number) {
        if (frames_.empty()) return;
        const Frame& parent = frames_.back();
        switch (parent.role) {
            case Role::Top:
                if (key_ >= 0) {
                    layers[key_] = Layer{};
                    layers[key_].present = true;
                    layers[key_].isArray = kind == Kind::Array;
                }
                break;
            case Role::Layer: {
                Layer& layer = layers[parent.layer];
                const std::size_t index = layer.count++;
                element_ = 0;
                entry_ = {0, 0};
                if (kind != Kind::Array) note(layer, where(parent.layer, index) + " is not an array");
                break;
            }
            case Role::Entry: {
                Layer& layer = layers[parent.layer];
                const int element = element_++;
                if (element >= 2) break;
                if (kind == Kind::Number)
                    entry_[static_cast<std::size_t>(element)] = number;
                else if (kind != Kind::Null)
                    note(layer, where(parent.layer, layer.count - 1) + " element " + std::to_string(element) +
                                    " is not a number");
                break;
            }
            case Role::Other:
                break;
        }
    }

    static std::string where(int layer, std::size_t index) {
        return std::string("\"") + keys[layer] + "\" entry " + std::to_string(index);
    }
    static void note(Layer& layer, std::string fault) {
        if (layer.fault.empty()) layer.fault = std::move(fault);
    }

    std::vector<Frame> frames_;
    int key_ = -1;  // the layer the level object's current key names, or -1
    int element_ = 0;
    MapFile::CellPair entry_{};
};

MapFile::Entries takeEntries(const std::string& path, LevelReader::Layer& layer, const char* key) {
    std::string name = std::string("\"") + key + "\"";
    if (!layer.present) fail(path, name + " is missing");
    if (!layer.isArray) fail(path, name + " is not an array");
    if (!layer.fault.empty()) fail(path, layer.fault);
    return std::move(layer.entries);
}

void appendLayer(std::string& text, const std::vector<MapFile::CellPair>& cells) {
    text += '[';
    for (std::size_t i = 0; i < cells.size(); ++i) {
        char entry[64];
        std::snprintf(entry, sizeof entry, "[%.10g,%.10g]", cells[i][0], cells[i][1]);
        if (i > 0) text += ',';
        text += entry;
    }
    text += ']';
}

}  // namespace

MapFile::Contents MapFile::read(const std::string& path) {
    const std::string text = base::readInputFile(path);
    // A NUL byte means a damaged file, whatever follows it.
    if (auto nul = text.find('\0'); nul != std::string::npos) {
        fail(path, "not valid JSON: a NUL byte at offset " + std::to_string(nul));
    }
    LevelReader level;
    try {
        json::sax_parse(text, &level);
    } catch (const json::parse_error& error) {
        fail(path, "not valid JSON: " + base::describeJsonError(error.what()));
    } catch (const json::exception& error) {
        // A number beyond the range of a double, for one.
        fail(path, "not a valid level: " + base::describeJsonError(error.what()));
    }
    if (!level.isObject) fail(path, "not a JSON object");
    Contents contents;
    contents.blocks = takeEntries(path, level.layers[0], LevelReader::keys[0]);
    contents.items = takeEntries(path, level.layers[1], LevelReader::keys[1]);
    return contents;
}

std::string MapFile::format(const std::vector<CellPair>& blocks, const std::vector<CellPair>& items) {
    std::string text = "{\"blocks\":";
    appendLayer(text, blocks);
    text += ",\"items\":";
    appendLayer(text, items);
    text += '}';
    return text;
}

}  // namespace game
