#include "runtime/common/Runtime.h"

#include <cstdio>

namespace gfxrt {

Runtime& Runtime::instance() {
    static Runtime* runtime = new Runtime();
    return *runtime;
}

void Runtime::setLoader(const rt_loader_callbacks* callbacks) {
    logger_ = (callbacks && callbacks->version >= 1) ? callbacks->log : nullptr;
}

void Runtime::log(const std::string& message) {
    if (logger_) {
        logger_(message.c_str());
    } else {
        std::fprintf(stderr, "gfxrt: %s\n", message.c_str());
    }
}

MainFrame* Runtime::openStage(int width, int height) {
    stage_ = std::make_shared<Stage>(width, height);
    // The stage is a handle like any other: one from an earlier main frame
    // stays valid until the program releases it.
    nodes_.hold(stage_);
    frame_.stage = stage_.get();
    return &frame_;
}

}  // namespace gfxrt
