// vossaFloor: the frame benchmark's floor. Opens the same full-screen window and OpenGL context
// as the game's shell (RGBA 8 bits each, depth 24, double buffer, 4x multisample, the first
// display's current mode) and draws frames that only clear colour and depth and swap, as fast
// as they go (no frame pacing). Prints the frames drawn, the seconds they took, the frames per
// second and the mean milliseconds per frame on one line:
//   floor frames=N seconds=S fps=F ms=M cpums=C size=WxH samples=S
// (C: the process's CPU time per frame, all threads), and the renderer on a second line.
// Usage: vossa_floor [FRAMES] [backdrop] (default 600 frames; the first 30 frames are a warm-up,
// not counted). With "backdrop" each frame also fills the screen with one opaque two-colour
// gradient, as the game's backdrop does: the least a frame of the game draws. The line then
// begins with "backdrop" instead of "floor".
#include <GL/gl.h>
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace
{
double CpuSeconds()
{
    timespec ts;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}
} // namespace

int main(int argc, char** argv)
{
    const int frames = argc > 1 ? atoi(argv[1]) : 600;
    const bool backdrop = argc > 2 && strcmp(argv[2], "backdrop") == 0;
    const int warmUp = 30;
    if (frames <= 0 || SDL_Init(SDL_INIT_VIDEO) != 0)
    {
        fprintf(stderr, "vossa_floor: cannot start (%s)\n", SDL_GetError());
        return 1;
    }
    SDL_DisplayMode mode;
    if (SDL_GetCurrentDisplayMode(0, &mode) != 0)
    {
        fprintf(stderr, "vossa_floor: no display mode (%s)\n", SDL_GetError());
        SDL_Quit();
        return 1;
    }
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, 1);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, 4);
    SDL_Window* window =
        SDL_CreateWindow(nullptr, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, mode.w, mode.h,
                         SDL_WINDOW_FULLSCREEN | SDL_WINDOW_OPENGL);
    SDL_GLContext context = window ? SDL_GL_CreateContext(window) : nullptr;
    if (context == nullptr)
    {
        fprintf(stderr, "vossa_floor: no window or context (%s)\n", SDL_GetError());
        if (window)
        {
            SDL_DestroyWindow(window);
        }
        SDL_Quit();
        return 1;
    }
    int width = 0, height = 0, samples = 0;
    SDL_GetWindowSize(window, &width, &height);
    SDL_GL_GetAttribute(SDL_GL_MULTISAMPLESAMPLES, &samples);
    glViewport(0, 0, width, height);
    glClearColor(0.0f, 0.0f, 0.2f, 1.0f);

    Uint64 start = 0;
    double cpuStart = 0;
    for (int i = 0; i < warmUp + frames; i++)
    {
        if (i == warmUp)
        {
            glFinish();
            start = SDL_GetPerformanceCounter();
            cpuStart = CpuSeconds();
        }
        SDL_Event event;
        while (SDL_PollEvent(&event))
        {
        }
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        if (backdrop)
        {
            // Screen corners in normalised device coordinates, orange below, blue above.
            glBegin(GL_TRIANGLES);
            const float x[6] = {1, -1, -1, -1, 1, 1}, y[6] = {-1, -1, 1, 1, 1, -1};
            for (int v = 0; v < 6; v++)
            {
                if (y[v] < 0)
                {
                    glColor4f(0.889f, 0.629f, 0.135f, 1.0f);
                }
                else
                {
                    glColor4f(0.085f, 0.405f, 0.729f, 1.0f);
                }
                glVertex3f(x[v], y[v], 0.0f);
            }
            glEnd();
        }
        SDL_GL_SwapWindow(window);
    }
    glFinish();
    const double seconds =
        double(SDL_GetPerformanceCounter() - start) / double(SDL_GetPerformanceFrequency());
    const double cpu = CpuSeconds() - cpuStart;
    printf("%s frames=%d seconds=%.3f fps=%.1f ms=%.2f cpums=%.2f size=%dx%d samples=%d\n",
           backdrop ? "backdrop" : "floor", frames, seconds, frames / seconds,
           1000.0 * seconds / frames, 1000.0 * cpu / frames, width, height, samples);
    printf("renderer %s | %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)),
           reinterpret_cast<const char*>(glGetString(GL_VERSION)));

    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
