// Loads a built runtime module the way the program does (dlopen of the module
// file, primitives looked up by their exported names).
#ifndef VYN_TESTS_RUNTIME_RUNTIMEMODULE_H
#define VYN_TESTS_RUNTIME_RUNTIMEMODULE_H

#include <dlfcn.h>

#include <stdexcept>
#include <string>

#include "runtime/include/gfxrt.h"
#include "runtime/include/gfxrt_headless.h"

namespace vyn::testing {

class RuntimeModule {
public:
    // The module file at path; it stays loaded for the rest of the process.
    explicit RuntimeModule(const std::string& path) {
        handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle_) {
            throw std::runtime_error(std::string("cannot load ") + path + ": " + dlerror());
        }
    }

    void* handle() const { return handle_; }
    void* raw(const char* name) const { return dlsym(handle_, name); }

    template <class F>
    F fn(const char* name) const {
        void* symbol = raw(name);
        if (!symbol) {
            throw std::runtime_error(std::string("missing primitive ") + name);
        }
        return reinterpret_cast<F>(symbol);
    }

private:
    void* handle_;
};

// The primitives the tests call, by name.
struct Primitives {
    explicit Primitives(const RuntimeModule& m)
        : createMainFrame(m.fn<void (*)(const rt_main_frame_args*)>("rt_create_main_frame__MULT")),
          close(m.fn<void (*)()>("rt_close__0")),
          getFrameStage(m.fn<rt_node* (*)(rt_main_frame*)>("rt_get_frame_stage__1")),
          setStageHandler(m.fn<void (*)(rt_node*, const rt_stage_handler*, int, int)>("rt_set_stage_handler__4")),
          renderStage(m.fn<void (*)(rt_node*)>("rt_render_stage__1")),
          setNextWake(m.fn<void (*)(rt_node*, double)>("rt_stage_set_next_wake__2")),
          setStageColor(m.fn<void (*)(rt_node*, int)>("rt_stage_set_color__2")),
          stageWidth(m.fn<int (*)(rt_node*)>("rt_stage_get_stage_width__1")),
          stageHeight(m.fn<int (*)(rt_node*)>("rt_stage_get_stage_height__1")),
          timeStamp(m.fn<double (*)()>("rt_time_stamp__0")),
          createShape(m.fn<rt_node* (*)()>("rt_create_display_object__0")),
          createContainer(m.fn<rt_node* (*)()>("rt_create_display_object_container__0")),
          getId(m.fn<int (*)(rt_node*)>("rt_display_object_get_id__1")),
          setX(m.fn<void (*)(rt_node*, double)>("rt_display_object_set_x__2")),
          setY(m.fn<void (*)(rt_node*, double)>("rt_display_object_set_y__2")),
          setRotation(m.fn<void (*)(rt_node*, double)>("rt_display_object_set_rotation__2")),
          setScaleX(m.fn<void (*)(rt_node*, double)>("rt_display_object_set_scale_x__2")),
          setScaleY(m.fn<void (*)(rt_node*, double)>("rt_display_object_set_scale_y__2")),
          setWidth(m.fn<void (*)(rt_node*, double)>("rt_display_object_set_width__2")),
          setHeight(m.fn<void (*)(rt_node*, double)>("rt_display_object_set_height__2")),
          setAlpha(m.fn<void (*)(rt_node*, double)>("rt_display_object_set_alpha__2")),
          getScaleX(m.fn<double (*)(rt_node*)>("rt_display_object_get_scale_x__1")),
          getWidth(m.fn<double (*)(rt_node*)>("rt_display_object_get_width__1")),
          getHeight(m.fn<double (*)(rt_node*)>("rt_display_object_get_height__1")),
          setVisible(m.fn<void (*)(rt_node*, int)>("rt_display_object_set_visible__2")),
          setMouseEnabled(m.fn<void (*)(rt_node*, int)>("rt_display_object_set_mouse_enabled__2")),
          globalToLocal(m.fn<void (*)(rt_node*, double*, double*)>("rt_display_object_global_to_local__3")),
          getGraphics(m.fn<rt_draw_list* (*)(rt_node*)>("rt_display_object_get_graphics__1")),
          addChild(m.fn<void (*)(rt_node*, rt_node*)>("rt_doc_add_child__2")),
          removeChild(m.fn<void (*)(rt_node*, int)>("rt_doc_remove_child__2")),
          setChildIndex(m.fn<void (*)(rt_node*, rt_node*, int)>("rt_doc_set_child_index__3")),
          releaseNode(m.fn<void (*)(rt_node*)>("rt_release_node__1")),
          clear(m.fn<void (*)(rt_draw_list*)>("rt_gfx_clear__1")),
          beginFill(m.fn<void (*)(rt_draw_list*, int, double)>("rt_gfx_begin_fill__3")),
          endFill(m.fn<void (*)(rt_draw_list*)>("rt_gfx_end_fill__1")),
          lineStyle(m.fn<void (*)(const rt_line_style_args*)>("rt_gfx_line_style__MULT")),
          moveTo(m.fn<void (*)(rt_draw_list*, double, double)>("rt_gfx_move_to__3")),
          lineTo(m.fn<void (*)(rt_draw_list*, double, double)>("rt_gfx_line_to__3")),
          drawRect(m.fn<void (*)(rt_draw_list*, double, double, double, double)>("rt_gfx_draw_rect__5")),
          drawEllipse(m.fn<void (*)(rt_draw_list*, double, double, double, double)>("rt_gfx_draw_ellipse__5")),
          createTextField(m.fn<rt_text_field* (*)()>("rt_text_field_create__0")),
          setTextFormat(m.fn<void (*)(rt_text_field*, const rt_text_format*)>("rt_text_field_set_def_text_format__2")),
          getTextFormat(m.fn<void (*)(rt_text_field*, rt_text_format*)>("rt_text_field_get_def_text_format__2")),
          setText(m.fn<void (*)(rt_text_field*, const char*)>("rt_text_field_set_text__2")),
          getText(m.fn<const char* (*)(rt_text_field*)>("rt_text_field_get_text__1")),
          importFont(m.fn<int (*)(const rt_bytes*, rt_font_info*)>("freetype_import_font__2")),
          registerFont(m.fn<void (*)(const char*, const rt_bytes*)>("rt_font_register_font__2")),
          readFile(m.fn<int (*)(const char*, rt_bytes*)>("rt_byte_array_read_file__2")),
          freeBuffer(m.fn<void (*)(const rt_bytes*)>("rt_buffer_free__1")) {}

    void (*createMainFrame)(const rt_main_frame_args*);
    void (*close)();
    rt_node* (*getFrameStage)(rt_main_frame*);
    void (*setStageHandler)(rt_node*, const rt_stage_handler*, int, int);
    void (*renderStage)(rt_node*);
    void (*setNextWake)(rt_node*, double);
    void (*setStageColor)(rt_node*, int);
    int (*stageWidth)(rt_node*);
    int (*stageHeight)(rt_node*);
    double (*timeStamp)();
    rt_node* (*createShape)();
    rt_node* (*createContainer)();
    int (*getId)(rt_node*);
    void (*setX)(rt_node*, double);
    void (*setY)(rt_node*, double);
    void (*setRotation)(rt_node*, double);
    void (*setScaleX)(rt_node*, double);
    void (*setScaleY)(rt_node*, double);
    void (*setWidth)(rt_node*, double);
    void (*setHeight)(rt_node*, double);
    void (*setAlpha)(rt_node*, double);
    double (*getScaleX)(rt_node*);
    double (*getWidth)(rt_node*);
    double (*getHeight)(rt_node*);
    void (*setVisible)(rt_node*, int);
    void (*setMouseEnabled)(rt_node*, int);
    void (*globalToLocal)(rt_node*, double*, double*);
    rt_draw_list* (*getGraphics)(rt_node*);
    void (*addChild)(rt_node*, rt_node*);
    void (*removeChild)(rt_node*, int);
    void (*setChildIndex)(rt_node*, rt_node*, int);
    void (*releaseNode)(rt_node*);
    void (*clear)(rt_draw_list*);
    void (*beginFill)(rt_draw_list*, int, double);
    void (*endFill)(rt_draw_list*);
    void (*lineStyle)(const rt_line_style_args*);
    void (*moveTo)(rt_draw_list*, double, double);
    void (*lineTo)(rt_draw_list*, double, double);
    void (*drawRect)(rt_draw_list*, double, double, double, double);
    void (*drawEllipse)(rt_draw_list*, double, double, double, double);
    rt_text_field* (*createTextField)();
    void (*setTextFormat)(rt_text_field*, const rt_text_format*);
    void (*getTextFormat)(rt_text_field*, rt_text_format*);
    void (*setText)(rt_text_field*, const char*);
    const char* (*getText)(rt_text_field*);
    int (*importFont)(const rt_bytes*, rt_font_info*);
    void (*registerFont)(const char*, const rt_bytes*);
    int (*readFile)(const char*, rt_bytes*);
    void (*freeBuffer)(const rt_bytes*);
};

}  // namespace vyn::testing

#endif
