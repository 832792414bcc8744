// Cost of drawing a game-sized frame through the headless runtime module: a
// scrolled world of cells (most of them off screen), the moon, the ground
// and two lines of HUD text. The cell count grows; the cost should not grow
// much with it, since objects outside the window are skipped.
#include <benchmark/benchmark.h>
#include <dlfcn.h>

#include <cstdio>
#include <string>

#include "display/Loader.h"
#include "runtime/contract/gfxrt.h"
#include "runtime/contract/gfxrt_headless.h"

namespace {

struct Module {
    void* handle = dlopen(VYN_BIN_DIR "/headless/libgfxrt.so", RTLD_NOW);
    // Checked, with the module's interface version, before any primitive runs.
    const rth_api* driver = gfx::Loader::headlessDriverOf(handle);

    template <class F>
    F fn(const char* name) const {
        return reinterpret_cast<F>(dlsym(handle, name));
    }
};

// The primitive SYMBOL of the module, typed by its declaration in gfxrt.h.
#define VYN_PRIMITIVE(module, symbol) (module).fn<decltype(&(symbol))>(#symbol)

struct Scene {
    benchmark::State* state;
    const Module* m;
    int cells;
};

void buildAndRender(void* context, rt_main_frame* frame) {
    auto* scene = static_cast<Scene*>(context);
    const Module& m = *scene->m;
    auto stageOf = VYN_PRIMITIVE(m, rt_get_frame_stage__1);
    auto setColor = VYN_PRIMITIVE(m, rt_stage_set_color__2);
    auto container = VYN_PRIMITIVE(m, rt_create_display_object_container__0);
    auto shape = VYN_PRIMITIVE(m, rt_create_display_object__0);
    auto addChild = VYN_PRIMITIVE(m, rt_doc_add_child__2);
    auto gfx = VYN_PRIMITIVE(m, rt_display_object_get_graphics__1);
    auto setX = VYN_PRIMITIVE(m, rt_display_object_set_x__2);
    auto setY = VYN_PRIMITIVE(m, rt_display_object_set_y__2);
    auto fill = VYN_PRIMITIVE(m, rt_gfx_begin_fill__3);
    auto endFill = VYN_PRIMITIVE(m, rt_gfx_end_fill__1);
    auto rect = VYN_PRIMITIVE(m, rt_gfx_draw_rect__5);
    auto ellipse = VYN_PRIMITIVE(m, rt_gfx_draw_ellipse__5);
    auto field = VYN_PRIMITIVE(m, rt_text_field_create__0);
    auto format = VYN_PRIMITIVE(m, rt_text_field_set_def_text_format__2);
    auto text = VYN_PRIMITIVE(m, rt_text_field_set_text__2);
    auto setWidth = VYN_PRIMITIVE(m, rt_display_object_set_width__2);
    auto render = VYN_PRIMITIVE(m, rt_render_stage__1);
    auto readFile = VYN_PRIMITIVE(m, rt_byte_array_read_file__2);
    auto registerFont = VYN_PRIMITIVE(m, rt_font_register_font__2);
    auto freeBuffer = VYN_PRIMITIVE(m, rt_buffer_free__1);

    rt_bytes font{};
    if (readFile(VYN_SOURCE_DIR "/assets/SourceSansPro-Light.ttf", &font)) {
        registerFont("Source Sans Pro Light", &font);
        freeBuffer(&font);
    }

    rt_node* stage = stageOf(frame);
    setColor(stage, 0x222222);
    rt_node* world = container();
    addChild(stage, world);
    setX(world, 560);
    setY(world, 400);
    rt_node* moon = shape();
    addChild(world, moon);
    setY(moon, -700);
    fill(gfx(moon), 0xFFFFFF, 1);
    ellipse(gfx(moon), -300, -300, 600, 600);
    endFill(gfx(moon));
    rt_node* ground = shape();
    addChild(world, ground);
    fill(gfx(ground), 0x332E28, 1);
    rect(gfx(ground), -1000, 0, 2000, 400);
    endFill(gfx(ground));
    // Cells in rows of 100, spreading far beyond the window.
    for (int i = 0; i < scene->cells; ++i) {
        rt_node* cell = shape();
        addChild(world, cell);
        setX(cell, (i % 100 - 50) * 50.0);
        const int row = i / 100;
        setY(cell, -(row + 1) * 50.0);
        fill(gfx(cell), 0x546677, 1);
        rect(gfx(cell), 0, 0, 50, 50);
        endFill(gfx(cell));
    }
    rt_text_format f{};
    f.set = RT_TF_FONT | RT_TF_SIZE | RT_TF_COLOR;
    f.font = "Source Sans Pro Light";
    f.size = 60;
    f.color = 0xFFFFFF;
    rt_text_field* timer = field();
    addChild(stage, rt_text_field_node(timer));
    format(timer, &f);
    setX(rt_text_field_node(timer), 25);
    setY(rt_text_field_node(timer), 25);
    rt_text_field* message = field();
    addChild(stage, rt_text_field_node(message));
    format(message, &f);
    setWidth(rt_text_field_node(message), 1070);
    setX(rt_text_field_node(message), 25);
    setY(rt_text_field_node(message), 525);
    text(message, "collect the shards and save the world.");

    int tick = 0;
    char countdown[16];
    for (auto _ : *scene->state) {
        std::snprintf(countdown, sizeof countdown, "%.1f", 10 - tick * 0.1);
        text(timer, countdown);
        setX(world, 560 - (tick % 200));
        render(stage);
        ++tick;
    }
    m.driver->stop();
}

void BM_RenderGameFrame(benchmark::State& state) {
    static const Module module;
    if (!module.driver) {
        state.SkipWithError("the headless module is not built");
        return;
    }
    Scene scene{&state, &module, static_cast<int>(state.range(0))};
    rt_main_frame_args args{};
    args.on_frame.fn = buildAndRender;
    args.on_frame.context = &scene;
    args.width = 1120;
    args.height = 630;
    args.title = "bench";
    VYN_PRIMITIVE(module, rt_create_main_frame__MULT)(&args);
}
BENCHMARK(BM_RenderGameFrame)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

}  // namespace
