#include "progress/PlayerProgress.h"

#include <ctime>
#include <fstream>
#include <sstream>
#include <system_error>
#include <utility>

#include <nlohmann/json.hpp>

#include "base/FileWriter.h"
#include "progress/Medals.h"
#include "runs/NativeEvents.h"
#include "runs/Script.h"

namespace progress {

namespace {

std::string today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return text;
}

}  // namespace

PlayerProgress::PlayerProgress(std::filesystem::path dataFolder, std::filesystem::path replay, std::ostream& warnings,
                               Checks checks)
    : file_(dataFolder, warnings),
      runs_(dataFolder.empty() ? dataFolder : dataFolder / "runs"),
      warnings_(warnings),
      replay_(std::move(replay)),
      checking_(checks),
      records_(file_.load()) {
    for (const auto& [id, level] : records_) {
        if (level.best && level.best->verified) {
            checks_.push_back({id, level.name, {}, *level.best, Check::Kind::stored});
        }
    }
    startNextCheck();
}

PlayerProgress::~PlayerProgress() {
    finishChecks();
    for (const auto& [id, count] : attempts_) {
        if (count > 0) file_.apply({id, "", count, 0, std::nullopt});
    }
}

void PlayerProgress::finishChecks() {
    while (running_) checked(running_->wait());
}

void PlayerProgress::runStarted(const game::Level& level, const std::string& id, const std::string& name,
                                std::uint64_t seed) {
    run_.reset();
    if (id.empty()) return;  // a level that cannot be read has no record
    std::error_code error;
    auto path = std::filesystem::absolute(level.path(), error);
    run_ = Run{id, name, error ? std::filesystem::path() : path,
               "# A run of vyn: " + name + "\nseed " + std::to_string(seed) + "\nlevel-id " + id + "\n"};
    ++attempts_[id];
}

void PlayerProgress::runEvent(const rt_event& record, int updates) {
    if (!run_) return;
    if (auto event = runs::fromNative(record, updates)) run_->script += runs::formatEvent(*event) + "\n";
}

void PlayerProgress::save(const RecordsFile::Change& change, const std::optional<std::string>& failedCheck) {
    if (auto saved = file_.apply(change, failedCheck)) {
        records_ = std::move(*saved);
        attempts_.erase(change.level);
    } else if (win_ && win_->levelId == change.level) {
        win_->saved = false;
    }
    changed_ = true;
}

void PlayerProgress::runWon(int updates) {
    if (!run_) return;
    Run run = std::move(*run_);
    run_.reset();
    const BestRun candidate{updates, today(), true, run.script};
    const auto& current = records_[run.levelId].best;
    win_ = Win{run.levelId, updates, replaces(candidate, current), std::nullopt, true};
    save({run.levelId, run.name, attempts_[run.levelId], 1, std::nullopt});
    if (!win_->mayBeBest) return;
    Check check{run.levelId, run.name, run.level, candidate, Check::Kind::played};
    check.run.verified = false;
    checks_.push_back(std::move(check));
    startNextCheck();
}

void PlayerProgress::startNextCheck() {
    if (running_ || checks_.empty()) return;
    const Check& next = checks_.front();
    running_ = std::make_unique<RunCheck>(replay_, next.run.run, next.run.updates, next.level, true);
    if (checking_ == Checks::atOnce) checked(running_->wait());
}

void PlayerProgress::checked(bool passed) {
    Check check = std::move(checks_.front());
    checks_.pop_front();
    switch (check.kind) {
        case Check::Kind::stored:
            if (passed) {
                passed_[check.levelId] = check.run.run;
                keepGhost(check.levelId, false);
            } else {
                save({check.levelId, "", 0, 0, std::nullopt}, check.run.run);
            }
            break;
        case Check::Kind::played: {
            check.run.verified = passed;
            save({check.levelId, check.name, 0, 0, check.run});
            const auto& best = records_[check.levelId].best;
            if (passed && best && best->run == check.run.run) {
                passed_[check.levelId] = check.run.run;
                keepGhost(check.levelId, false);
                keepRunFile(check.levelId, check.run.run);
            }
            if (win_ && win_->levelId == check.levelId && win_->updates == check.run.updates) win_->passed = passed;
            break;
        }
        case Check::Kind::raced:
            keepGhost(check.levelId, true);
            break;
    }
    running_.reset();
    changed_ = true;
    startNextCheck();
}

void PlayerProgress::keepRunFile(const std::string& levelId, const std::string& run) {
    if (runs_.empty()) return;
    try {
        std::error_code error;
        std::filesystem::create_directories(runs_, error);
        base::writeWholeFile((runs_ / (levelId + ".txt")).string(), run);
    } catch (const std::exception& problem) {
        warnings_ << "vyn: warning: " << problem.what() << "; the best run is kept in the records only\n" << std::flush;
    }
}

void PlayerProgress::keepGhost(const std::string& levelId, bool raced) {
    auto path = std::make_shared<frontend::GhostPath>();
    std::ifstream trace(running_->trace());
    for (std::string line; std::getline(trace, line);) {
        const auto update = nlohmann::json::parse(line, nullptr, false);
        if (update.is_discarded() || !update.contains("player")) break;
        const auto& player = update["player"];
        path->places.push_back({player.value("x", 0.0), player.value("y", 0.0), player.value("state", "") == "beam"});
    }
    (raced ? raced_ : ghosts_)[levelId] = std::move(path);
}

void PlayerProgress::race(const std::string& levelId, const std::string& run) {
    // The updates to replay: up to the last event and a second more, as a
    // replay runs by default.
    std::istringstream text(run);
    const auto parsed = runs::parseScript(text);
    const int updates = parsed.script ? parsed.script->lastTick() + 60 : 60;
    checks_.push_back({levelId, "", {}, BestRun{updates, "", false, run}, Check::Kind::raced});
    startNextCheck();
}

std::shared_ptr<const frontend::GhostPath> PlayerProgress::ghost(const std::string& levelId) {
    if (auto raced = raced_.find(levelId); raced != raced_.end()) return raced->second;
    auto best = ghosts_.find(levelId);
    return best == ghosts_.end() ? nullptr : best->second;
}

bool PlayerProgress::poll() {
    if (running_) {
        if (auto result = running_->result()) checked(*result);
    }
    return std::exchange(changed_, false);
}

frontend::RecordSummary PlayerProgress::record(const std::string& levelId) {
    frontend::RecordSummary summary;
    auto found = records_.find(levelId);
    if (found == records_.end() || !found->second.best) return summary;
    const BestRun& best = *found->second.best;
    summary.bestUpdates = best.updates;
    auto passed = passed_.find(levelId);
    summary.verified = best.verified && passed != passed_.end() && passed->second == best.run;
    summary.checking = best.verified && !summary.verified;
    if (summary.verified) {
        if (auto maker = makerUpdates(levelId)) summary.medal = medalFor(best.updates, *maker);
    }
    return summary;
}

std::vector<std::string> PlayerProgress::aboutWin() {
    std::vector<std::string> lines;
    if (!win_) return lines;
    if (!win_->saved) lines.push_back("The record was not saved: the data folder cannot be written");
    if (win_->mayBeBest && !win_->passed) {
        lines.push_back("A new best? The run is being checked");
    } else if (win_->mayBeBest && !*win_->passed) {
        lines.push_back("Not verified: the run does not replay to its time");
    } else {
        const auto summary = record(win_->levelId);
        std::string line =
            win_->mayBeBest ? "New best" : "Best  " + frontend::runTimeText(summary.bestUpdates.value_or(0));
        if (!summary.medal.empty()) line += "  ·  " + summary.medal + " medal";
        lines.push_back(line);
    }
    return lines;
}

}  // namespace progress
