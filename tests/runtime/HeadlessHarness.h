// The headless module, loaded once per test program, with helpers to run a
// main frame and read back what it drew.
#ifndef VYN_TESTS_RUNTIME_HEADLESSHARNESS_H
#define VYN_TESTS_RUNTIME_HEADLESSHARNESS_H

#include <functional>
#include <stdexcept>
#include <string>

#include "RuntimeModule.h"
#include "display/Loader.h"

namespace vyn::testing {

class Headless {
public:
    static Headless& get() {
        static Headless* instance = new Headless();
        return *instance;
    }

    const Primitives& rt() const { return rt_; }
    const rth_api& api() const { return *api_; }

    // Opens a main frame of the given size and runs body with its stage; the
    // loop then ends at once unless body installed a handler and keep is set.
    void withStage(int width, int height, const std::function<void(rt_node* stage)>& body, bool keep = false) {
        struct Context {
            const std::function<void(rt_node*)>* body;
            Headless* self;
            bool keep;
        } context{&body, this, keep};
        rt_main_frame_args args{};
        args.on_frame.fn = [](void* c, rt_main_frame* frame) {
            auto* ctx = static_cast<Context*>(c);
            rt_node* stage = ctx->self->rt_.getFrameStage(frame);
            (*ctx->body)(stage);
            if (!ctx->keep) {
                ctx->self->api_->stop();
            }
        };
        args.on_frame.context = &context;
        args.width = width;
        args.height = height;
        args.flags = 4;
        args.title = "test";
        rt_.createMainFrame(&args);
    }

    // A shape on the parent, with its drawing list.
    struct Shape {
        rt_node* node;
        rt_draw_list* gfx;
    };
    Shape addShape(rt_node* parent) const {
        rt_node* node = rt_.createShape();
        rt_.addChild(parent, node);
        return {node, rt_.getGraphics(node)};
    }

    std::string fontPath() const { return std::string(VYN_SOURCE_DIR) + "/assets/SourceSansPro-Light.ttf"; }

private:
    Headless()
        : module_(std::string(VYN_BIN_DIR) + "/headless/libgfxrt.so"),
          rt_(module_),
          api_(gfx::Loader::headlessDriverOf(module_.handle())) {
        if (api_ == nullptr) throw std::runtime_error("the headless module cannot be driven");
    }

    RuntimeModule module_;
    Primitives rt_;
    const rth_api* api_;
};

}  // namespace vyn::testing

#endif
