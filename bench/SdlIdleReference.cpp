// sdl-idle-reference: the least an SDL program can do at 60 frames per
// second: clear a 1120 × 630 window and present it each frame, sleeping in
// SDL's event wait until the next frame is due. The idle cost of `vyn` is
// measured against it (bench/idle.sh).
#include <SDL.h>

int main(int argc, char** argv) {
    const Uint32 seconds = argc > 1 ? static_cast<Uint32>(SDL_atoi(argv[1])) : 10;
    // The window's own pixels, as `vyn` presents them: no GPU texture.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
    SDL_Window* window = SDL_CreateWindow("reference", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 1120, 630, 0);
    if (window == nullptr) return 1;
    const Uint64 frequency = SDL_GetPerformanceFrequency();
    const Uint64 period = frequency / 60;
    const Uint64 start = SDL_GetPerformanceCounter();
    Uint64 next = start;
    bool running = true;
    while (running && SDL_GetPerformanceCounter() - start < seconds * frequency) {
        SDL_Surface* surface = SDL_GetWindowSurface(window);
        SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0x22, 0x22, 0x22));
        SDL_UpdateWindowSurface(window);
        next += period;
        SDL_Event event;
        for (;;) {
            const Uint64 now = SDL_GetPerformanceCounter();
            if (now >= next) break;
            const int ms = static_cast<int>((next - now) * 1000 / frequency);
            if (SDL_WaitEventTimeout(&event, ms > 0 ? ms : 0) && event.type == SDL_QUIT) running = false;
            if (ms == 0) break;
        }
    }
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
