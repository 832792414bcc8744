// The headless module makes no sound: it opens no output, so by the
// contract every other sound primitive changes nothing and no voice plays.
#include <cstdio>

#include "runtime/common/Export.h"
#include "runtime/contract/gfxrt.h"

// NOLINTBEGIN(bugprone-reserved-identifier): the primitives' exported names
GFXRT_EXPORT int rt_audio_open__1(rt_audio_args* args) {
    if (args) {
        std::snprintf(args->error, sizeof args->error, "%s", "the headless module makes no sound");
    }
    return 0;
}

GFXRT_EXPORT int rt_sound_play__1(const rt_sound*) { return 0; }
GFXRT_EXPORT void rt_sound_change__2(int, const rt_sound*) {}
GFXRT_EXPORT void rt_sound_stop__1(int) {}
GFXRT_EXPORT void rt_audio_set_volume__2(int, double) {}
GFXRT_EXPORT void rt_audio_pause__1(int) {}
// NOLINTEND(bugprone-reserved-identifier)
