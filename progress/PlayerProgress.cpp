#include "progress/PlayerProgress.h"

#include <ctime>
#include <system_error>
#include <utility>

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
    : file_(std::move(dataFolder), warnings), replay_(std::move(replay)), checking_(checks), records_(file_.load()) {
    for (const auto& [id, level] : records_) {
        if (level.best && level.best->verified) checks_.push_back({id, level.name, {}, *level.best, true});
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

void PlayerProgress::runStarted(const game::Level& level, const std::string& name, std::uint64_t seed) {
    run_.reset();
    std::string id;
    try {
        id = level.id();
    } catch (const std::exception&) {
        return;  // a level that cannot be read has no record
    }
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
    Check check{run.levelId, run.name, run.level, candidate, false};
    check.run.verified = false;
    checks_.push_back(std::move(check));
    startNextCheck();
}

void PlayerProgress::startNextCheck() {
    if (running_ || checks_.empty()) return;
    const Check& next = checks_.front();
    running_ = std::make_unique<RunCheck>(replay_, next.run.run, next.run.updates, next.level);
    if (checking_ == Checks::atOnce) checked(running_->wait());
}

void PlayerProgress::checked(bool passed) {
    running_.reset();
    Check check = std::move(checks_.front());
    checks_.pop_front();
    if (passed) passed_[check.levelId] = check.run.run;
    if (check.stored) {
        if (!passed) save({check.levelId, "", 0, 0, std::nullopt}, check.run.run);
    } else {
        check.run.verified = passed;
        save({check.levelId, check.name, 0, 0, check.run});
        if (win_ && win_->levelId == check.levelId && win_->updates == check.run.updates) win_->passed = passed;
    }
    changed_ = true;
    startNextCheck();
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
