#pragma once

// The display module's primitives, grouped by the class that uses them. Each
// group is looked up once, the first time its class needs it.

#include "display/Primitive.h"
#include "runtime/contract/gfxrt.h"

namespace gfx::native {

inline constexpr const char* moduleName = "gfxrt";

template <class Signature>
struct Prim : Primitive<Signature> {
    explicit Prim(const char* name) : Primitive<Signature>(moduleName, name) {}
    Prim(const char* name, int argCount) : Primitive<Signature>(moduleName, name, argCount) {}
};

struct DisplayObjectPrimitives {
    Prim<rt_node*()> createDisplayObject{"rt_create_display_object"};
    Prim<rt_node*()> createContainer{"rt_create_display_object_container"};
    Prim<int(rt_node*)> getId{"rt_display_object_get_id"};
    Prim<void(rt_node*)> releaseNode{"rt_release_node"};
    Prim<void(rt_node*, double)> setX{"rt_display_object_set_x"};
    Prim<double(rt_node*)> getX{"rt_display_object_get_x"};
    Prim<void(rt_node*, double)> setY{"rt_display_object_set_y"};
    Prim<double(rt_node*)> getY{"rt_display_object_get_y"};
    Prim<void(rt_node*, double)> setRotation{"rt_display_object_set_rotation"};
    Prim<double(rt_node*)> getRotation{"rt_display_object_get_rotation"};
    Prim<void(rt_node*, double)> setScaleX{"rt_display_object_set_scale_x"};
    Prim<double(rt_node*)> getScaleX{"rt_display_object_get_scale_x"};
    Prim<void(rt_node*, double)> setScaleY{"rt_display_object_set_scale_y"};
    Prim<double(rt_node*)> getScaleY{"rt_display_object_get_scale_y"};
    Prim<void(rt_node*, double)> setWidth{"rt_display_object_set_width"};
    Prim<double(rt_node*)> getWidth{"rt_display_object_get_width"};
    Prim<void(rt_node*, double)> setHeight{"rt_display_object_set_height"};
    Prim<double(rt_node*)> getHeight{"rt_display_object_get_height"};
    Prim<void(rt_node*, double)> setAlpha{"rt_display_object_set_alpha"};
    Prim<double(rt_node*)> getAlpha{"rt_display_object_get_alpha"};
    Prim<void(rt_node*, int)> setVisible{"rt_display_object_set_visible"};
    Prim<int(rt_node*)> getVisible{"rt_display_object_get_visible"};
    Prim<void(rt_node*, int)> setMouseEnabled{"rt_display_object_set_mouse_enabled"};
    Prim<void(rt_node*, double*, double*)> globalToLocal{"rt_display_object_global_to_local"};
    Prim<rt_draw_list*(rt_node*)> getGraphics{"rt_display_object_get_graphics"};
    Prim<void(rt_node*, rt_node*)> addChild{"rt_doc_add_child"};
    Prim<void(rt_node*, int)> removeChild{"rt_doc_remove_child"};
    Prim<void(rt_node*, rt_node*, int)> setChildIndex{"rt_doc_set_child_index"};

    static const DisplayObjectPrimitives& get() {
        static const DisplayObjectPrimitives primitives;
        return primitives;
    }
};

struct GraphicsPrimitives {
    Prim<void(rt_draw_list*)> clear{"rt_gfx_clear"};
    Prim<void(rt_draw_list*, int, double)> beginFill{"rt_gfx_begin_fill"};
    Prim<void(rt_draw_list*)> endFill{"rt_gfx_end_fill"};
    Prim<void(const rt_line_style_args*)> lineStyle{"rt_gfx_line_style", 9};
    Prim<void(rt_draw_list*, double, double)> moveTo{"rt_gfx_move_to"};
    Prim<void(rt_draw_list*, double, double)> lineTo{"rt_gfx_line_to"};
    Prim<void(rt_draw_list*, double, double, double, double)> drawRect{"rt_gfx_draw_rect"};
    Prim<void(rt_draw_list*, double, double, double, double)> drawEllipse{"rt_gfx_draw_ellipse"};

    static const GraphicsPrimitives& get() {
        static const GraphicsPrimitives primitives;
        return primitives;
    }
};

struct StagePrimitives {
    Prim<void(const rt_main_frame_args*)> createMainFrame{"rt_create_main_frame", 6};
    Prim<void()> close{"rt_close"};
    Prim<rt_node*(rt_main_frame*)> getFrameStage{"rt_get_frame_stage"};
    Prim<void(rt_node*, const rt_stage_handler*, int, int)> setStageHandler{"rt_set_stage_handler"};
    Prim<void(rt_node*)> renderStage{"rt_render_stage"};
    Prim<void(rt_node*, double)> setNextWake{"rt_stage_set_next_wake"};
    Prim<void(rt_node*, int)> setColor{"rt_stage_set_color"};
    Prim<int(rt_node*)> getStageWidth{"rt_stage_get_stage_width"};
    Prim<int(rt_node*)> getStageHeight{"rt_stage_get_stage_height"};
    Prim<int(rt_node*)> getDisplayState{"rt_stage_get_display_state"};
    Prim<void(rt_node*, int)> setDisplayState{"rt_stage_set_display_state"};
    Prim<double()> timeStamp{"rt_time_stamp"};

    static const StagePrimitives& get() {
        static const StagePrimitives primitives;
        return primitives;
    }
};

struct TextPrimitives {
    Prim<rt_text_field*()> create{"rt_text_field_create"};
    Prim<void(rt_text_field*, const rt_text_format*)> setDefTextFormat{"rt_text_field_set_def_text_format"};
    Prim<void(rt_text_field*, rt_text_format*)> getDefTextFormat{"rt_text_field_get_def_text_format"};
    Prim<void(rt_text_field*, const char*)> setText{"rt_text_field_set_text"};
    Prim<const char*(rt_text_field*)> getText{"rt_text_field_get_text"};
    Prim<void(rt_text_field*, int)> setSelectable{"rt_text_field_set_selectable"};
    Prim<void(rt_text_field*, int)> setType{"rt_text_field_set_type"};

    static const TextPrimitives& get() {
        static const TextPrimitives primitives;
        return primitives;
    }
};

struct FontPrimitives {
    Prim<int(const rt_bytes*, rt_font_info*)> importFont{"freetype_import_font"};
    Prim<void(const char*, const rt_bytes*)> registerFont{"rt_font_register_font"};

    static const FontPrimitives& get() {
        static const FontPrimitives primitives;
        return primitives;
    }
};

struct FilePrimitives {
    Prim<int(const char*, rt_bytes*)> readFile{"rt_byte_array_read_file"};
    Prim<void(const rt_bytes*)> freeBuffer{"rt_buffer_free"};

    static const FilePrimitives& get() {
        static const FilePrimitives primitives;
        return primitives;
    }
};

}  // namespace gfx::native
