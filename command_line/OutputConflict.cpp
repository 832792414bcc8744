#include "command_line/OutputConflict.h"

#include <sys/stat.h>

#include <optional>
#include <system_error>

#include "base/InputFile.h"

namespace command_line {

namespace {

// What a path names: the file itself when it exists (through links), else
// the path with its links and dots resolved as far as they exist.
struct FileIdentity {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    std::filesystem::path resolved;

    explicit FileIdentity(const std::filesystem::path& path) {
        struct stat info {};
        if (::stat(path.c_str(), &info) == 0) {
            exists = true;
            device = info.st_dev;
            inode = info.st_ino;
        }
        std::error_code ec;
        resolved = std::filesystem::weakly_canonical(path, ec);
        if (ec) resolved = path.lexically_normal();
    }

    bool operator==(const FileIdentity& other) const {
        if (exists && other.exists) return device == other.device && inode == other.inode;
        return exists == other.exists && resolved == other.resolved;
    }
};

std::string describe(const NamedFile& file) {
    if (file.path == "-") return file.what + " - (standard output)";
    const char* gap = !file.what.empty() && file.what.back() == ':' ? "" : " ";
    return file.what + gap + "\"" + base::wholePath(file.path.string()) + "\"";
}

// Standard output only matters when it is a file of its own.
std::optional<FileIdentity> identityOf(const std::filesystem::path& path) {
    if (path != "-") return FileIdentity(path);
    struct stat info {};
    if (::fstat(1, &info) == 0 && S_ISREG(info.st_mode)) return FileIdentity("/proc/self/fd/1");
    return std::nullopt;
}

}  // namespace

std::string outputConflict(const std::vector<NamedFile>& inputs, const std::vector<NamedFile>& outputs) {
    std::vector<std::optional<FileIdentity>> outputIds;
    for (const auto& output : outputs) {
        const auto id = identityOf(output.path);
        if (id) {
            for (const auto& input : inputs) {
                if (*id == FileIdentity(input.path)) return describe(output) + " would overwrite " + describe(input);
            }
            for (std::size_t j = 0; j < outputIds.size(); ++j) {
                if (outputIds[j] && *id == *outputIds[j]) {
                    return describe(output) + " names the same file as " + describe(outputs[j]);
                }
            }
        }
        outputIds.push_back(id);
    }
    return "";
}

}  // namespace command_line
