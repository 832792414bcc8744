/*
 * Driver of the headless display module, for test harnesses and tools.
 *
 * The headless module exports the primitives of gfxrt.h like the real one,
 * but has no window: it draws into an in-memory image (the window's size;
 * resize events change it) with the same drawing code, and its event loop
 * runs on a virtual clock.
 *
 * The window flags make no difference but one: a stage opened with
 * RT_WINDOW_FULLSCREEN starts in the full-screen display state (its size is
 * still the one asked for).
 *
 * The loop. rt_create_main_frame__MULT opens the stage (virtual clock at 0),
 * calls on_frame and then repeats until the loop is stopped:
 *   - a queued event that is due (its time is not after the next wake time)
 *     is delivered: the clock moves to its time if that is later;
 *   - otherwise the clock jumps to the wake time the program asked for with
 *     rt_stage_set_next_wake__2 (if it is later) and a poll event (type 9)
 *     is delivered. Two polls never share a time: a poll that would come at
 *     the previous poll's time or earlier comes the minimum step (1 ms unless
 *     set) after it, so a program that keeps asking to be woken "now" still
 *     sees time pass. Before the first request the wake time is 0.
 * The loop ends on rt_close__0, on stop() from the driver, after a quit event
 * (type 10) has been handled, when the next wake lies beyond the end time
 * (set_end_time) or is infinitely far with no event queued, or when the
 * program has installed no handler. Events still
 * queued when a loop ends are dropped; events pushed before a loop starts
 * are kept for it.
 *
 * Event records. An event pushed with "id" 0 gets the id filled in when it
 * is delivered: for mouse events (types 4 to 7) the hit object at the window
 * point (x, y),
 * otherwise the stage's id. A resize event (type 8) first resizes the stage
 * and the image to (x, y). Poll events carry the stage's id.
 *
 * Getting at the driver. The module exports one more symbol, "rth_get_api"
 * (declared below), with C linkage; the real module does not. A harness
 * opens the same module file the program uses, which returns the already
 * loaded module, checks its interface version (rt_interface_version__0) as
 * the program does, and asks it for the table, whose version it checks too.
 * The program's own drivers do all of it through the display layer's loader
 * (gfx::Loader::headlessDriver, display/Loader.h).
 *
 * All calls happen on the program's one thread: before rt_create_main_frame,
 * from the hook, or from the program's own handler.
 */
#ifndef VYN_RUNTIME_GFXRT_HEADLESS_H
#define VYN_RUNTIME_GFXRT_HEADLESS_H

#include "gfxrt.h"

#ifdef __cplusplus
extern "C" {
#endif

#define RTH_API_VERSION 2

/* Why the hook is called. */
enum {
    RTH_AFTER_EVENT = 1, /* the program's handler returned from "event" */
    RTH_AFTER_RENDER = 2 /* rt_render_stage__1 drew a frame; "event" is null */
};

typedef void (*rth_hook_fn)(void* context, int what, const rt_event* event);

typedef struct rth_api {
    int version; /* RTH_API_VERSION */

    /* Queues an event, delivered before the next poll (in push order). */
    void (*push_event)(const rt_event* event);
    /* Queues an event for a clock time; due events go in time order, events
     * of the same time in push order, and always before a poll of that time. */
    void (*push_event_at)(double time, const rt_event* event);
    /* Called after every handler call and after every render; null for none.
     * Stays installed across loops. */
    void (*set_hook)(rth_hook_fn fn, void* context);
    /* Ends the loop once the current handler call or render is over. */
    void (*stop)(void);
    /* 1 while a loop runs. */
    int (*is_running)(void);

    /* The virtual clock, in seconds (what rt_time_stamp__0 returns). */
    double (*time)(void);
    /* Moves the clock forward to the given time (never backwards). */
    void (*advance_time)(double seconds);
    /* The least a poll moves the clock on when the wake time has passed. */
    void (*set_min_step)(double seconds);
    /* The loop ends instead of waking, or delivering a timed event, later
     * than this; infinity by default. Stays set across loops. */
    void (*set_end_time)(double seconds);

    /* The stage of the running (or last) loop: its handle and id, 0 if none. */
    rt_node* (*stage)(void);
    int (*stage_id)(void);
    /* The id the module would put into a mouse event at this window point
     * (the stage point under it, through the stage's view). */
    int (*hit_test)(double x, double y);

    /* Frames drawn by rt_render_stage__1 in this loop. */
    int (*render_count)(void);
    /* Objects that painted something in the last frame (culled ones do not). */
    int (*painted_count)(void);
    /* The last frame: its size, one pixel as 0xRRGGBB (0 outside), all pixels
     * (Cairo RGB24: 32 bits per pixel, native-endian 0x00RRGGBB; null before
     * the first frame), saved as PNG (1 on success). */
    int (*frame_width)(void);
    int (*frame_height)(void);
    unsigned (*pixel)(int x, int y);
    const unsigned char* (*pixels)(int* width, int* height, int* stride);
    int (*save_png)(const char* path);

    /* Since version 2. Whether rt_render_stage__1 rasterises every frame (1,
     * the default) or only counts it and calls the hook (0). With 0 a frame
     * is rasterised when one of the reads above (painted_count and the
     * frame's size and pixels) asks for it, from the tree as it is at that
     * moment: a driver that wants a frame reads it from the render hook.
     * Stays set across loops. */
    void (*set_draw_every_frame)(int on);
    /* Frames rasterised in this loop (render_count counts those drawn on
     * request too, rasterised or not). */
    int (*drawn_count)(void);
    /* Text fields laid out while drawing in this loop: a field is laid out
     * when first drawn and again only after its text, format or box (or the
     * scale it is drawn at) has changed. */
    int (*text_layout_count)(void);
} rth_api;

/* The driver table; exported by the headless module only. */
const rth_api* rth_get_api(void);
typedef const rth_api* (*rth_get_api_fn)(void);

#ifdef __cplusplus
}
#endif

#endif
