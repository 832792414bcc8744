/*
 * The contract between the program and a display runtime module ("gfxrt").
 *
 * The program never links against a module. It loads one by name and looks up
 * each primitive by name and argument count: the exported symbol is
 * NAME "__" COUNT for 0 to 5 arguments, and NAME "__MULT" above that, in which
 * case the arguments travel as one struct (the "array" of arguments). The
 * primitives are declared at the end of this file.
 *
 * A module is built for one version of this contract and says which
 * (rt_interface_version__0); the program loads only a module of the version
 * it was built for.
 *
 * Handles are opaque and owned by the module, each kind of its own type.
 * Builds of a module with checks (without NDEBUG) end the process with a
 * message naming the primitive when one gets a handle that is stale (a node
 * already released, a frame that has ended), foreign (never given out by
 * this module) or of the wrong kind; a null handle is always accepted and
 * changes nothing. Strings are UTF-8 and only borrowed for the duration of
 * the call unless stated otherwise. Every module (the real SDL/Cairo one and
 * the headless one) exports the same primitives with exactly these
 * declarations.
 */
#ifndef VYN_RUNTIME_GFXRT_H
#define VYN_RUNTIME_GFXRT_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The version of this contract. Raise it with every change that a module
 * built before could not follow: a primitive's declaration or meaning, a
 * record passed across, a constant. */
#define RT_INTERFACE_VERSION 3

/* A display object: a shape, a container, a text field or a stage. A node
 * handle stays valid until rt_release_node__1; a stage's until then too,
 * across main frames. */
typedef struct rt_node rt_node;
/* The drawing list of a display object, valid while its node's handle is. */
typedef struct rt_draw_list rt_draw_list;
/* A text field, valid while its node's handle is. */
typedef struct rt_text_field rt_text_field;
/* A main frame, valid while it runs. */
typedef struct rt_main_frame rt_main_frame;

/* A text field is a display object too: its node (the same object). */
static inline rt_node* rt_text_field_node(rt_text_field* field) { return (rt_node*)field; }

/* Bytes handed to the module (borrowed) or returned by it (owned by the
 * receiver, released with rt_buffer_free__1). */
typedef struct rt_bytes {
    const unsigned char* data;
    size_t size;
} rt_bytes;

/* One native event, as the module hands it to the stage's handler. The handler
 * may write "result" before it returns. "id" names the display object the
 * event concerns (the focused or hit object, the stage's own id when none).
 * Mouse events carry window pixels in x and y (resize events the window's
 * new size); the stage point under the pointer is what rt_view_to_stage
 * makes of them. */
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

/* Event types (rt_event.type) the program acts on. These modules send key
 * down and up, mouse move, button down and up, resize, poll, quit, redraw,
 * activate and deactivate; the others come from none of them. */
enum {
    RT_EVENT_KEY_DOWN = 1,
    RT_EVENT_CHAR = 2,
    RT_EVENT_KEY_UP = 3,
    RT_EVENT_MOUSE_MOVE = 4,
    RT_EVENT_MOUSE_DOWN = 5,
    RT_EVENT_MOUSE_CLICK = 6,
    RT_EVENT_MOUSE_UP = 7,
    RT_EVENT_RESIZE = 8, /* the new size in x and y */
    RT_EVENT_POLL = 9,
    RT_EVENT_QUIT = 10,
    RT_EVENT_FOCUS = 11,
    RT_EVENT_SHOULD_ROTATE = 12, /* "value": the orientation asked about */
    RT_EVENT_REDRAW = 14,
    RT_EVENT_ACTIVATE = 20,
    RT_EVENT_DEACTIVATE = 21,
    RT_EVENT_GOT_INPUT_FOCUS = 22,
    RT_EVENT_LOST_INPUT_FOCUS = 23
};

/* Modifier and state bits of rt_event.flags. */
enum {
    RT_EF_LEFT_DOWN = 0x0001,
    RT_EF_SHIFT_DOWN = 0x0002,
    RT_EF_CTRL_DOWN = 0x0004,
    RT_EF_ALT_DOWN = 0x0008,
    RT_EF_COMMAND_DOWN = 0x0010,
    RT_EF_LOCATION_RIGHT = 0x4000,
    RT_EF_NO_NATIVE_CLICK = 0x10000,
    RT_EF_REPEAT = 0x20000 /* a key-down of a key already down: the key's auto-repeat */
};

/* What the program's handler writes into rt_event.result. */
enum {
    RT_RESULT_CANCELLED = 1, /* a key event: a listener stopped it */
    RT_RESULT_ROTATE = 2     /* a should-rotate event: the orientation is accepted */
};

/* Mouse buttons (rt_event.value of button events). The wheel comes as a
 * button-up of one of its two buttons. */
enum {
    RT_BUTTON_LEFT = 0,
    RT_BUTTON_MIDDLE = 1,
    RT_BUTTON_RIGHT = 2,
    RT_BUTTON_WHEEL_UP = 3,
    RT_BUTTON_WHEEL_DOWN = 4
};

/* Key codes (rt_event.value of key events), as the program knows keys:
 * letters 65-90 (the upper-case ASCII letter), digits 48-57 (the ASCII
 * digit), Shift 16, Enter 13, the arrows 37-40, F1-F12 112-123, keypad
 * digits 96-105; 0 for a key without one. */
enum {
    RT_KEY_BACKSPACE = 8,
    RT_KEY_TAB = 9,
    RT_KEY_ENTER = 13,
    RT_KEY_COMMAND = 15,
    RT_KEY_SHIFT = 16,
    RT_KEY_CONTROL = 17,
    RT_KEY_ALT = 18,
    RT_KEY_PAUSE = 19,
    RT_KEY_CAPS_LOCK = 20,
    RT_KEY_ESCAPE = 27,
    RT_KEY_SPACE = 32,
    RT_KEY_PAGE_UP = 33,
    RT_KEY_PAGE_DOWN = 34,
    RT_KEY_END = 35,
    RT_KEY_HOME = 36,
    RT_KEY_LEFT = 37,
    RT_KEY_UP = 38,
    RT_KEY_RIGHT = 39,
    RT_KEY_DOWN = 40,
    RT_KEY_INSERT = 45,
    RT_KEY_DELETE = 46,
    RT_KEY_0 = 48, /* to RT_KEY_0 + 9 */
    RT_KEY_A = 65, /* to RT_KEY_Z */
    RT_KEY_D = 68,
    RT_KEY_G = 71,
    RT_KEY_M = 77,
    RT_KEY_O = 79,
    RT_KEY_R = 82,
    RT_KEY_S = 83,
    RT_KEY_W = 87,
    RT_KEY_Z = 90,
    RT_KEY_NUMPAD_0 = 96, /* to RT_KEY_NUMPAD_0 + 9 */
    RT_KEY_NUMPAD_MULTIPLY = 106,
    RT_KEY_NUMPAD_ADD = 107,
    RT_KEY_NUMPAD_SUBTRACT = 109,
    RT_KEY_NUMPAD_DECIMAL = 110,
    RT_KEY_NUMPAD_DIVIDE = 111,
    RT_KEY_F1 = 112, /* to RT_KEY_F1 + 11 */
    RT_KEY_NUM_LOCK = 144,
    RT_KEY_SCROLL_LOCK = 145,
    RT_KEY_SEMICOLON = 186,
    RT_KEY_EQUAL = 187,
    RT_KEY_COMMA = 188,
    RT_KEY_MINUS = 189,
    RT_KEY_PERIOD = 190,
    RT_KEY_SLASH = 191,
    RT_KEY_BACKQUOTE = 192,
    RT_KEY_LEFT_BRACKET = 219,
    RT_KEY_BACKSLASH = 220,
    RT_KEY_RIGHT_BRACKET = 221,
    RT_KEY_QUOTE = 222
};

/* The character a key types (rt_event.code and .char_code of key events) on
 * a US layout, with Shift up or down; Caps Lock reverses Shift for letters.
 * Enter types 13, Backspace 8, Tab 9, Escape 27, Delete 127; keys that type
 * no character give 0. */
static inline int rt_key_char(int key, int shift, int caps_lock) {
    if (key >= RT_KEY_A && key <= RT_KEY_Z) {
        return ((shift != 0) != (caps_lock != 0) ? 'A' : 'a') + (key - RT_KEY_A);
    }
    if (key >= RT_KEY_0 && key <= RT_KEY_0 + 9) {
        return shift ? ")!@#$%^&*("[key - RT_KEY_0] : '0' + (key - RT_KEY_0);
    }
    if (key >= RT_KEY_NUMPAD_0 && key <= RT_KEY_NUMPAD_0 + 9) {
        return '0' + (key - RT_KEY_NUMPAD_0);
    }
    switch (key) {
        case RT_KEY_BACKSPACE:
            return 8;
        case RT_KEY_TAB:
            return 9;
        case RT_KEY_ENTER:
            return 13;
        case RT_KEY_ESCAPE:
            return 27;
        case RT_KEY_SPACE:
            return ' ';
        case RT_KEY_DELETE:
            return 127;
        case RT_KEY_SEMICOLON:
            return shift ? ':' : ';';
        case RT_KEY_EQUAL:
            return shift ? '+' : '=';
        case RT_KEY_COMMA:
            return shift ? '<' : ',';
        case RT_KEY_MINUS:
            return shift ? '_' : '-';
        case RT_KEY_PERIOD:
            return shift ? '>' : '.';
        case RT_KEY_SLASH:
            return shift ? '?' : '/';
        case RT_KEY_BACKQUOTE:
            return shift ? '~' : '`';
        case RT_KEY_LEFT_BRACKET:
            return shift ? '{' : '[';
        case RT_KEY_BACKSLASH:
            return shift ? '|' : '\\';
        case RT_KEY_RIGHT_BRACKET:
            return shift ? '}' : ']';
        case RT_KEY_QUOTE:
            return shift ? '"' : '\'';
        default:
            return 0;
    }
}

/* A function of the program with its context pointer. */
typedef struct rt_frame_callback {
    void (*fn)(void* context, rt_main_frame* frame);
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

/* Window-creation flags. The modules act on the first three; the others
 * are the program's wishes, accepted and ignored. */
enum {
    RT_WINDOW_FULLSCREEN = 1,
    RT_WINDOW_BORDERLESS = 2,
    RT_WINDOW_RESIZABLE = 4,
    RT_WINDOW_HARDWARE = 8,
    RT_WINDOW_VSYNC = 16,
    RT_WINDOW_HW_AA = 32,
    RT_WINDOW_HW_AA_HIRES = 96,
    RT_WINDOW_ALLOW_SHADERS = 128,
    RT_WINDOW_REQUIRE_SHADERS = 256,
    RT_WINDOW_DEPTH_BUFFER = 512,
    RT_WINDOW_STENCIL_BUFFER = 1024
};

/* Display states of a stage. */
enum { RT_DISPLAY_NORMAL = 0, RT_DISPLAY_FULL_SCREEN = 1 };

/* How the stage lies in its window (rt_stage_set_view__2): the stage point
 * (sx, sy) is drawn at the window pixel (x + scale_x * sx, y + scale_y * sy).
 * With "clip" set only the stage's area, "width" by "height" stage units from
 * its origin, is shown: the rest of the window is the background colour, and
 * the mouse hits nothing there but the stage. A stage starts with one stage
 * pixel per window pixel: scales 1, offsets 0, no clip. */
typedef struct rt_view {
    double scale_x;
    double scale_y;
    double x;
    double y;
    int clip;
    double width;
    double height;
} rt_view;

/* The stage point at the window pixel (*x, *y), in place. Both sides use it:
 * the module to find the object under the mouse, the program for the
 * event's coordinates. */
static inline void rt_view_to_stage(const rt_view* view, double* x, double* y) {
    *x = (*x - view->x) / view->scale_x;
    *y = (*y - view->y) / view->scale_y;
}

/* Whether the stage point (x, y) is shown by the view. */
static inline int rt_view_shows(const rt_view* view, double x, double y) {
    return !view->clip || (x >= 0 && y >= 0 && x < view->width && y < view->height);
}

/* rt_create_main_frame__MULT: opens the window, calls on_frame once with the
 * frame handle and then runs the native event loop until the window closes.
 * Returns when the loop ends. */
typedef struct rt_main_frame_args {
    rt_frame_callback on_frame;
    int width;
    int height;
    int flags; /* RT_WINDOW_... flags, or-ed together */
    const char* title;
    const char* icon; /* unused; null */
} rt_main_frame_args;

/* Line scale modes: a normal line scales with the object, the others keep
 * their thickness in pixels. */
enum { RT_SCALE_NORMAL = 0, RT_SCALE_NONE = 1, RT_SCALE_VERTICAL = 2, RT_SCALE_HORIZONTAL = 3 };
/* Line ends and corners. */
enum { RT_CAPS_ROUND = 0, RT_CAPS_NONE = 1, RT_CAPS_SQUARE = 2 };
enum { RT_JOINTS_ROUND = 0, RT_JOINTS_MITER = 1, RT_JOINTS_BEVEL = 2 };

/* rt_gfx_line_style__MULT. A thickness below 0 means "no line", 0 a hairline
 * one pixel wide. */
typedef struct rt_line_style_args {
    rt_draw_list* graphics;
    double thickness;
    int color;
    double alpha;
    int pixel_hinting;
    int scale_mode; /* RT_SCALE_... */
    int caps;       /* RT_CAPS_... */
    int joints;     /* RT_JOINTS_... */
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

/* Text alignments (justified text is laid out as left-aligned). */
enum { RT_ALIGN_LEFT = 0, RT_ALIGN_CENTER = 1, RT_ALIGN_RIGHT = 2, RT_ALIGN_JUSTIFY = 3 };

typedef struct rt_text_format {
    unsigned set;
    const char* font; /* when read back: owned by the module, valid until the next change */
    double size;
    int color;
    int bold;
    int italic;
    int underline;
    int align; /* RT_ALIGN_... */
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

/* Sound. The module makes every sound itself, from the few numbers of an
 * rt_sound: one oscillator (or noise), an envelope, a pitch slide and a
 * low-pass filter. Voices play on one of two buses, each with its own
 * volume; the module mixes them into one output. Numbers out of range are
 * brought into it (frequencies and cutoffs below half the rate, levels 0 to
 * 1); one that is not a number counts as 0. */

/* Waves of an oscillator. Noise takes a new random level once per cycle of
 * the frequency (at frequency 0, every sample: white noise); the same sound
 * makes the same noise every time. */
enum { RT_WAVE_SINE = 0, RT_WAVE_TRIANGLE = 1, RT_WAVE_SQUARE = 2, RT_WAVE_SAW = 3, RT_WAVE_NOISE = 4 };
/* Buses. */
enum { RT_BUS_EFFECTS = 0, RT_BUS_AMBIENCE = 1 };

/* One voice. Times are seconds, frequencies Hz, levels 0 to 1. */
typedef struct rt_sound {
    int bus;              /* RT_BUS_... */
    int wave;             /* RT_WAVE_... */
    double delay;         /* before the voice starts */
    double frequency;     /* at the start */
    double frequency_end; /* reached after "slide", exponentially; 0: no slide */
    double slide;
    double attack;        /* from silence to full level (at least 1 ms, as the release) */
    double decay;         /* from full level down to "sustain" */
    double sustain;       /* the level held */
    double hold;          /* how long "sustain" is held; below 0: until rt_sound_stop__1 */
    double release;       /* from the level reached down to silence */
    double volume;        /* the voice's own volume */
    double noise;         /* the share of noise mixed into the wave */
    double cutoff;        /* of the low-pass filter (two poles) at the start; 0: no filter */
    double cutoff_end;    /* reached after "slide"; 0: stays at "cutoff" */
    double tremolo_rate;  /* of a slow swell of the level; 0: none */
    double tremolo_depth; /* the share of the level it takes away at its lowest */
    double detune;        /* a second oscillator at frequency * (1 + detune), mixed half and half; 0: none */
} rt_sound;

/* rt_audio_open__1: the output's wishes; "error" says why no device plays. */
typedef struct rt_audio_args {
    int rate;          /* samples per second, per channel (0: 48 000) */
    int buffer_frames; /* the device's buffer in frames, at most 1024 (0: 512) */
    char error[256];
} rt_audio_args;

/*
 * Primitives. Each is declared here once, with C linkage, under the name it
 * is exported by; every module defines it with exactly this declaration and
 * the program takes its type from it, so a definition or a call that does
 * not agree with it does not compile.
 */

/* The names carry the double underscore of the exported symbols.
 * NOLINTBEGIN(bugprone-reserved-identifier) */

/* Module and main frame. */

/* The interface version the module was built for, RT_INTERFACE_VERSION. The
 * program asks for it first, when it loads the module, and refuses a module
 * of another version (or none). */
int rt_interface_version__0(void);
/* Optional: the program's services, handed over once, right after the
 * module's version has been accepted. */
void rt_set_loader__1(const rt_loader_callbacks* callbacks);
/* Opens the window and runs its loop: see rt_main_frame_args. */
void rt_create_main_frame__MULT(const rt_main_frame_args* args);
/* Ends the event loop and closes the window. */
void rt_close__0(void);
rt_node* rt_get_frame_stage__1(rt_main_frame* frame);
/* Seconds, never decreasing. */
double rt_time_stamp__0(void);

/* The stage. These take the node of a stage only. */

void rt_set_stage_handler__4(rt_node* stage, const rt_stage_handler* handler, int width, int height);
void rt_render_stage__1(rt_node* stage);
/* Wake the program "seconds" from now. */
void rt_stage_set_next_wake__2(rt_node* stage, double seconds);
/* The background colour. */
void rt_stage_set_color__2(rt_node* stage, int rgb);
/* The window's size in pixels (the image's, headless). */
int rt_stage_get_stage_width__1(rt_node* stage);
int rt_stage_get_stage_height__1(rt_node* stage);
/* How the stage lies in the window from now on: see rt_view. The module
 * draws the tree through it at the window's own resolution and finds the
 * object under the mouse through it. A view with a scale that is not a
 * finite number above 0, or another field not finite, is refused: logged,
 * and the view stays as it was. */
void rt_stage_set_view__2(rt_node* stage, const rt_view* view);
/* RT_DISPLAY_... */
int rt_stage_get_display_state__1(rt_node* stage);
void rt_stage_set_display_state__2(rt_node* stage, int state);

/* Display objects. */

/* A leaf (a shape). */
rt_node* rt_create_display_object__0(void);
rt_node* rt_create_display_object_container__0(void);
int rt_display_object_get_id__1(rt_node* node);
void rt_display_object_set_x__2(rt_node* node, double x);
double rt_display_object_get_x__1(rt_node* node);
void rt_display_object_set_y__2(rt_node* node, double y);
double rt_display_object_get_y__1(rt_node* node);
void rt_display_object_set_rotation__2(rt_node* node, double degrees);
double rt_display_object_get_rotation__1(rt_node* node);
void rt_display_object_set_scale_x__2(rt_node* node, double scale);
double rt_display_object_get_scale_x__1(rt_node* node);
void rt_display_object_set_scale_y__2(rt_node* node, double scale);
double rt_display_object_get_scale_y__1(rt_node* node);
void rt_display_object_set_width__2(rt_node* node, double width);
double rt_display_object_get_width__1(rt_node* node);
void rt_display_object_set_height__2(rt_node* node, double height);
double rt_display_object_get_height__1(rt_node* node);
void rt_display_object_set_alpha__2(rt_node* node, double alpha);
double rt_display_object_get_alpha__1(rt_node* node);
void rt_display_object_set_visible__2(rt_node* node, int visible);
int rt_display_object_get_visible__1(rt_node* node);
void rt_display_object_set_mouse_enabled__2(rt_node* node, int enabled);
/* Turns the stage point (*x, *y) into the node's coordinates, in place. */
void rt_display_object_global_to_local__3(rt_node* node, double* x, double* y);
rt_draw_list* rt_display_object_get_graphics__1(rt_node* node);
void rt_doc_add_child__2(rt_node* parent, rt_node* child);
void rt_doc_remove_child__2(rt_node* parent, int index);
void rt_doc_set_child_index__3(rt_node* parent, rt_node* child, int index);
/* The program no longer refers to the node. */
void rt_release_node__1(rt_node* node);

/* Drawing. */

void rt_gfx_clear__1(rt_draw_list* graphics);
void rt_gfx_begin_fill__3(rt_draw_list* graphics, int rgb, double alpha);
void rt_gfx_end_fill__1(rt_draw_list* graphics);
/* See rt_line_style_args. */
void rt_gfx_line_style__MULT(const rt_line_style_args* args);
void rt_gfx_move_to__3(rt_draw_list* graphics, double x, double y);
void rt_gfx_line_to__3(rt_draw_list* graphics, double x, double y);
void rt_gfx_draw_rect__5(rt_draw_list* graphics, double x, double y, double w, double h);
void rt_gfx_draw_ellipse__5(rt_draw_list* graphics, double x, double y, double w, double h);

/* Text. */

/* A display object too (rt_text_field_node). */
rt_text_field* rt_text_field_create__0(void);
void rt_text_field_set_def_text_format__2(rt_text_field* field, const rt_text_format* format);
void rt_text_field_get_def_text_format__2(rt_text_field* field, rt_text_format* out);
void rt_text_field_set_text__2(rt_text_field* field, const char* text);
/* Valid until the next change. */
const char* rt_text_field_get_text__1(rt_text_field* field);
void rt_text_field_set_selectable__2(rt_text_field* field, int selectable);
void rt_text_field_set_type__2(rt_text_field* field, int is_input);

/* Fonts and files. */

/* 1 on success. */
int freetype_import_font__2(const rt_bytes* file, rt_font_info* out);
/* The bytes are copied. */
void rt_font_register_font__2(const char* family, const rt_bytes* file);
/* 1 on success; the bytes are the caller's, freed with rt_buffer_free__1. */
int rt_byte_array_read_file__2(const char* path, rt_bytes* out);
/* Frees what the module returned. */
void rt_buffer_free__1(const rt_bytes* bytes);

/* Sound. */

/* Opens the audio output: 1 when a device plays, 0 when none can be opened
 * (the headless module never opens one), with the reason in args->error.
 * Until it returns 1 the other sound primitives change nothing and
 * rt_sound_play__1 returns 0. The output starts on its own when a voice
 * plays and stops after a second without one (or paused). */
int rt_audio_open__1(rt_audio_args* args);
/* Starts a voice: its id (above 0, not given again for some two thousand
 * million plays), or 0 when it does not play (no output, every one of the 32
 * voices busy, a bus or wave the contract does not name). The mixer makes it
 * in its own thread, from the next buffer it renders. */
int rt_sound_play__1(const rt_sound* sound);
/* A playing voice takes the new frequency (no slide), volume, cutoff (0:
 * the filter opens), tremolo and detune, gliding to them over 8 ms; its
 * wave, bus, noise share and envelope stay. An id that no longer plays
 * changes nothing. */
void rt_sound_change__2(int voice, const rt_sound* sound);
/* The voice goes into its release (one still in its delay ends at once). */
void rt_sound_stop__1(int voice);
/* A bus's volume, 0 to 1; at 0 every later sample of it is silent. */
void rt_audio_set_volume__2(int bus, double volume);
/* While paused the voices stand where they are and the output is silent. */
void rt_audio_pause__1(int paused);

/* NOLINTEND(bugprone-reserved-identifier) */

#ifdef __cplusplus
}
#endif

#endif
