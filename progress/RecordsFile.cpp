#include "progress/RecordsFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <set>
#include <stdexcept>
#include <system_error>
#include <utility>

#include <nlohmann/json.hpp>

#include "base/FileWriter.h"
#include "base/InputFile.h"
#include "base/JsonError.h"
#include "base/KeepAside.h"

namespace progress {

namespace {

using nlohmann::json;

constexpr int fileVersion = 1;

// What reading the file found.
struct Reading {
    enum class State {
        Absent,
        // Read; some levels' records may have been left out.
        Read,
        // Nothing in it can be used.
        Unusable,
        // Written by a newer version: neither used nor changed.
        Newer,
    };
    State state = State::Absent;
    // The file as read (Read), for the keys this version does not know.
    json file = json::object();
    Records records;
    // Why the file, or its first level left out, cannot be used; it follows
    // "<path>: " in a message.
    std::string problem;
    // The levels whose records are left out.
    std::set<std::string> skipped;
};

// value as a count, or nullopt when it is not a whole number that fits.
std::optional<int> count(const json& value) {
    if (value.is_number_unsigned()) {
        const auto n = value.get<std::uint64_t>();
        if (n <= static_cast<std::uint64_t>(INT_MAX)) return static_cast<int>(n);
    } else if (value.is_number_integer()) {
        const auto n = value.get<std::int64_t>();
        if (n >= 0 && n <= INT_MAX) return static_cast<int>(n);
    }
    return std::nullopt;
}

const std::string countProblem = "is not a whole number from 0 to " + std::to_string(INT_MAX);

// Reads object[key] into field when it is there; "" or what is wrong.
std::string readCount(const json& object, const char* key, int& field) {
    auto found = object.find(key);
    if (found == object.end()) return "";
    const auto n = count(*found);
    if (!n) return std::string("\"") + key + "\" " + countProblem;
    field = *n;
    return "";
}

std::string readString(const json& object, const char* key, std::string& field) {
    auto found = object.find(key);
    if (found == object.end()) return "";
    if (!found->is_string()) return std::string("\"") + key + "\" is not a string";
    field = found->get<std::string>();
    return "";
}

std::string readBest(const json& entry, std::optional<BestRun>& best) {
    auto found = entry.find("best");
    if (found == entry.end() || found->is_null()) return "";
    if (!found->is_object()) return "\"best\" is not a JSON object";
    BestRun run;
    if (!found->contains("updates")) return "\"best\" has no \"updates\"";
    std::string problem = readCount(*found, "updates", run.updates);
    if (problem.empty()) problem = readString(*found, "date", run.date);
    if (problem.empty()) problem = readString(*found, "run", run.run);
    if (problem.empty()) {
        auto verified = found->find("verified");
        if (verified != found->end()) {
            if (!verified->is_boolean()) {
                problem = "\"verified\" is not true or false";
            } else {
                run.verified = verified->get<bool>();
            }
        }
    }
    if (!problem.empty()) return problem + " in \"best\"";
    best = std::move(run);
    return "";
}

// One level's record; "" or what is wrong with it.
std::string readLevel(const json& entry, LevelRecord& record) {
    if (!entry.is_object()) return "is not a JSON object";
    for (auto problem : {readString(entry, "name", record.name), readCount(entry, "attempts", record.attempts),
                         readCount(entry, "wins", record.wins), readBest(entry, record.best)}) {
        if (!problem.empty()) return problem;
    }
    return "";
}

Reading read(const std::filesystem::path& path) {
    Reading reading;
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(path, error))) return reading;
    reading.state = Reading::State::Unusable;
    json file;
    try {
        const std::string text = base::readInputFile(path.string(), base::InputKind::RegularFile);
        try {
            file = json::parse(text);
        } catch (const json::exception& problem) {
            reading.problem = "not valid JSON: " + base::describeJsonError(problem.what());
            return reading;
        }
    } catch (const std::exception& problem) {
        // "<path>: <problem>": the path is quoted by the caller.
        const std::string what = problem.what();
        reading.problem = what.substr(std::min(what.size(), path.string().size() + 2));
        return reading;
    }
    if (!file.is_object()) {
        reading.problem = "not a JSON object";
        return reading;
    }
    auto version = file.find("version");
    if (version == file.end() || !version->is_number_integer()) {
        reading.problem = "has no \"version\" number";
        return reading;
    }
    const bool newer = version->is_number_unsigned() ? version->get<std::uint64_t>() > fileVersion
                                                     : version->get<std::int64_t>() > fileVersion;
    if (newer) {
        reading.state = Reading::State::Newer;
        reading.problem = "written by a newer version of vyn (records version " + version->dump() + ")";
        return reading;
    }
    if (version->get<std::int64_t>() != fileVersion) {
        reading.problem = "records version " + version->dump() + " is not known";
        return reading;
    }
    auto levels = file.find("levels");
    if (levels != file.end() && !levels->is_object()) {
        reading.problem = "\"levels\" is not a JSON object";
        return reading;
    }
    reading.state = Reading::State::Read;
    if (levels != file.end()) {
        for (const auto& [level, entry] : levels->items()) {
            LevelRecord record;
            const std::string problem = readLevel(entry, record);
            if (problem.empty()) {
                reading.records.emplace(level, std::move(record));
                continue;
            }
            if (reading.skipped.empty()) {
                reading.problem = "the record of level \"" + base::clipWord(level) + "\": " + problem;
            }
            reading.skipped.insert(level);
        }
    }
    if (reading.skipped.size() > 1) {
        reading.problem += " (and " + std::to_string(reading.skipped.size() - 1) + " more)";
    }
    reading.file = std::move(file);
    return reading;
}

// Whether the file must be kept aside before it is written: it holds
// something this version would drop.
bool mustKeepAside(const Reading& reading) {
    return reading.state == Reading::State::Unusable ||
           (reading.state == Reading::State::Read && !reading.skipped.empty());
}

// An exclusive lock on the lock file, held until destroyed. Every apply,
// in this process or another, takes it on a descriptor of its own, so two
// of them exclude each other whichever they are.
class FileLock {
public:
    explicit FileLock(const std::filesystem::path& path) {
        fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (fd_ < 0) fail(path, errno);
        while (::flock(fd_, LOCK_EX) != 0) {
            if (errno != EINTR) fail(path, errno);
        }
    }
    ~FileLock() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    [[noreturn]] void fail(const std::filesystem::path& path, int error) {
        if (fd_ >= 0) ::close(fd_);
        throw std::runtime_error(base::wholePath(path.string()) + ": cannot be locked: " + std::strerror(error));
    }

    int fd_ = -1;
};

int add(int count, int more) {
    return static_cast<int>(std::min<long long>(INT_MAX, static_cast<long long>(count) + std::max(0, more)));
}

json toJson(const BestRun& run) {
    return {{"updates", run.updates}, {"date", run.date}, {"verified", run.verified}, {"run", run.run}};
}

}  // namespace

RecordsFile::RecordsFile(std::filesystem::path folder, std::ostream& warnings)
    : folder_(std::move(folder)), warnings_(warnings) {}

std::filesystem::path RecordsFile::path() const { return folder_.empty() ? folder_ : folder_ / fileName; }

void RecordsFile::warn(const std::string& line) { warnings_ << "vyn: warning: " << line << '\n' << std::flush; }

Records RecordsFile::load() {
    if (folder_.empty()) return {};
    try {
        Reading reading = read(path());
        const std::string file = base::wholePath(path().string());
        switch (reading.state) {
            case Reading::State::Absent:
                break;
            case Reading::State::Read:
                if (!reading.skipped.empty()) {
                    warn(file + ": " + reading.problem +
                         (reading.skipped.size() == 1 ? "; that record is" : "; those records are") +
                         " left out, and the file is kept aside before the records are next saved");
                }
                break;
            case Reading::State::Unusable:
                warn(file + ": " + reading.problem +
                     "; no records are used, and the file is kept aside before the records are next saved");
                break;
            case Reading::State::Newer:
                warn(file + ": " + reading.problem + "; its records are neither used nor changed");
                break;
        }
        return reading.state == Reading::State::Read ? std::move(reading.records) : Records{};
    } catch (const std::exception& problem) {
        warn(std::string(problem.what()) + "; no records are used");
        return {};
    }
}

std::optional<Records> RecordsFile::apply(const Change& change, const std::optional<std::string>& failedCheck) {
    if (folder_.empty()) return std::nullopt;
    try {
        std::error_code error;
        std::filesystem::create_directories(folder_, error);
        if (error) throw std::runtime_error(base::wholePath(folder_.string()) + ": cannot be made: " + error.message());
        const FileLock lock(folder_ / lockName);

        Reading reading = read(path());
        const std::string file = base::wholePath(path().string());
        if (reading.state == Reading::State::Newer) throw std::runtime_error(file + ": " + reading.problem);
        if (mustKeepAside(reading)) {
            const auto aside = base::keepAside(path());
            warn(file + ": " + reading.problem + "; the file is kept whole in " + base::wholePath(aside.string()) +
                 (reading.state == Reading::State::Unusable ? " and a new one is started"
                                                            : " and written again without the records left out"));
        }

        json out = reading.state == Reading::State::Read ? std::move(reading.file) : json::object();
        out["version"] = fileVersion;
        json& levels = out["levels"];
        if (!levels.is_object()) levels = json::object();
        for (const auto& level : reading.skipped) levels.erase(level);

        LevelRecord& record = reading.records[change.level];
        if (!change.name.empty()) record.name = change.name;
        record.attempts = add(record.attempts, change.attempts);
        record.wins = add(record.wins, change.wins);
        json& entry = levels[change.level];
        if (!entry.is_object()) entry = json::object();
        entry["name"] = record.name;
        entry["attempts"] = record.attempts;
        entry["wins"] = record.wins;
        if (change.candidate && replaces(*change.candidate, record.best)) {
            record.best = change.candidate;
            entry["best"] = toJson(*record.best);
        }
        // A best run that a check found not to replay to its time.
        if (failedCheck && record.best && record.best->verified && record.best->run == *failedCheck) {
            record.best->verified = false;
            entry["best"]["verified"] = false;
        }

        const std::string text = out.dump(2) + "\n";
        try {
            base::writeWholeFile(path().string(), text);
        } catch (const std::runtime_error& problem) {
            // "<path>: <problem>", the path quoted whole.
            const std::string what = problem.what();
            throw std::runtime_error(file + what.substr(std::min(what.size(), path().string().size())));
        }
        return std::move(reading.records);
    } catch (const std::exception& problem) {
        warn(std::string(problem.what()) + "; the records are not saved");
        return std::nullopt;
    }
}

}  // namespace progress
