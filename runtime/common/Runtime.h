// State shared by all primitives of a module: the program's node handles,
// the fonts, the current stage and the program's logging service.
#ifndef VYN_RUNTIME_COMMON_RUNTIME_H
#define VYN_RUNTIME_COMMON_RUNTIME_H

#include <cstdint>
#include <memory>
#include <string>

#include "runtime/common/FontRegistry.h"
#include "runtime/common/NodeRegistry.h"
#include "runtime/common/Stage.h"

namespace gfxrt {

class Runtime {
public:
    // The one instance. It is never destroyed: the program may call into the
    // module until the process ends, and Cairo keeps fonts in its own caches.
    static Runtime& instance();

    [[nodiscard]] NodeRegistry& nodes() { return nodes_; }
    [[nodiscard]] FontRegistry& fonts() { return fonts_; }

    void setLoader(const rt_loader_callbacks* callbacks);
    // Through the program's logger when it gave one, else to standard error.
    void log(const std::string& message);

    // Makes a new stage the current one; the frame handle leads to it until
    // the main frame ends (closeFrame).
    MainFrame* openStage(int width, int height);
    void closeFrame() { frame_.stage = nullptr; }
    // Whether this is the frame of the running main frame.
    [[nodiscard]] bool isOpenFrame(const MainFrame* frame) const { return frame == &frame_ && frame_.stage; }
    // The stage of the running or the last main frame.
    [[nodiscard]] Stage* stage() { return stage_.get(); }

    // Counts the changes to anything a frame shows (every primitive that
    // changes a node, a drawing, a text or the stage's look adds one): a
    // frame drawn while the count stands where it stood at the last one
    // shown would show the same picture, and a module may leave it out.
    void sceneChanged() { ++sceneVersion_; }
    [[nodiscard]] std::uint64_t sceneVersion() const { return sceneVersion_; }

private:
    Runtime() = default;

    NodeRegistry nodes_;
    FontRegistry fonts_;
    void (*logger_)(const char*) = nullptr;
    std::shared_ptr<Stage> stage_;
    MainFrame frame_;
    std::uint64_t sceneVersion_ = 0;
};

}  // namespace gfxrt

#endif
