#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

#include "progress/Records.h"

namespace progress {

// The player's records file, records.json in the player's data folder:
//
//   {"version": 1, "levels": {"<level id>": {"name": "First light",
//     "attempts": 12, "wins": 3, "best": {"updates": 1234,
//     "date": "2024-05-01", "verified": true, "run": "<script>"}}}}
//
// Two games may finish runs at the same moment, so a change is never
// written over what this game read earlier: apply takes an exclusive lock
// (records.json.lock beside the file: the data file itself is replaced by a
// rename at every write, and a lock on it would be a lock on the old file),
// reads the file again, merges the change into it and writes it whole
// through the crash-safe writer before it lets go.
//
// A file that cannot be read or parsed, or is not of this shape, gives one
// warning line and no records; it is never written over. The next apply
// keeps it beside under a name of its own ("records.json.unreadable", then
// "…unreadable-2" and so on) and starts a new file. One level's record of a
// wrong shape costs that level alone: it is left out with a warning, and
// the next apply keeps the whole file aside in the same way before it
// writes the file without it, so that its text is never lost. A file of a
// newer version is read as no records and never changed. Keys this version
// does not know, at the top and in a level's record, are written back as
// they were read (those of a best run go with the run it replaces).
//
// No failure throws: each gives one warning line and the game plays on.
class RecordsFile {
public:
    // folder empty: nothing is read or written (no folder for the player).
    RecordsFile(std::filesystem::path folder, std::ostream& warnings);

    // What the file holds; no records when it is absent or cannot be used.
    Records load();

    // What one run (or several) adds to a level's record.
    struct Change {
        // The level's id, the key of its record.
        std::string level;
        // Its readable name, kept in place of the one before unless empty.
        std::string name;
        // Added to the record's counts (a negative count adds nothing).
        int attempts = 0;
        int wins = 0;
        // Becomes the level's best run when it replaces the one there.
        std::optional<BestRun> candidate;
    };
    // Merges change into what the file holds now, under the lock, and
    // writes the result. Returns the records as written, or nullopt when
    // they could not be saved (with one warning line) or there is no folder
    // (silently).
    // failedCheck: the recording of a run that did not replay to its time;
    // if it is still the level's best, that is no longer verified.
    std::optional<Records> apply(const Change& change, const std::optional<std::string>& failedCheck = std::nullopt);

    [[nodiscard]] std::filesystem::path path() const;

    static constexpr const char* fileName = "records.json";
    static constexpr const char* lockName = "records.json.lock";

private:
    void warn(const std::string& line);

    std::filesystem::path folder_;
    std::ostream& warnings_;
};

}  // namespace progress
