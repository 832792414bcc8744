#include "game/MapFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include <nlohmann/json.hpp>

#include "base/InputFile.h"

namespace game {

namespace {

using nlohmann::json;

[[noreturn]] void fail(const std::string& path, const std::string& problem) {
    throw std::runtime_error(path + ": " + problem);
}

// The library's own wording of a JSON error, without its
// "[json.exception.parse_error.101] " tag and with every quoted word cut to
// a readable length.
std::string describe(const json::exception& error) {
    std::string detail = error.what();
    if (detail.starts_with("[json.exception.")) {
        auto tagEnd = detail.find("] ");
        if (tagEnd != std::string::npos) detail.erase(0, tagEnd + 2);
    }
    std::string clipped;
    std::size_t at = 0;
    for (;;) {
        auto open = detail.find('\'', at);
        auto close = open == std::string::npos ? std::string::npos : detail.find('\'', open + 1);
        if (close == std::string::npos) break;
        clipped += detail.substr(at, open + 1 - at);
        clipped += base::clipWord(std::string_view(detail).substr(open + 1, close - open - 1));
        clipped += '\'';
        at = close + 1;
    }
    clipped += detail.substr(at);
    return clipped;
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

// The file that path leads to through any symbolic links, which need not
// exist yet; path itself when it is no link.
std::string linkTarget(const std::string& path) {
    namespace fs = std::filesystem;
    fs::path current(path);
    // As many links as the system follows before it gives up.
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(current, ec)) || ec) return current.string();
        fs::path next = fs::read_symlink(current, ec);
        if (ec) fail(path, "cannot be written: " + ec.message());
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    fail(path, "cannot be written: " + std::string(std::strerror(ELOOP)));
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
    json level;
    try {
        level = json::parse(text);
    } catch (const json::parse_error& error) {
        fail(path, "not valid JSON: " + describe(error));
    } catch (const json::exception& error) {
        // A number beyond the range of a double, for one.
        fail(path, "not a valid level: " + describe(error));
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
    // A link is saved through: the file it leads to is replaced and the
    // link stays a link.
    const std::string target = linkTarget(path);
    const std::string temporary = target + ".saving";
    int fd = -1;
    auto discard = [&](const std::string& problem) {
        if (fd >= 0) ::close(fd);
        ::unlink(temporary.c_str());
        fail(path, "cannot be written: " + problem);
    };

    // The replacement keeps the old file's permissions.
    struct stat old {};
    const bool replacing = ::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode);
    fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0) discard(std::strerror(errno));
    if (replacing && ::fchmod(fd, old.st_mode & 07777) != 0) discard(std::strerror(errno));
    for (std::size_t done = 0; done < text.size();) {
        const ssize_t put = ::write(fd, text.data() + done, text.size() - done);
        if (put < 0) {
            if (errno == EINTR) continue;
            discard(std::strerror(errno));
        }
        done += static_cast<std::size_t>(put);
    }
    // On the disk before the rename, so that a crash leaves the old file or
    // the new one, never an empty one.
    if (::fsync(fd) != 0) discard(std::strerror(errno));
    const int closed = ::close(fd);
    fd = -1;
    if (closed != 0) discard(std::strerror(errno));

    if (::rename(temporary.c_str(), target.c_str()) != 0) discard(std::strerror(errno));
    // The rename itself lasts once the folder is on the disk too. The new
    // file is already in place: a folder that cannot be synced (some file
    // systems refuse) is no reason to report the save as failed.
    const std::string folder = std::filesystem::path(target).parent_path().string();
    const int dir = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

}  // namespace game
