#pragma once

// The display module's primitives, grouped by the class that uses them. Each
// group is looked up once, the first time its class needs it.
//
// Every primitive is declared once, in gfxrt.h, and each member here takes
// its type from that declaration: a primitive whose declaration changes is
// called the new way, or the call no longer compiles.

#include <type_traits>

#include "display/Primitive.h"
#include "runtime/contract/gfxrt.h"

namespace gfx::native {

inline constexpr const char* moduleName = "gfxrt";

template <class Signature>
struct Prim : Primitive<Signature> {
    Prim(const char* name, int argCount) : Primitive<Signature>(moduleName, name, argCount) {}
};

// A member calling the primitive NAME that takes COUNT arguments (0 to 5),
// declared in gfxrt.h as NAME__COUNT: looked up by that name and count and
// typed by that declaration. The member calls through the declaration's own
// pointer type, which takes COUNT parameters.
#define GFX_PRIMITIVE(member, name, count)                                                         \
    Prim<decltype(name##__##count)> member{#name, count}; /* NOLINT(bugprone-macro-parentheses) */ \
    static_assert(std::is_same_v<decltype(member)::Function, decltype(&name##__##count)>,          \
                  #name "__" #count ": not called through its declared type");                     \
    static_assert(decltype(member)::parameterCount == (count),                                     \
                  #name "__" #count ": declared with another number of parameters")

// A member calling the primitive NAME that takes COUNT arguments (above 5) as
// one struct, declared in gfxrt.h as NAME__MULT.
#define GFX_PRIMITIVE_MULT(member, name, count)                                                 \
    Prim<decltype(name##__MULT)> member{#name, count}; /* NOLINT(bugprone-macro-parentheses) */ \
    static_assert(std::is_same_v<decltype(member)::Function, decltype(&name##__MULT)>,          \
                  #name "__MULT: not called through its declared type");                        \
    static_assert((count) > 5 && decltype(member)::parameterCount == 1,                         \
                  #name "__MULT: not one struct of more than five arguments")

struct DisplayObjectPrimitives {
    GFX_PRIMITIVE(createDisplayObject, rt_create_display_object, 0);
    GFX_PRIMITIVE(createContainer, rt_create_display_object_container, 0);
    GFX_PRIMITIVE(getId, rt_display_object_get_id, 1);
    GFX_PRIMITIVE(releaseNode, rt_release_node, 1);
    GFX_PRIMITIVE(setX, rt_display_object_set_x, 2);
    GFX_PRIMITIVE(getX, rt_display_object_get_x, 1);
    GFX_PRIMITIVE(setY, rt_display_object_set_y, 2);
    GFX_PRIMITIVE(getY, rt_display_object_get_y, 1);
    GFX_PRIMITIVE(setRotation, rt_display_object_set_rotation, 2);
    GFX_PRIMITIVE(getRotation, rt_display_object_get_rotation, 1);
    GFX_PRIMITIVE(setScaleX, rt_display_object_set_scale_x, 2);
    GFX_PRIMITIVE(getScaleX, rt_display_object_get_scale_x, 1);
    GFX_PRIMITIVE(setScaleY, rt_display_object_set_scale_y, 2);
    GFX_PRIMITIVE(getScaleY, rt_display_object_get_scale_y, 1);
    GFX_PRIMITIVE(setWidth, rt_display_object_set_width, 2);
    GFX_PRIMITIVE(getWidth, rt_display_object_get_width, 1);
    GFX_PRIMITIVE(setHeight, rt_display_object_set_height, 2);
    GFX_PRIMITIVE(getHeight, rt_display_object_get_height, 1);
    GFX_PRIMITIVE(setAlpha, rt_display_object_set_alpha, 2);
    GFX_PRIMITIVE(getAlpha, rt_display_object_get_alpha, 1);
    GFX_PRIMITIVE(setVisible, rt_display_object_set_visible, 2);
    GFX_PRIMITIVE(getVisible, rt_display_object_get_visible, 1);
    GFX_PRIMITIVE(setMouseEnabled, rt_display_object_set_mouse_enabled, 2);
    GFX_PRIMITIVE(globalToLocal, rt_display_object_global_to_local, 3);
    GFX_PRIMITIVE(getGraphics, rt_display_object_get_graphics, 1);
    GFX_PRIMITIVE(addChild, rt_doc_add_child, 2);
    GFX_PRIMITIVE(removeChild, rt_doc_remove_child, 2);
    GFX_PRIMITIVE(setChildIndex, rt_doc_set_child_index, 3);

    static const DisplayObjectPrimitives& get() {
        static const DisplayObjectPrimitives primitives;
        return primitives;
    }
};

struct GraphicsPrimitives {
    GFX_PRIMITIVE(clear, rt_gfx_clear, 1);
    GFX_PRIMITIVE(beginFill, rt_gfx_begin_fill, 3);
    GFX_PRIMITIVE(endFill, rt_gfx_end_fill, 1);
    GFX_PRIMITIVE_MULT(lineStyle, rt_gfx_line_style, 9);
    GFX_PRIMITIVE(moveTo, rt_gfx_move_to, 3);
    GFX_PRIMITIVE(lineTo, rt_gfx_line_to, 3);
    GFX_PRIMITIVE(drawRect, rt_gfx_draw_rect, 5);
    GFX_PRIMITIVE(drawEllipse, rt_gfx_draw_ellipse, 5);

    static const GraphicsPrimitives& get() {
        static const GraphicsPrimitives primitives;
        return primitives;
    }
};

struct StagePrimitives {
    GFX_PRIMITIVE_MULT(createMainFrame, rt_create_main_frame, 6);
    GFX_PRIMITIVE(close, rt_close, 0);
    GFX_PRIMITIVE(getFrameStage, rt_get_frame_stage, 1);
    GFX_PRIMITIVE(setStageHandler, rt_set_stage_handler, 4);
    GFX_PRIMITIVE(renderStage, rt_render_stage, 1);
    GFX_PRIMITIVE(setNextWake, rt_stage_set_next_wake, 2);
    GFX_PRIMITIVE(setColor, rt_stage_set_color, 2);
    GFX_PRIMITIVE(getStageWidth, rt_stage_get_stage_width, 1);
    GFX_PRIMITIVE(getStageHeight, rt_stage_get_stage_height, 1);
    GFX_PRIMITIVE(setView, rt_stage_set_view, 2);
    GFX_PRIMITIVE(getDisplayState, rt_stage_get_display_state, 1);
    GFX_PRIMITIVE(setDisplayState, rt_stage_set_display_state, 2);
    GFX_PRIMITIVE(timeStamp, rt_time_stamp, 0);

    static const StagePrimitives& get() {
        static const StagePrimitives primitives;
        return primitives;
    }
};

struct TextPrimitives {
    GFX_PRIMITIVE(create, rt_text_field_create, 0);
    GFX_PRIMITIVE(setDefTextFormat, rt_text_field_set_def_text_format, 2);
    GFX_PRIMITIVE(getDefTextFormat, rt_text_field_get_def_text_format, 2);
    GFX_PRIMITIVE(setText, rt_text_field_set_text, 2);
    GFX_PRIMITIVE(getText, rt_text_field_get_text, 1);
    GFX_PRIMITIVE(setSelectable, rt_text_field_set_selectable, 2);
    GFX_PRIMITIVE(setType, rt_text_field_set_type, 2);

    static const TextPrimitives& get() {
        static const TextPrimitives primitives;
        return primitives;
    }
};

struct FontPrimitives {
    GFX_PRIMITIVE(importFont, freetype_import_font, 2);
    GFX_PRIMITIVE(registerFont, rt_font_register_font, 2);

    static const FontPrimitives& get() {
        static const FontPrimitives primitives;
        return primitives;
    }
};

struct FilePrimitives {
    GFX_PRIMITIVE(readFile, rt_byte_array_read_file, 2);
    GFX_PRIMITIVE(freeBuffer, rt_buffer_free, 1);

    static const FilePrimitives& get() {
        static const FilePrimitives primitives;
        return primitives;
    }
};

struct SoundPrimitives {
    GFX_PRIMITIVE(open, rt_audio_open, 1);
    GFX_PRIMITIVE(play, rt_sound_play, 1);
    GFX_PRIMITIVE(change, rt_sound_change, 2);
    GFX_PRIMITIVE(stop, rt_sound_stop, 1);
    GFX_PRIMITIVE(setVolume, rt_audio_set_volume, 2);
    GFX_PRIMITIVE(pause, rt_audio_pause, 1);

    static const SoundPrimitives& get() {
        static const SoundPrimitives primitives;
        return primitives;
    }
};

}  // namespace gfx::native

#undef GFX_PRIMITIVE
#undef GFX_PRIMITIVE_MULT
