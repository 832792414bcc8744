// Loads a built runtime module the way the program does (dlopen of the module
// file, primitives looked up by their exported names).
#ifndef VYN_TESTS_RUNTIME_RUNTIMEMODULE_H
#define VYN_TESTS_RUNTIME_RUNTIMEMODULE_H

#include <dlfcn.h>

#include <stdexcept>
#include <string>

#include "runtime/contract/gfxrt.h"
#include "runtime/contract/gfxrt_headless.h"

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

// The primitives the tests call, by name, each typed by its declaration in
// gfxrt.h.
#define VYN_PRIMITIVE(symbol) m.fn<decltype(&(symbol))>(#symbol)

struct Primitives {
    explicit Primitives(const RuntimeModule& m)
        : createMainFrame(VYN_PRIMITIVE(rt_create_main_frame__MULT)),
          close(VYN_PRIMITIVE(rt_close__0)),
          getFrameStage(VYN_PRIMITIVE(rt_get_frame_stage__1)),
          setStageHandler(VYN_PRIMITIVE(rt_set_stage_handler__4)),
          renderStage(VYN_PRIMITIVE(rt_render_stage__1)),
          setNextWake(VYN_PRIMITIVE(rt_stage_set_next_wake__2)),
          setStageColor(VYN_PRIMITIVE(rt_stage_set_color__2)),
          stageWidth(VYN_PRIMITIVE(rt_stage_get_stage_width__1)),
          stageHeight(VYN_PRIMITIVE(rt_stage_get_stage_height__1)),
          setView(VYN_PRIMITIVE(rt_stage_set_view__2)),
          timeStamp(VYN_PRIMITIVE(rt_time_stamp__0)),
          createShape(VYN_PRIMITIVE(rt_create_display_object__0)),
          createContainer(VYN_PRIMITIVE(rt_create_display_object_container__0)),
          getId(VYN_PRIMITIVE(rt_display_object_get_id__1)),
          setX(VYN_PRIMITIVE(rt_display_object_set_x__2)),
          setY(VYN_PRIMITIVE(rt_display_object_set_y__2)),
          setRotation(VYN_PRIMITIVE(rt_display_object_set_rotation__2)),
          setScaleX(VYN_PRIMITIVE(rt_display_object_set_scale_x__2)),
          setScaleY(VYN_PRIMITIVE(rt_display_object_set_scale_y__2)),
          setWidth(VYN_PRIMITIVE(rt_display_object_set_width__2)),
          setHeight(VYN_PRIMITIVE(rt_display_object_set_height__2)),
          setAlpha(VYN_PRIMITIVE(rt_display_object_set_alpha__2)),
          getScaleX(VYN_PRIMITIVE(rt_display_object_get_scale_x__1)),
          getWidth(VYN_PRIMITIVE(rt_display_object_get_width__1)),
          getHeight(VYN_PRIMITIVE(rt_display_object_get_height__1)),
          setVisible(VYN_PRIMITIVE(rt_display_object_set_visible__2)),
          setMouseEnabled(VYN_PRIMITIVE(rt_display_object_set_mouse_enabled__2)),
          globalToLocal(VYN_PRIMITIVE(rt_display_object_global_to_local__3)),
          getGraphics(VYN_PRIMITIVE(rt_display_object_get_graphics__1)),
          addChild(VYN_PRIMITIVE(rt_doc_add_child__2)),
          removeChild(VYN_PRIMITIVE(rt_doc_remove_child__2)),
          setChildIndex(VYN_PRIMITIVE(rt_doc_set_child_index__3)),
          releaseNode(VYN_PRIMITIVE(rt_release_node__1)),
          clear(VYN_PRIMITIVE(rt_gfx_clear__1)),
          beginFill(VYN_PRIMITIVE(rt_gfx_begin_fill__3)),
          endFill(VYN_PRIMITIVE(rt_gfx_end_fill__1)),
          lineStyle(VYN_PRIMITIVE(rt_gfx_line_style__MULT)),
          moveTo(VYN_PRIMITIVE(rt_gfx_move_to__3)),
          lineTo(VYN_PRIMITIVE(rt_gfx_line_to__3)),
          drawRect(VYN_PRIMITIVE(rt_gfx_draw_rect__5)),
          drawEllipse(VYN_PRIMITIVE(rt_gfx_draw_ellipse__5)),
          createTextField(VYN_PRIMITIVE(rt_text_field_create__0)),
          setTextFormat(VYN_PRIMITIVE(rt_text_field_set_def_text_format__2)),
          getTextFormat(VYN_PRIMITIVE(rt_text_field_get_def_text_format__2)),
          setText(VYN_PRIMITIVE(rt_text_field_set_text__2)),
          getText(VYN_PRIMITIVE(rt_text_field_get_text__1)),
          importFont(VYN_PRIMITIVE(freetype_import_font__2)),
          registerFont(VYN_PRIMITIVE(rt_font_register_font__2)),
          readFile(VYN_PRIMITIVE(rt_byte_array_read_file__2)),
          freeBuffer(VYN_PRIMITIVE(rt_buffer_free__1)) {}

    decltype(&rt_create_main_frame__MULT) createMainFrame;
    decltype(&rt_close__0) close;
    decltype(&rt_get_frame_stage__1) getFrameStage;
    decltype(&rt_set_stage_handler__4) setStageHandler;
    decltype(&rt_render_stage__1) renderStage;
    decltype(&rt_stage_set_next_wake__2) setNextWake;
    decltype(&rt_stage_set_color__2) setStageColor;
    decltype(&rt_stage_get_stage_width__1) stageWidth;
    decltype(&rt_stage_get_stage_height__1) stageHeight;
    decltype(&rt_stage_set_view__2) setView;
    decltype(&rt_time_stamp__0) timeStamp;
    decltype(&rt_create_display_object__0) createShape;
    decltype(&rt_create_display_object_container__0) createContainer;
    decltype(&rt_display_object_get_id__1) getId;
    decltype(&rt_display_object_set_x__2) setX;
    decltype(&rt_display_object_set_y__2) setY;
    decltype(&rt_display_object_set_rotation__2) setRotation;
    decltype(&rt_display_object_set_scale_x__2) setScaleX;
    decltype(&rt_display_object_set_scale_y__2) setScaleY;
    decltype(&rt_display_object_set_width__2) setWidth;
    decltype(&rt_display_object_set_height__2) setHeight;
    decltype(&rt_display_object_set_alpha__2) setAlpha;
    decltype(&rt_display_object_get_scale_x__1) getScaleX;
    decltype(&rt_display_object_get_width__1) getWidth;
    decltype(&rt_display_object_get_height__1) getHeight;
    decltype(&rt_display_object_set_visible__2) setVisible;
    decltype(&rt_display_object_set_mouse_enabled__2) setMouseEnabled;
    decltype(&rt_display_object_global_to_local__3) globalToLocal;
    decltype(&rt_display_object_get_graphics__1) getGraphics;
    decltype(&rt_doc_add_child__2) addChild;
    decltype(&rt_doc_remove_child__2) removeChild;
    decltype(&rt_doc_set_child_index__3) setChildIndex;
    decltype(&rt_release_node__1) releaseNode;
    decltype(&rt_gfx_clear__1) clear;
    decltype(&rt_gfx_begin_fill__3) beginFill;
    decltype(&rt_gfx_end_fill__1) endFill;
    decltype(&rt_gfx_line_style__MULT) lineStyle;
    decltype(&rt_gfx_move_to__3) moveTo;
    decltype(&rt_gfx_line_to__3) lineTo;
    decltype(&rt_gfx_draw_rect__5) drawRect;
    decltype(&rt_gfx_draw_ellipse__5) drawEllipse;
    decltype(&rt_text_field_create__0) createTextField;
    decltype(&rt_text_field_set_def_text_format__2) setTextFormat;
    decltype(&rt_text_field_get_def_text_format__2) getTextFormat;
    decltype(&rt_text_field_set_text__2) setText;
    decltype(&rt_text_field_get_text__1) getText;
    decltype(&freetype_import_font__2) importFont;
    decltype(&rt_font_register_font__2) registerFont;
    decltype(&rt_byte_array_read_file__2) readFile;
    decltype(&rt_buffer_free__1) freeBuffer;
};

// The sound primitives.
struct SoundPrimitives {
    explicit SoundPrimitives(const RuntimeModule& m)
        : open(VYN_PRIMITIVE(rt_audio_open__1)),
          play(VYN_PRIMITIVE(rt_sound_play__1)),
          change(VYN_PRIMITIVE(rt_sound_change__2)),
          stop(VYN_PRIMITIVE(rt_sound_stop__1)),
          setVolume(VYN_PRIMITIVE(rt_audio_set_volume__2)),
          pause(VYN_PRIMITIVE(rt_audio_pause__1)) {}

    decltype(&rt_audio_open__1) open;
    decltype(&rt_sound_play__1) play;
    decltype(&rt_sound_change__2) change;
    decltype(&rt_sound_stop__1) stop;
    decltype(&rt_audio_set_volume__2) setVolume;
    decltype(&rt_audio_pause__1) pause;
};

#undef VYN_PRIMITIVE

}  // namespace vyn::testing

#endif
