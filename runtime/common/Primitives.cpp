// The primitives both modules export, each defined with its declaration in
// runtime/contract/gfxrt.h (a definition that differs from it does not
// compile). The main frame runs on the module's eventLoop(); what depends on
// the window or the clock goes through platform().
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "runtime/common/EventLoop.h"
#include "runtime/common/Export.h"
#include "runtime/common/Platform.h"
#include "runtime/common/Runtime.h"
#include "runtime/common/TextField.h"
#include "runtime/contract/gfxrt.h"

using gfxrt::DrawList;
using gfxrt::MainFrame;
using gfxrt::Node;
using gfxrt::NodeKind;
using gfxrt::NodeRegistry;
using gfxrt::Runtime;
using gfxrt::Stage;
using gfxrt::TextField;

namespace {

// Builds with checks (without NDEBUG) look every handle up before using it.
#ifdef NDEBUG
constexpr bool checkHandles = false;
#else
constexpr bool checkHandles = true;
#endif

// A handle no primitive may use: the program has a fault that would
// otherwise corrupt memory or act on the wrong object, so the process ends
// here, saying where.
[[noreturn]] void refuse(const char* primitive, const void* handle, const char* what) {
    char address[32];
    std::snprintf(address, sizeof address, "%p", handle);
    Runtime::instance().log(std::string(primitive) + ": " + what + " (handle " + address + ")");
    std::abort();
}

// The object behind each kind of handle; null for a null handle. A handle
// of the wrong kind gives null as well when handles are not checked.
Node* node(rt_node* handle, const char* primitive) {
    Node* n = NodeRegistry::toNode(handle);
#ifndef NDEBUG
    if (n && !Runtime::instance().nodes().holds(n)) {
        refuse(primitive, handle, "a stale or foreign display node");
    }
#else
    (void)primitive;
#endif
    return n;
}

Stage* stage(rt_node* handle, const char* primitive) {
    Node* n = node(handle, primitive);
    if (checkHandles && n && n->kind() != NodeKind::Stage) {
        refuse(primitive, handle, "a display node that is not a stage");
    }
    return n ? dynamic_cast<Stage*>(n) : nullptr;
}

TextField* field(rt_text_field* handle, const char* primitive) {
    Node* n = node(rt_text_field_node(handle), primitive);
    if (checkHandles && n && n->kind() != NodeKind::TextField) {
        refuse(primitive, handle, "a text field handle that is not a text field's");
    }
    return n ? dynamic_cast<TextField*>(n) : nullptr;
}

DrawList* graphics(rt_draw_list* handle, const char* primitive) {
    DrawList* list = NodeRegistry::toList(handle);
#ifndef NDEBUG
    if (list && !Runtime::instance().nodes().holds(list)) {
        refuse(primitive, handle, "a stale or foreign drawing list");
    }
#else
    (void)primitive;
#endif
    return list;
}

MainFrame* frame(rt_main_frame* handle, const char* primitive) {
    MainFrame* f = MainFrame::of(handle);
    if (checkHandles && f && !Runtime::instance().isOpenFrame(f)) {
        refuse(primitive, handle, "a main frame that has ended, or a foreign one");
    }
    return f;
}

rt_node* hold(const std::shared_ptr<Node>& created) { return Runtime::instance().nodes().hold(created); }

void append(rt_draw_list* handle, const gfxrt::DrawCommand& command, const char* primitive) {
    if (DrawList* list = graphics(handle, primitive)) {
        list->append(command);
        Runtime::instance().sceneChanged();
    }
}

}  // namespace

// The primitives' names carry the double underscore of the exported symbols.
// NOLINTBEGIN(bugprone-reserved-identifier)

// Module and main frame.

GFXRT_EXPORT int rt_interface_version__0(void) { return RT_INTERFACE_VERSION; }

GFXRT_EXPORT void rt_set_loader__1(const rt_loader_callbacks* callbacks) { Runtime::instance().setLoader(callbacks); }

GFXRT_EXPORT void rt_create_main_frame__MULT(const rt_main_frame_args* args) {
    if (args) {
        gfxrt::eventLoop().run(*args);
    }
}

GFXRT_EXPORT void rt_close__0(void) { gfxrt::eventLoop().close(); }

GFXRT_EXPORT rt_node* rt_get_frame_stage__1(rt_main_frame* handle) {
    MainFrame* f = frame(handle, __func__);
    return f ? NodeRegistry::toHandle(f->stage) : nullptr;
}

GFXRT_EXPORT double rt_time_stamp__0(void) { return gfxrt::platform().now(); }

// Stage.

GFXRT_EXPORT void rt_set_stage_handler__4(rt_node* handle, const rt_stage_handler* handler, int, int) {
    if (Stage* s = stage(handle, __func__)) {
        s->setHandler(handler);
    }
}

GFXRT_EXPORT void rt_render_stage__1(rt_node* handle) {
    if (Stage* s = stage(handle, __func__)) {
        gfxrt::platform().present(*s);
    }
}

GFXRT_EXPORT void rt_stage_set_next_wake__2(rt_node* handle, double seconds) {
    if (Stage* s = stage(handle, __func__)) {
        // NaN asks for nothing in particular: wake at once.
        s->nextWake = gfxrt::platform().now() + (std::isnan(seconds) ? 0.0 : seconds);
    }
}

GFXRT_EXPORT void rt_stage_set_color__2(rt_node* handle, int rgb) {
    if (Stage* s = stage(handle, __func__)) {
        s->color = rgb & 0xFFFFFF;
        Runtime::instance().sceneChanged();
    }
}

GFXRT_EXPORT int rt_stage_get_stage_width__1(rt_node* handle) {
    Stage* s = stage(handle, __func__);
    return s ? s->stageWidth() : 0;
}

GFXRT_EXPORT int rt_stage_get_stage_height__1(rt_node* handle) {
    Stage* s = stage(handle, __func__);
    return s ? s->stageHeight() : 0;
}

GFXRT_EXPORT void rt_stage_set_view__2(rt_node* handle, const rt_view* view) {
    Stage* s = stage(handle, __func__);
    if (!s || !view) {
        return;
    }
    const bool usable = std::isfinite(view->scale_x) && view->scale_x > 0 && std::isfinite(view->scale_y) &&
                        view->scale_y > 0 && std::isfinite(view->x) && std::isfinite(view->y) &&
                        std::isfinite(view->width) && std::isfinite(view->height);
    if (!usable) {
        Runtime::instance().log("rt_stage_set_view: a view with a scale that is not above 0, or not a finite number");
        return;
    }
    s->view = *view;
    Runtime::instance().sceneChanged();
}

GFXRT_EXPORT int rt_stage_get_display_state__1(rt_node* handle) {
    Stage* s = stage(handle, __func__);
    return s ? s->displayState : RT_DISPLAY_NORMAL;
}

GFXRT_EXPORT void rt_stage_set_display_state__2(rt_node* handle, int state) {
    if (Stage* s = stage(handle, __func__)) {
        gfxrt::platform().setDisplayState(*s, state ? RT_DISPLAY_FULL_SCREEN : RT_DISPLAY_NORMAL);
        Runtime::instance().sceneChanged();
    }
}

// Display objects.

GFXRT_EXPORT rt_node* rt_create_display_object__0(void) { return hold(std::make_shared<Node>(NodeKind::Shape)); }

GFXRT_EXPORT rt_node* rt_create_display_object_container__0(void) {
    return hold(std::make_shared<gfxrt::ContainerNode>());
}

GFXRT_EXPORT void rt_release_node__1(rt_node* handle) {
    if (node(handle, __func__)) {
        Runtime::instance().nodes().release(handle);
        Runtime::instance().sceneChanged();
    }
}

GFXRT_EXPORT int rt_display_object_get_id__1(rt_node* handle) {
    Node* n = node(handle, __func__);
    return n ? n->id() : 0;
}

// The same value to the bit: setting it changes nothing, so nothing moves.
namespace {
bool sameBits(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }
}  // namespace

// Every property but alpha moves or resizes the object's box. A value set
// again as it is (views placed on every update, mostly where they were)
// leaves the containers' grids alone.
#define GFXRT_NUMBER_PROPERTY(name, field, moves)                                    \
    GFXRT_EXPORT void rt_display_object_set_##name##__2(rt_node* handle, double v) { \
        if (Node* n = node(handle, __func__)) {                                      \
            if (sameBits(n->field, v)) {                                             \
                return;                                                              \
            }                                                                        \
            n->field = v;                                                            \
            Runtime::instance().sceneChanged();                                      \
            if (moves) {                                                             \
                n->geometryChanged();                                                \
            }                                                                        \
        }                                                                            \
    }                                                                                \
    GFXRT_EXPORT double rt_display_object_get_##name##__1(rt_node* handle) {         \
        Node* n = node(handle, __func__);                                            \
        return n ? n->field : 0.0;                                                   \
    }

GFXRT_NUMBER_PROPERTY(x, x, true)
GFXRT_NUMBER_PROPERTY(y, y, true)
GFXRT_NUMBER_PROPERTY(rotation, rotation, true)
GFXRT_NUMBER_PROPERTY(scale_x, scaleX, true)
GFXRT_NUMBER_PROPERTY(scale_y, scaleY, true)
GFXRT_NUMBER_PROPERTY(alpha, alpha, false)

#undef GFXRT_NUMBER_PROPERTY

GFXRT_EXPORT void rt_display_object_set_width__2(rt_node* handle, double v) {
    if (Node* n = node(handle, __func__)) {
        n->setWidth(v);
        Runtime::instance().sceneChanged();
    }
}

GFXRT_EXPORT double rt_display_object_get_width__1(rt_node* handle) {
    Node* n = node(handle, __func__);
    return n ? n->width() : 0.0;
}

GFXRT_EXPORT void rt_display_object_set_height__2(rt_node* handle, double v) {
    if (Node* n = node(handle, __func__)) {
        n->setHeight(v);
        Runtime::instance().sceneChanged();
    }
}

GFXRT_EXPORT double rt_display_object_get_height__1(rt_node* handle) {
    Node* n = node(handle, __func__);
    return n ? n->height() : 0.0;
}

GFXRT_EXPORT void rt_display_object_set_visible__2(rt_node* handle, int visible) {
    if (Node* n = node(handle, __func__)) {
        n->visible = visible != 0;
        n->geometryChanged();
        Runtime::instance().sceneChanged();
    }
}

GFXRT_EXPORT int rt_display_object_get_visible__1(rt_node* handle) {
    Node* n = node(handle, __func__);
    return n && n->visible ? 1 : 0;
}

GFXRT_EXPORT void rt_display_object_set_mouse_enabled__2(rt_node* handle, int enabled) {
    if (Node* n = node(handle, __func__)) {
        n->mouseEnabled = enabled != 0;
    }
}

GFXRT_EXPORT void rt_display_object_global_to_local__3(rt_node* handle, double* x, double* y) {
    Node* n = node(handle, __func__);
    if (!n || !x || !y) {
        return;
    }
    cairo_matrix_t toLocal = n->globalMatrix();
    if (cairo_matrix_invert(&toLocal) == CAIRO_STATUS_SUCCESS) {
        cairo_matrix_transform_point(&toLocal, x, y);
    }
}

GFXRT_EXPORT rt_draw_list* rt_display_object_get_graphics__1(rt_node* handle) {
    Node* n = node(handle, __func__);
    return n ? NodeRegistry::toHandle(&n->graphics()) : nullptr;
}

GFXRT_EXPORT void rt_doc_add_child__2(rt_node* parent, rt_node* child) {
    Node* p = node(parent, __func__);
    Node* c = node(child, __func__);
    if (p && c && !p->addChild(Runtime::instance().nodes().reference(c))) {
        Runtime::instance().log(
            "rt_doc_add_child: the child cannot go there (a shape, or the parent itself or its ancestor)");
    }
    Runtime::instance().sceneChanged();
}

GFXRT_EXPORT void rt_doc_remove_child__2(rt_node* parent, int index) {
    if (Node* p = node(parent, __func__)) {
        p->removeChildAt(index);
        Runtime::instance().sceneChanged();
    }
}

GFXRT_EXPORT void rt_doc_set_child_index__3(rt_node* parent, rt_node* child, int index) {
    Node* p = node(parent, __func__);
    Node* c = node(child, __func__);
    if (p && c) {
        p->setChildIndex(c, index);
        Runtime::instance().sceneChanged();
    }
}

// Drawing.

GFXRT_EXPORT void rt_gfx_clear__1(rt_draw_list* handle) {
    if (DrawList* list = graphics(handle, __func__)) {
        list->clear();
        Runtime::instance().sceneChanged();
    }
}

GFXRT_EXPORT void rt_gfx_begin_fill__3(rt_draw_list* handle, int rgb, double alpha) {
    append(handle, gfxrt::BeginFill{rgb & 0xFFFFFF, alpha}, __func__);
}

GFXRT_EXPORT void rt_gfx_end_fill__1(rt_draw_list* handle) { append(handle, gfxrt::EndFill{}, __func__); }

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
    append(args->graphics, gfxrt::SetLineStyle{style}, __func__);
}

GFXRT_EXPORT void rt_gfx_move_to__3(rt_draw_list* handle, double x, double y) {
    append(handle, gfxrt::MoveTo{x, y}, __func__);
}

GFXRT_EXPORT void rt_gfx_line_to__3(rt_draw_list* handle, double x, double y) {
    append(handle, gfxrt::LineTo{x, y}, __func__);
}

GFXRT_EXPORT void rt_gfx_draw_rect__5(rt_draw_list* handle, double x, double y, double w, double h) {
    append(handle, gfxrt::DrawRect{x, y, w, h}, __func__);
}

GFXRT_EXPORT void rt_gfx_draw_ellipse__5(rt_draw_list* handle, double x, double y, double w, double h) {
    append(handle, gfxrt::DrawEllipse{x, y, w, h}, __func__);
}

// Text.

GFXRT_EXPORT rt_text_field* rt_text_field_create__0(void) {
    return reinterpret_cast<rt_text_field*>(hold(std::make_shared<TextField>()));
}

GFXRT_EXPORT void rt_text_field_set_def_text_format__2(rt_text_field* handle, const rt_text_format* format) {
    if (TextField* f = field(handle, __func__); f && format) {
        f->setFormat(*format);
        Runtime::instance().sceneChanged();
    }
}

GFXRT_EXPORT void rt_text_field_get_def_text_format__2(rt_text_field* handle, rt_text_format* out) {
    if (TextField* f = field(handle, __func__); f && out) {
        f->readFormat(*out);
    }
}

GFXRT_EXPORT void rt_text_field_set_text__2(rt_text_field* handle, const char* text) {
    if (TextField* f = field(handle, __func__)) {
        f->setText(text);
        Runtime::instance().sceneChanged();
    }
}

GFXRT_EXPORT const char* rt_text_field_get_text__1(rt_text_field* handle) {
    TextField* f = field(handle, __func__);
    return f ? f->text().c_str() : "";
}

GFXRT_EXPORT void rt_text_field_set_selectable__2(rt_text_field* handle, int selectable) {
    if (TextField* f = field(handle, __func__)) {
        f->selectable = selectable != 0;
    }
}

GFXRT_EXPORT void rt_text_field_set_type__2(rt_text_field* handle, int isInput) {
    if (TextField* f = field(handle, __func__)) {
        f->isInput = isInput != 0;
        Runtime::instance().sceneChanged();
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
    Runtime::instance().sceneChanged();
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

// NOLINTEND(bugprone-reserved-identifier)
