#include "game/MapFile.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

#include <nlohmann/json.hpp>

namespace game {

namespace {

using nlohmann::json;

[[noreturn]] void fail(const std::string& path, const std::string& problem) {
    throw std::runtime_error(path + ": " + problem);
}

// The reason for the last failed standard-library file call, as errno has it.
std::string lastError(const std::string& fallback) {
    return errno != 0 ? std::generic_category().message(errno) : fallback;
}

std::string readText(const std::string& path) {
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) fail(path, "cannot be read: " + lastError("open failed"));
    std::string text;
    try {
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } catch (const std::ios_base::failure& error) {
        // The file buffer reports a failed read (a directory, an I/O error)
        // by throwing rather than through the stream state.
        fail(path, "cannot be read: " + (error.code() ? error.code().message() : lastError("read failed")));
    }
    if (in.bad()) fail(path, "cannot be read: " + lastError("read failed"));
    return text;
}

MapFile::Entries readEntries(const std::string& path, const json& level, const char* key) {
    auto found = level.find(key);
    std::string name = std::string("\"") + key + "\"";
    if (found == level.end()) fail(path, name + " is missing");
    if (!found->is_array()) fail(path, name + " is not an array");

    MapFile::Entries entries;
    entries.reserve(found->size());
    for (std::size_t i = 0; i < found->size(); ++i) {
        const json& entry = (*found)[i];
        std::string where = name + " entry " + std::to_string(i);
        if (!entry.is_array()) fail(path, where + " is not an array");
        std::vector<double> numbers;
        for (std::size_t e = 0; e < entry.size() && e < 2; ++e) {
            const json& element = entry[e];
            if (element.is_null())
                numbers.push_back(0);
            else if (element.is_number())
                numbers.push_back(element.get<double>());
            else
                fail(path, where + " element " + std::to_string(e) + " is not a number");
        }
        entries.push_back(std::move(numbers));
    }
    return entries;
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
    std::string text = readText(path);
    json level;
    try {
        level = json::parse(text);
    } catch (const json::parse_error& error) {
        // Drop the library's "[json.exception.parse_error.101] " tag.
        std::string detail = error.what();
        auto tagEnd = detail.find("] ");
        if (tagEnd != std::string::npos) detail = detail.substr(tagEnd + 2);
        fail(path, "not valid JSON: " + detail);
    }
    if (!level.is_object()) fail(path, "not a JSON object");
    Contents contents;
    contents.blocks = readEntries(path, level, "blocks");
    contents.items = readEntries(path, level, "items");
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

void MapFile::write(const std::string& path, const std::string& text) {
    namespace fs = std::filesystem;
    const std::string temporary = path + ".saving";
    auto discard = [&](const std::string& problem) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        fail(path, "cannot be written: " + problem);
    };

    errno = 0;
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) discard(lastError("cannot create " + temporary));
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (out.fail()) discard(lastError("write failed"));

    // The replacement keeps the old file's permissions.
    std::error_code ec;
    fs::file_status old = fs::status(path, ec);
    if (!ec && fs::is_regular_file(old)) fs::permissions(temporary, old.permissions(), ec);

    fs::rename(temporary, path, ec);
    if (ec) discard(ec.message());
}

}  // namespace game
