#include "runs/Recorder.h"

#include "runs/NativeEvents.h"

namespace runs {

namespace {

constexpr std::chrono::seconds flushPeriod{1};

}  // namespace

Recorder::Recorder(const std::filesystem::path& path, std::uint64_t seed,
                   const std::optional<std::filesystem::path>& level, bool front)
    : file_(path, "the recording"), lastFlush_(std::chrono::steady_clock::now()) {
    file_.writeLine("# A run of vyn as it was played; vyn-replay plays it again.");
    file_.writeLine("seed " + std::to_string(seed));
    if (level) file_.writeLine("level " + level->string());
    if (front) file_.writeLine("front");
    file_.flush();
}

void Recorder::received(const rt_event& record, int tick) {
    auto event = fromNative(record, tick);
    if (!event) return;
    file_.writeLine(formatEvent(*event));
    using Kind = ScriptEvent::Kind;
    if (event->kind == Kind::FocusOut || event->kind == Kind::Close) {
        file_.flush();
        lastFlush_ = std::chrono::steady_clock::now();
    }
}

void Recorder::afterUpdate() { flushWhenDue(); }

void Recorder::flushWhenDue() {
    const auto now = std::chrono::steady_clock::now();
    if (now - lastFlush_ < flushPeriod) return;
    file_.flush();
    lastFlush_ = now;
}

}  // namespace runs
