// Definitions of primitives as a module writes them (see
// runtime/common/Primitives.cpp), compiled by ModuleSignatureTest.cpp with
// the module's own options and one VYN_... macro naming the variant: the
// definitions as gfxrt.h declares them, or one that differs from its
// declaration in one way. Not part of any target.
#include "runtime/common/Export.h"
#include "runtime/contract/gfxrt.h"

#if defined(VYN_AS_DECLARED)
GFXRT_EXPORT int rt_interface_version__0(void) { return RT_INTERFACE_VERSION; }
// A value parameter's own const is no part of the signature.
GFXRT_EXPORT void rt_gfx_move_to__3(rt_draw_list*, const double, const double) {}
GFXRT_EXPORT void rt_gfx_line_style__MULT(const rt_line_style_args*) {}
GFXRT_EXPORT const char* rt_text_field_get_text__1(rt_text_field*) { return ""; }
GFXRT_EXPORT void rt_set_stage_handler__4(rt_node*, const rt_stage_handler*, int, int) {}
#elif defined(VYN_OTHER_PARAMETER_TYPE)
GFXRT_EXPORT void rt_display_object_set_x__2(rt_node*, int) {}
#elif defined(VYN_OTHER_RETURN_TYPE)
GFXRT_EXPORT int rt_gfx_clear__1(rt_draw_list*) { return 0; }
#elif defined(VYN_ONE_PARAMETER_MORE)
GFXRT_EXPORT void rt_stage_set_color__2(rt_node*, int, int) {}
#elif defined(VYN_ONE_PARAMETER_LESS)
GFXRT_EXPORT void rt_set_stage_handler__4(rt_node*, const rt_stage_handler*, int) {}
#elif defined(VYN_OTHER_HANDLE_KIND)
GFXRT_EXPORT void rt_gfx_end_fill__1(rt_node*) {}
#elif defined(VYN_CONST_DROPPED)
GFXRT_EXPORT void rt_gfx_line_style__MULT(rt_line_style_args*) {}
#elif defined(VYN_UNDECLARED_NAME)
GFXRT_EXPORT void rt_gfx_move_too__3(rt_draw_list*, double, double) {}
#else
#error "no variant named"
#endif
