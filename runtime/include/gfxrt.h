/*
 * The contract between the program and a display runtime module ("gfxrt").
 *
 * The program never links against a module. It loads one by name and looks up
 * each primitive by name and argument count: the exported symbol is
 * NAME "__" COUNT for 0 to 5 arguments, and NAME "__MULT" above that, in which
 * case the arguments travel as one struct (the "array" of arguments).
 *
 * Handles are opaque and owned by the module. Strings are UTF-8 and only
 * borrowed for the duration of the call unless stated otherwise. Every module
 * (the real SDL/Cairo one and the headless one) exports the same primitives
 * with exactly these signatures.
 */
#ifndef VYN_RUNTIME_GFXRT_H
#define VYN_RUNTIME_GFXRT_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef void* rt_handle;

/* Bytes handed to the module (borrowed) or returned by it (owned by the
 * receiver, released with rt_buffer_free__1). */
typedef struct rt_bytes {
  const unsigned char* data;
  size_t size;
} rt_bytes;

/* One native event, as the module hands it to the stage's handler. The handler
 * may write "result" before it returns. "id" names the display object the
 * event concerns (the focused or hit object, the stage's own id when none). */
typedef struct rt_event {
  int type;
  int value;
  int code;
  int flags;
  int x;
  int y;
  int id;
  int char_code; /* the record's "char" field */
  int down;
  int result;
} rt_event;

/* Native event types the modules send (others are never produced). */
enum {
  RT_EVENT_KEY_DOWN = 1,
  RT_EVENT_CHAR = 2,
  RT_EVENT_KEY_UP = 3,
  RT_EVENT_MOUSE_MOVE = 4,
  RT_EVENT_MOUSE_DOWN = 5,
  RT_EVENT_MOUSE_CLICK = 6,
  RT_EVENT_MOUSE_UP = 7,
  RT_EVENT_RESIZE = 8,
  RT_EVENT_POLL = 9,
  RT_EVENT_QUIT = 10,
  RT_EVENT_FOCUS = 11,
  RT_EVENT_REDRAW = 14,
  RT_EVENT_ACTIVATE = 20,
  RT_EVENT_DEACTIVATE = 21
};

/* Modifier and state bits of rt_event.flags. */
enum {
  RT_EF_LEFT_DOWN = 0x0001,
  RT_EF_SHIFT_DOWN = 0x0002,
  RT_EF_CTRL_DOWN = 0x0004,
  RT_EF_ALT_DOWN = 0x0008,
  RT_EF_COMMAND_DOWN = 0x0010,
  RT_EF_LOCATION_RIGHT = 0x4000,
  RT_EF_NO_NATIVE_CLICK = 0x10000
};

/* A function of the program with its context pointer. */
typedef struct rt_frame_callback {
  void (*fn)(void* context, rt_handle frame);
  void* context;
} rt_frame_callback;

typedef struct rt_stage_handler {
  void (*fn)(void* context, rt_event* event);
  void* context;
} rt_stage_handler;

/* Services the program offers a module, handed over once through
 * rt_set_loader__1 right after the module is loaded. */
typedef struct rt_loader_callbacks {
  int version; /* 1 */
  void (*log)(const char* message);
} rt_loader_callbacks;

/* rt_create_main_frame__MULT: opens the window, calls on_frame once with the
 * frame handle and then runs the native event loop until the window closes.
 * Returns when the loop ends. */
typedef struct rt_main_frame_args {
  rt_frame_callback on_frame;
  int width;
  int height;
  int flags; /* window-creation flags: FULLSCREEN 1, BORDERLESS 2, RESIZABLE 4, ... */
  const char* title;
  const char* icon; /* unused; null */
} rt_main_frame_args;

/* rt_gfx_line_style__MULT. A thickness below 0 means "no line", 0 a hairline
 * one pixel wide. scale_mode: 0 normal (the line scales with the object),
 * others keep the thickness in pixels. caps: 0 round, 1 none, 2 square.
 * joints: 0 round, 1 miter, 2 bevel. */
typedef struct rt_line_style_args {
  rt_handle graphics;
  double thickness;
  int color;
  double alpha;
  int pixel_hinting;
  int scale_mode;
  int caps;
  int joints;
  double miter_limit;
} rt_line_style_args;

/* Text format fields; a field counts only when its bit is in "set". */
enum {
  RT_TF_FONT = 1 << 0,
  RT_TF_SIZE = 1 << 1,
  RT_TF_COLOR = 1 << 2,
  RT_TF_BOLD = 1 << 3,
  RT_TF_ITALIC = 1 << 4,
  RT_TF_UNDERLINE = 1 << 5,
  RT_TF_ALIGN = 1 << 6,
  RT_TF_LEADING = 1 << 7,
  RT_TF_LETTER_SPACING = 1 << 8
};

typedef struct rt_text_format {
  unsigned set;
  const char* font; /* when read back: owned by the module, valid until the next change */
  double size;
  int color;
  int bold;
  int italic;
  int underline;
  int align; /* 0 left, 1 center, 2 right, 3 justify */
  double leading;
  double letter_spacing;
} rt_text_format;

/* What freetype_import_font__2 reports about a font file. */
typedef struct rt_font_info {
  char family_name[128];
  char style_name[64];
  int bold;
  int italic;
} rt_font_info;

/*
 * Primitives (symbol names as exported; all have C linkage):
 *
 *   void      rt_set_loader__1(const rt_loader_callbacks*)              optional
 *   void      rt_create_main_frame__MULT(const rt_main_frame_args*)
 *   void      rt_close__0(void)                    ends the event loop, closes the window
 *   rt_handle rt_get_frame_stage__1(rt_handle frame)
 *   void      rt_set_stage_handler__4(rt_handle stage, const rt_stage_handler*, int width, int height)
 *   void      rt_render_stage__1(rt_handle stage)
 *   void      rt_stage_set_next_wake__2(rt_handle stage, double seconds)   from now
 *   void      rt_stage_set_color__2(rt_handle stage, int rgb)       background colour
 *   int       rt_stage_get_stage_width__1(rt_handle stage)
 *   int       rt_stage_get_stage_height__1(rt_handle stage)
 *   int       rt_stage_get_display_state__1(rt_handle stage)          0 normal, 1 full screen
 *   void      rt_stage_set_display_state__2(rt_handle stage, int state)
 *   double    rt_time_stamp__0(void)                                 seconds, never decreasing
 *
 *   rt_handle rt_create_display_object__0(void)                      a leaf (shape)
 *   rt_handle rt_create_display_object_container__0(void)
 *   int       rt_display_object_get_id__1(rt_handle node)
 *   void      rt_display_object_set_{x,y,rotation,scale_x,scale_y,width,height,alpha}__2(rt_handle, double)
 *   double    rt_display_object_get_{x,y,rotation,scale_x,scale_y,width,height,alpha}__1(rt_handle)
 *   void      rt_display_object_set_visible__2(rt_handle, int)
 *   int       rt_display_object_get_visible__1(rt_handle)
 *   void      rt_display_object_set_mouse_enabled__2(rt_handle, int)
 *   void      rt_display_object_global_to_local__3(rt_handle node, double* x, double* y)   in place
 *   rt_handle rt_display_object_get_graphics__1(rt_handle node)
 *   void      rt_doc_add_child__2(rt_handle parent, rt_handle child)
 *   void      rt_doc_remove_child__2(rt_handle parent, int index)
 *   void      rt_doc_set_child_index__3(rt_handle parent, rt_handle child, int index)
 *   void      rt_release_node__1(rt_handle node)      the program no longer refers to the node
 *
 *   void      rt_gfx_clear__1(rt_handle graphics)
 *   void      rt_gfx_begin_fill__3(rt_handle graphics, int rgb, double alpha)
 *   void      rt_gfx_end_fill__1(rt_handle graphics)
 *   void      rt_gfx_line_style__MULT(const rt_line_style_args*)
 *   void      rt_gfx_move_to__3(rt_handle graphics, double x, double y)
 *   void      rt_gfx_line_to__3(rt_handle graphics, double x, double y)
 *   void      rt_gfx_draw_rect__5(rt_handle graphics, double x, double y, double w, double h)
 *   void      rt_gfx_draw_ellipse__5(rt_handle graphics, double x, double y, double w, double h)
 *
 *   rt_handle rt_text_field_create__0(void)                          a display object node
 *   void      rt_text_field_set_def_text_format__2(rt_handle field, const rt_text_format*)
 *   void      rt_text_field_get_def_text_format__2(rt_handle field, rt_text_format* out)
 *   void      rt_text_field_set_text__2(rt_handle field, const char* text)
 *   const char* rt_text_field_get_text__1(rt_handle field)           valid until the next change
 *   void      rt_text_field_set_selectable__2(rt_handle field, int)
 *   void      rt_text_field_set_type__2(rt_handle field, int is_input)
 *
 *   int       freetype_import_font__2(const rt_bytes* file, rt_font_info* out)   1 on success
 *   void      rt_font_register_font__2(const char* family, const rt_bytes* file)  bytes are copied
 *   int       rt_byte_array_read_file__2(const char* path, rt_bytes* out)         1 on success
 *   void      rt_buffer_free__1(const rt_bytes* bytes)               frees what the module returned
 */

#ifdef __cplusplus
}
#endif

#endif
