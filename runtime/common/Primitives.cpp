// The primitives both modules export (see runtime/include/gfxrt.h). The main
// frame runs on the module's eventLoop(); what depends on the window or the
// clock goes through platform().
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "runtime/common/EventLoop.h"
#include "runtime/common/Export.h"
#include "runtime/common/Platform.h"
#include "runtime/common/Runtime.h"
#include "runtime/common/TextField.h"
#include "runtime/include/gfxrt.h"

using gfxrt::DrawList;
using gfxrt::Node;
using gfxrt::NodeRegistry;
using gfxrt::Runtime;
using gfxrt::Stage;
using gfxrt::TextField;

namespace {

Node* node(rt_handle handle) { return NodeRegistry::toNode(handle); }

Stage* stage(rt_handle handle) { return handle ? dynamic_cast<Stage*>(node(handle)) : nullptr; }

TextField* field(rt_handle handle) { return handle ? dynamic_cast<TextField*>(node(handle)) : nullptr; }

DrawList* graphics(rt_handle handle) { return static_cast<DrawList*>(handle); }

rt_handle hold(const std::shared_ptr<Node>& created) { return Runtime::instance().nodes().hold(created); }

void append(rt_handle list, const gfxrt::DrawCommand& command) {
  if (list) {
    graphics(list)->append(command);
  }
}

}  // namespace

// Module and main frame.

GFXRT_EXPORT void rt_set_loader__1(const rt_loader_callbacks* callbacks) { Runtime::instance().setLoader(callbacks); }

GFXRT_EXPORT void rt_create_main_frame__MULT(const rt_main_frame_args* args) {
  if (args) {
    gfxrt::eventLoop().run(*args);
  }
}

GFXRT_EXPORT void rt_close__0(void) { gfxrt::eventLoop().close(); }

GFXRT_EXPORT rt_handle rt_get_frame_stage__1(rt_handle frame) {
  return frame ? NodeRegistry::toHandle(static_cast<gfxrt::MainFrame*>(frame)->stage) : nullptr;
}

GFXRT_EXPORT double rt_time_stamp__0(void) { return gfxrt::platform().now(); }

// Stage.

GFXRT_EXPORT void rt_set_stage_handler__4(rt_handle handle, const rt_stage_handler* handler, int, int) {
  if (Stage* s = stage(handle)) {
    s->setHandler(handler);
  }
}

GFXRT_EXPORT void rt_render_stage__1(rt_handle handle) {
  if (Stage* s = stage(handle)) {
    gfxrt::platform().present(*s);
  }
}

GFXRT_EXPORT void rt_stage_set_next_wake__2(rt_handle handle, double seconds) {
  if (Stage* s = stage(handle)) {
    // NaN asks for nothing in particular: wake at once.
    s->nextWake = gfxrt::platform().now() + (std::isnan(seconds) ? 0.0 : seconds);
  }
}

GFXRT_EXPORT void rt_stage_set_color__2(rt_handle handle, int rgb) {
  if (Stage* s = stage(handle)) {
    s->color = rgb & 0xFFFFFF;
  }
}

GFXRT_EXPORT int rt_stage_get_stage_width__1(rt_handle handle) {
  Stage* s = stage(handle);
  return s ? s->stageWidth() : 0;
}

GFXRT_EXPORT int rt_stage_get_stage_height__1(rt_handle handle) {
  Stage* s = stage(handle);
  return s ? s->stageHeight() : 0;
}

GFXRT_EXPORT int rt_stage_get_display_state__1(rt_handle handle) {
  Stage* s = stage(handle);
  return s ? s->displayState : RT_DISPLAY_NORMAL;
}

GFXRT_EXPORT void rt_stage_set_display_state__2(rt_handle handle, int state) {
  if (Stage* s = stage(handle)) {
    gfxrt::platform().setDisplayState(*s, state ? RT_DISPLAY_FULL_SCREEN : RT_DISPLAY_NORMAL);
  }
}

// Display objects.

GFXRT_EXPORT rt_handle rt_create_display_object__0(void) {
  return hold(std::make_shared<Node>(gfxrt::NodeKind::Shape));
}

GFXRT_EXPORT rt_handle rt_create_display_object_container__0(void) {
  return hold(std::make_shared<Node>(gfxrt::NodeKind::Container));
}

GFXRT_EXPORT void rt_release_node__1(rt_handle handle) {
  if (handle) {
    Runtime::instance().nodes().release(handle);
  }
}

GFXRT_EXPORT int rt_display_object_get_id__1(rt_handle handle) { return handle ? node(handle)->id() : 0; }

#define GFXRT_NUMBER_PROPERTY(name, field)                                         \
  GFXRT_EXPORT void rt_display_object_set_##name##__2(rt_handle handle, double v) { \
    if (handle) {                                                                   \
      node(handle)->field = v;                                                      \
    }                                                                               \
  }                                                                                 \
  GFXRT_EXPORT double rt_display_object_get_##name##__1(rt_handle handle) {         \
    return handle ? node(handle)->field : 0.0;                                      \
  }

GFXRT_NUMBER_PROPERTY(x, x)
GFXRT_NUMBER_PROPERTY(y, y)
GFXRT_NUMBER_PROPERTY(rotation, rotation)
GFXRT_NUMBER_PROPERTY(scale_x, scaleX)
GFXRT_NUMBER_PROPERTY(scale_y, scaleY)
GFXRT_NUMBER_PROPERTY(alpha, alpha)

#undef GFXRT_NUMBER_PROPERTY

GFXRT_EXPORT void rt_display_object_set_width__2(rt_handle handle, double v) {
  if (handle) {
    node(handle)->setWidth(v);
  }
}

GFXRT_EXPORT double rt_display_object_get_width__1(rt_handle handle) { return handle ? node(handle)->width() : 0.0; }

GFXRT_EXPORT void rt_display_object_set_height__2(rt_handle handle, double v) {
  if (handle) {
    node(handle)->setHeight(v);
  }
}

GFXRT_EXPORT double rt_display_object_get_height__1(rt_handle handle) {
  return handle ? node(handle)->height() : 0.0;
}

GFXRT_EXPORT void rt_display_object_set_visible__2(rt_handle handle, int visible) {
  if (handle) {
    node(handle)->visible = visible != 0;
  }
}

GFXRT_EXPORT int rt_display_object_get_visible__1(rt_handle handle) {
  return handle && node(handle)->visible ? 1 : 0;
}

GFXRT_EXPORT void rt_display_object_set_mouse_enabled__2(rt_handle handle, int enabled) {
  if (handle) {
    node(handle)->mouseEnabled = enabled != 0;
  }
}

GFXRT_EXPORT void rt_display_object_global_to_local__3(rt_handle handle, double* x, double* y) {
  if (!handle || !x || !y) {
    return;
  }
  cairo_matrix_t toLocal = node(handle)->globalMatrix();
  if (cairo_matrix_invert(&toLocal) == CAIRO_STATUS_SUCCESS) {
    cairo_matrix_transform_point(&toLocal, x, y);
  }
}

GFXRT_EXPORT rt_handle rt_display_object_get_graphics__1(rt_handle handle) {
  return handle ? &node(handle)->graphics() : nullptr;
}

GFXRT_EXPORT void rt_doc_add_child__2(rt_handle parent, rt_handle child) {
  if (parent && child && !node(parent)->addChild(node(child)->shared_from_this())) {
    Runtime::instance().log("rt_doc_add_child: the child cannot go there (a shape, or the parent itself or its ancestor)");
  }
}

GFXRT_EXPORT void rt_doc_remove_child__2(rt_handle parent, int index) {
  if (parent) {
    node(parent)->removeChildAt(index);
  }
}

GFXRT_EXPORT void rt_doc_set_child_index__3(rt_handle parent, rt_handle child, int index) {
  if (parent && child) {
    node(parent)->setChildIndex(node(child), index);
  }
}

// Drawing.

GFXRT_EXPORT void rt_gfx_clear__1(rt_handle list) {
  if (list) {
    graphics(list)->clear();
  }
}

GFXRT_EXPORT void rt_gfx_begin_fill__3(rt_handle list, int rgb, double alpha) {
  append(list, gfxrt::BeginFill{rgb & 0xFFFFFF, alpha});
}

GFXRT_EXPORT void rt_gfx_end_fill__1(rt_handle list) { append(list, gfxrt::EndFill{}); }

GFXRT_EXPORT void rt_gfx_line_style__MULT(const rt_line_style_args* args) {
  if (!args) {
    return;
  }
  gfxrt::LineStyle style;
  style.thickness = args->thickness;
  style.color = args->color & 0xFFFFFF;
  style.alpha = args->alpha;
  style.pixelHinting = args->pixel_hinting != 0;
  style.scaleMode = args->scale_mode;
  style.caps = args->caps;
  style.joints = args->joints;
  style.miterLimit = args->miter_limit;
  append(args->graphics, gfxrt::SetLineStyle{style});
}

GFXRT_EXPORT void rt_gfx_move_to__3(rt_handle list, double x, double y) { append(list, gfxrt::MoveTo{x, y}); }

GFXRT_EXPORT void rt_gfx_line_to__3(rt_handle list, double x, double y) { append(list, gfxrt::LineTo{x, y}); }

GFXRT_EXPORT void rt_gfx_draw_rect__5(rt_handle list, double x, double y, double w, double h) {
  append(list, gfxrt::DrawRect{x, y, w, h});
}

GFXRT_EXPORT void rt_gfx_draw_ellipse__5(rt_handle list, double x, double y, double w, double h) {
  append(list, gfxrt::DrawEllipse{x, y, w, h});
}

// Text.

GFXRT_EXPORT rt_handle rt_text_field_create__0(void) { return hold(std::make_shared<TextField>()); }

GFXRT_EXPORT void rt_text_field_set_def_text_format__2(rt_handle handle, const rt_text_format* format) {
  if (TextField* f = field(handle); f && format) {
    f->setFormat(*format);
  }
}

GFXRT_EXPORT void rt_text_field_get_def_text_format__2(rt_handle handle, rt_text_format* out) {
  if (TextField* f = field(handle); f && out) {
    f->readFormat(*out);
  }
}

GFXRT_EXPORT void rt_text_field_set_text__2(rt_handle handle, const char* text) {
  if (TextField* f = field(handle)) {
    f->setText(text);
  }
}

GFXRT_EXPORT const char* rt_text_field_get_text__1(rt_handle handle) {
  TextField* f = field(handle);
  return f ? f->text().c_str() : "";
}

GFXRT_EXPORT void rt_text_field_set_selectable__2(rt_handle handle, int selectable) {
  if (TextField* f = field(handle)) {
    f->selectable = selectable != 0;
  }
}

GFXRT_EXPORT void rt_text_field_set_type__2(rt_handle handle, int isInput) {
  if (TextField* f = field(handle)) {
    f->isInput = isInput != 0;
  }
}

// Fonts and files.

GFXRT_EXPORT int freetype_import_font__2(const rt_bytes* file, rt_font_info* out) {
  if (!file || !out) {
    return 0;
  }
  return Runtime::instance().fonts().describe(file->data, file->size, *out) ? 1 : 0;
}

GFXRT_EXPORT void rt_font_register_font__2(const char* family, const rt_bytes* file) {
  if (!family || !file) {
    return;
  }
  if (!Runtime::instance().fonts().add(family, file->data, file->size)) {
    Runtime::instance().log(std::string("could not read the font file for ") + family);
  }
}

GFXRT_EXPORT int rt_byte_array_read_file__2(const char* path, rt_bytes* out) {
  if (!path || !out) {
    return 0;
  }
  out->data = nullptr;
  out->size = 0;
  std::FILE* file = std::fopen(path, "rb");
  if (!file) {
    return 0;
  }
  unsigned char* data = nullptr;
  std::size_t size = 0;
  std::size_t capacity = 0;
  bool ok = true;
  for (;;) {
    if (size == capacity) {
      capacity = capacity ? capacity * 2 : 65536;
      auto* grown = static_cast<unsigned char*>(std::realloc(data, capacity));
      if (!grown) {
        ok = false;
        break;
      }
      data = grown;
    }
    const std::size_t got = std::fread(data + size, 1, capacity - size, file);
    size += got;
    if (got == 0) {
      ok = !std::ferror(file);
      break;
    }
  }
  std::fclose(file);
  if (!ok) {
    std::free(data);
    return 0;
  }
  out->data = data;
  out->size = size;
  return 1;
}

GFXRT_EXPORT void rt_buffer_free__1(const rt_bytes* bytes) {
  if (bytes) {
    std::free(const_cast<unsigned char*>(bytes->data));
  }
}
