// krSDLWrapper: start-up, the paced main loop, event dispatch to the hooks, the camera
// transform and shutdown of the engine's application object.
#include "app/krSDLWrapper.h"

#include <GL/gl.h>
#include <SDL2_framerate.h>
#include <SDL_mixer.h>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "gui/krGUIManager.h"
#include "gui/krGUIPicture.h"
#include "gui/krGUIResource.h"
#include "gui/krGUIScale.h"
#include "render/krGLBuffers.h"

int32_t GlobalScreenWidth = -1;
int32_t GlobalScreenHeight = -1;

namespace
{
const int kFrameRate = 60;
// A press this many milliseconds (or fewer) after the last accepted release is a double click.
const uint32_t kDoubleClickTicks = 199;
// tan(30 degrees) / 10: half the height of the near plane at distance 0.1.
const float kFrustumHalf = 0.0577350296f;
const float kNearPlane = 0.1f;
const float kFarPlane = 100.0f;
const int kLogoWidth = 256;
const int kLogoHeight = 64;
const int kLogoTicks = 180;
} // namespace

krSDLWrapper::krSDLWrapper(int width, int height, bool fullScreen, bool resizable)
    : width(width), height(height), aspect(0.0f), frameCount(0), window(nullptr),
      glContext(nullptr), fullScreen(fullScreen),
      resizable(resizable), camPosition{0, 0, 11}, camAngle{0, 0, 0}, mouseX(0), mouseY(0),
      prevMouseX(0), prevMouseY(0), dragDeltaX(0), dragDeltaY(0), rightButtonDown(false),
      leftButtonDown(false), wheelStep(2.0f), lastClickTicks(0), quitRequested(false),
      guiManager(nullptr)
{
}

krSDLWrapper::~krSDLWrapper()
{
    gamepads.CloseAll();
    delete guiManager;
    guiManager = nullptr;
    if (window)
    {
        SDL_DestroyWindow(window);
        window = nullptr;
    }
    if (glContext)
    {
        SDL_GL_DeleteContext(glContext);
        glContext = nullptr;
    }
    Mix_CloseAudio();
    SDL_CloseAudio();
    SDL_Quit();
}

void krSDLWrapper::Render() {}
void krSDLWrapper::OnUpdate() {}
bool krSDLWrapper::OnBeforeInit()
{
    return true;
}
void krSDLWrapper::OnBeforeClose() {}
bool krSDLWrapper::OnAfterInit()
{
    return true;
}
void krSDLWrapper::OnLMBUp(int, int) {}
void krSDLWrapper::OnMouseMotion(int, int, int, int) {}
void krSDLWrapper::OnKeyDown(unsigned) {}
void krSDLWrapper::OnKeyUp(unsigned) {}

unsigned krSDLWrapper::GetKeyMods() const
{
    // Events are taken in batches: by the time one is dispatched, SDL's held state may
    // already be that of a later event of the batch.
    return dispatchingKey ? keyMods : static_cast<unsigned>(SDL_GetModState());
}

void krSDLWrapper::OnResizeWindow(int w, int h)
{
    WindowToDrawable(w, h);
    ApplyDrawableSize(w, h);
    Refresh();
}

void krSDLWrapper::OnScreenSizeChanged() {}

void krSDLWrapper::OnMouseLeave()
{
    leftButtonDown = false;
    rightButtonDown = false;
}

void krSDLWrapper::OnDblClick() {}
void krSDLWrapper::OnLostFocus() {}
void krSDLWrapper::OnSetFocus() {}
void krSDLWrapper::OnGUIClick(krGUIObject*) {}
void krSDLWrapper::OnPadButtonDown(krPadButton) {}
void krSDLWrapper::OnPadButtonUp(krPadButton) {}

bool krSDLWrapper::FailStartup(const char* format, ...)
{
    if (startupError[0] == '\0')
    {
        va_list arguments;
        va_start(arguments, format);
        vsnprintf(startupError, sizeof(startupError), format, arguments);
        va_end(arguments);
        // One line, whatever a library's message holds.
        for (char* c = startupError; *c != '\0'; ++c)
        {
            *c = (*c == '\n' || *c == '\r') ? ' ' : *c;
        }
    }
    return false;
}

bool krSDLWrapper::Init()
{
    // On Windows' scaled desktops the window gets every pixel of its monitor, so that the GUI
    // scale follows the real screen (other systems ignore the hint).
    SDL_SetHint(SDL_HINT_WINDOWS_DPI_AWARENESS, "permonitorv2");
    if (SDL_Init(SDL_INIT_AUDIO | SDL_INIT_VIDEO) != 0)
    {
        return FailStartup("SDL cannot start: %s", SDL_GetError());
    }
    // Without the controller subsystem the game is played without pads.
    SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);
    if (Mix_OpenAudio(44100, AUDIO_S16LSB, 2, 1024) < 0)
    {
        printf("Error: Unable to init sound.\n");
        fflush(stdout);
        return FailStartup("no sound device can be opened: %s", Mix_GetError());
    }

    Uint32 flags;
    if (fullScreen)
    {
        // The first display whose current mode can be read gives the window its size.
        int index = 0;
        for (;;)
        {
            if (index >= SDL_GetNumVideoDisplays())
            {
                return FailStartup("no display reports its screen size: %s", SDL_GetError());
            }
            SDL_DisplayMode mode;
            if (SDL_GetCurrentDisplayMode(index, &mode) == 0)
            {
                width = mode.w;
                height = mode.h;
                break;
            }
            index++;
        }
        flags = SDL_WINDOW_FULLSCREEN | SDL_WINDOW_OPENGL;
    }
    else
    {
        flags = resizable ? SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE : SDL_WINDOW_OPENGL;
    }

    // On high-density displays the drawable gets every pixel; the GUI scale follows it.
    flags |= SDL_WINDOW_ALLOW_HIGHDPI;

    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, 1);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, 4);

    window = SDL_CreateWindow(nullptr, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width,
                              height, flags);
    if (!window)
    {
        // A display without a multisampled visual still gets a window, just without the
        // smoothed edges.
        SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, 0);
        SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, 0);
        window = SDL_CreateWindow(nullptr, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width,
                                  height, flags);
    }
    if (!window)
    {
        return FailStartup("the window cannot be made: %s", SDL_GetError());
    }
    glContext = SDL_GL_CreateContext(window);
    if (!glContext)
    {
        return FailStartup("no OpenGL context can be made: %s", SDL_GetError());
    }
    // The drawable, not the window: on a high-density display it has more pixels.
    SDL_GL_GetDrawableSize(window, &width, &height);
    GlobalScreenWidth = width;
    GlobalScreenHeight = height;
    SDL_GL_MakeCurrent(window, glContext);
    char version[128];
    if (!krLoadGLBuffers(version, sizeof(version)))
    {
        return FailStartup("OpenGL 1.5 is needed; the driver offers %s", version);
    }

    if (!OnBeforeInit())
    {
        return FailStartup("the program's set-up before the first frame failed");
    }
    InitGL();

    guiManager = new krGUIManager(width, height);
    guiManager->Init();
    guiManager->SetWrapperPtr(this);
    guiManager->SetScale(krChooseGUIScale(width, height));

    DrawEngineLogo();
    return OnAfterInit() || FailStartup("the program could not load what it needs");
}

int krSDLWrapper::Run(int, char**)
{
    // Nothing to run without a successful Init.
    if (!window || !glContext || !guiManager)
    {
        return 0;
    }
    quitRequested = false;
    srand(static_cast<unsigned>(time(nullptr)));
    frameCount = 0;
    bool paused = false;
    pauseSeen = false;
    krButtonClock::Enable();
    // Pads connected before the loop: their connection events went with the logo's backlog.
    gamepads.OpenPresent();
    SDL_GL_MakeCurrent(window, glContext);
    ChooseFramePacing();
    krFrameClock& clock = frameClock ? *frameClock : wallClock;
    stepClock.Restart(clock.Now());
    framePacer.Restart();
    stepFraction = 0.0f;

    do
    {
        // Clicks queued during the previous turn reach OnGUIClick first; a handler that clears
        // the screen drops the rest with their controls.
        krGUIObject* clicked = nullptr;
        while (guiManager->TakeClick(&clicked))
        {
            OnGUIClick(clicked);
        }

        // Every event that waits when the turn begins, in order, however many motions a fast
        // mouse piled up before a click or a key; the steps below act on them.
        HandleWaitingEvents(&paused);

        if (!paused)
        {
            if (pauseSeen)
            {
                // Back from a pause: the time it lasted is not caught up.
                stepClock.Restart(clock.Now());
                framePacer.Restart();
                pauseSeen = false;
            }
            RunUpdateSteps(clock);
            SDL_GL_MakeCurrent(window, glContext);
            guiManager->SetStepFraction(stepFraction);
            Render();
            guiManager->Draw();
            SDL_GL_SwapWindow(window);
        }
        frameCount++;
        clock.Sleep(framePacer.WaitAfterFrame(clock.Now()));
    } while (!quitRequested);

    OnBeforeClose();
    return 0;
}

void krSDLWrapper::RunUpdateSteps(krFrameClock& clock)
{
    const int32_t due = stepClock.Advance(clock.Now());
    for (int32_t i = 0; i < due && !quitRequested; i++)
    {
        OnUpdate();
        guiManager->Update();
        updateCount++;
    }
    stepFraction = stepClock.Fraction();
}

void krSDLWrapper::ChooseFramePacing()
{
    // Adaptive sync lets a late frame show at once instead of waiting a whole refresh.
    vsync = SDL_GL_SetSwapInterval(-1) == 0 || SDL_GL_SetSwapInterval(1) == 0;
    int refresh = 0;
    SDL_DisplayMode mode;
    const int display = SDL_GetWindowDisplayIndex(window);
    if (SDL_GetCurrentDisplayMode(display >= 0 ? display : 0, &mode) == 0)
    {
        refresh = mode.refresh_rate;
    }
    const double rate = refresh > 0 ? refresh : kFrameRate;
    // With vertical sync the swap itself paces the frames; the ceiling then lies above the
    // display's rate, only keeping a driver that claims sync without waiting from spinning.
    framePacer.SetRate(vsync ? rate * 1.25 : rate);
}

int krSDLWrapper::HandleWaitingEvents(bool* paused)
{
    SDL_PumpEvents();
    const int waiting = SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
    int taken = 0;
    while (taken < waiting && !(paused && quitRequested))
    {
        SDL_Event event;
        if (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) != 1)
        {
            break;
        }
        taken++;
        if (paused)
        {
            // Buttons carry the time they went down or up, however late the frame took them.
            SDL_Event timed = event;
            timed.common.timestamp = buttonClock.When(event);
            DispatchEvent(timed, *paused);
        }
        // A dropped file's name is the receiver's to free.
        if (event.type == SDL_DROPFILE || event.type == SDL_DROPTEXT)
        {
            SDL_free(event.drop.file);
        }
    }
    return taken;
}

void krSDLWrapper::DispatchEvent(const SDL_Event& event, bool& paused)
{
    switch (event.type)
    {
        case SDL_QUIT:
            quitRequested = true;
            break;
        case SDL_WINDOWEVENT:
            switch (event.window.event)
            {
                case SDL_WINDOWEVENT_RESIZED:
                    OnResizeWindow(event.window.data1, event.window.data2);
                    break;
                case SDL_WINDOWEVENT_SIZE_CHANGED:
                    OnWindowSizeChanged(event.window.data1, event.window.data2);
                    break;
                case SDL_WINDOWEVENT_DISPLAY_CHANGED:
                    SyncDrawableSize();
                    break;
                case SDL_WINDOWEVENT_MINIMIZED:
                case SDL_WINDOWEVENT_FOCUS_LOST:
                    OnLostFocus();
                    paused = true;
                    pauseSeen = true;
                    break;
                case SDL_WINDOWEVENT_EXPOSED:
                    // A paused loop draws no frame of its own: the uncovered window gets the
                    // frozen scene again, without a step.
                    if (paused)
                    {
                        Refresh();
                    }
                    break;
                case SDL_WINDOWEVENT_MAXIMIZED:
                case SDL_WINDOWEVENT_RESTORED:
                    OnSetFocus();
                    paused = false;
                    break;
                default:
                    break;
            }
            break;
        case SDL_KEYDOWN:
        {
            if (IsFullScreenKey(event.key))
            {
                ToggleFullScreen();
                break;
            }
            const unsigned key = static_cast<unsigned>(event.key.keysym.sym);
            dispatchingKey = true;
            keyMods = event.key.keysym.mod;
            OnKeyDown(key);
            // Every press (and auto-repeat) also counts as a release, except for the keys
            // that leave screens: those must act once, on the real release.
            if (key != static_cast<unsigned>(SDLK_ESCAPE) &&
                key != static_cast<unsigned>(SDLK_AC_BACK))
            {
                OnKeyUp(key);
            }
            dispatchingKey = false;
            break;
        }
        case SDL_KEYUP:
            dispatchingKey = true;
            keyMods = event.key.keysym.mod;
            OnKeyUp(static_cast<unsigned>(event.key.keysym.sym));
            dispatchingKey = false;
            break;
        // SDL also reports every touch as mouse events of its own making (which ==
        // SDL_TOUCH_MOUSEID); the finger events below already stand for the touch, so those
        // are ignored: one tap is one press and one release.
        case SDL_MOUSEMOTION:
            if (event.motion.which != SDL_TOUCH_MOUSEID)
            {
                int x = event.motion.x, y = event.motion.y;
                WindowToDrawable(x, y);
                MouseXY(x, y);
            }
            break;
        case SDL_MOUSEBUTTONDOWN:
            if (event.button.which == SDL_TOUCH_MOUSEID)
            {
                break;
            }
            if (event.button.button == SDL_BUTTON_LEFT)
            {
                LMBDown(event.button.timestamp);
            }
            else if (event.button.button == SDL_BUTTON_RIGHT)
            {
                RMBDown();
            }
            break;
        case SDL_MOUSEBUTTONUP:
            if (event.button.which == SDL_TOUCH_MOUSEID)
            {
                break;
            }
            if (event.button.button == SDL_BUTTON_LEFT)
            {
                LMBUp(event.button.timestamp);
            }
            else if (event.button.button == SDL_BUTTON_RIGHT)
            {
                RMBUp();
            }
            break;
        case SDL_CONTROLLERDEVICEADDED:
        case SDL_CONTROLLERDEVICEREMOVED:
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP:
        case SDL_CONTROLLERAXISMOTION:
            for (const krPadPress_s& press : gamepads.HandleEvent(event))
            {
                if (press.down)
                {
                    OnPadButtonDown(press.button);
                }
                else
                {
                    OnPadButtonUp(press.button);
                }
            }
            break;
        case SDL_MOUSEWHEEL:
            if (event.wheel.y > 0)
            {
                MouseWheelUp();
            }
            else
            {
                MouseWheelDown();
            }
            break;
        case SDL_FINGERDOWN:
        case SDL_FINGERUP:
        case SDL_FINGERMOTION:
        {
            // Finger positions are normalised over the window; a finger acts as the left
            // button at its pixel position. The product is taken in double: in float it can
            // round up to the next whole pixel before the truncation.
            MouseXY(static_cast<int>(static_cast<double>(event.tfinger.x) * width),
                    static_cast<int>(static_cast<double>(event.tfinger.y) * height));
            if (event.type == SDL_FINGERDOWN)
            {
                LMBDown(event.tfinger.timestamp);
            }
            else if (event.type == SDL_FINGERUP)
            {
                LMBUp(event.tfinger.timestamp);
            }
            break;
        }
        default:
            break;
    }
}

void krSDLWrapper::EndMainLoop()
{
    quitRequested = true;
}

void krSDLWrapper::MouseXY(int x, int y)
{
    mouseX = x;
    mouseY = y;
    if (x != prevMouseX || y != prevMouseY)
    {
        if (guiManager)
        {
            guiManager->OnMouse(x, y);
        }
        MouseMotion();
        OnMouseMotion(mouseX, mouseY, prevMouseX - x, prevMouseY - y);
    }
    prevMouseX = mouseX;
    prevMouseY = mouseY;
}

void krSDLWrapper::MouseMotion()
{
    dragDeltaX = static_cast<float>((prevMouseX - mouseX) * camPosition[2] / 9.05);
    dragDeltaY = static_cast<float>((prevMouseY - mouseY) * camPosition[2] / 9.05);
}

void krSDLWrapper::LMBDown()
{
    LMBDown(SDL_GetTicks());
}

void krSDLWrapper::LMBDown(uint32_t ticks)
{
    if (ticks - lastClickTicks <= kDoubleClickTicks)
    {
        // The second press of a double click: the GUI never sees it and its release is
        // ignored; the next press starts afresh.
        OnDblClick();
        lastClickTicks = 0;
        return;
    }
    if (guiManager)
    {
        guiManager->OnLMBDown(mouseX, mouseY);
    }
    leftButtonDown = true;
}

void krSDLWrapper::LMBUp()
{
    LMBUp(SDL_GetTicks());
}

void krSDLWrapper::LMBUp(uint32_t ticks)
{
    if (!leftButtonDown)
    {
        return;
    }
    lastClickTicks = ticks;
    if (guiManager)
    {
        guiManager->OnLMBUp(mouseX, mouseY);
    }
    leftButtonDown = false;
    OnLMBUp(mouseX, mouseY);
}

void krSDLWrapper::RMBDown()
{
    rightButtonDown = true;
}

void krSDLWrapper::RMBUp()
{
    rightButtonDown = false;
}

void krSDLWrapper::MouseWheelUp()
{
    camPosition[2] -= wheelStep;
    wheelStep = camPosition[2] / 100;
}

void krSDLWrapper::MouseWheelDown()
{
    camPosition[2] += wheelStep;
    wheelStep = camPosition[2] / 100;
}

void krSDLWrapper::SetCamPosition(float* v)
{
    for (int i = 0; i < 3; i++)
    {
        camPosition[i] = v[i];
    }
}

void krSDLWrapper::GetCamPosition(float* out) const
{
    for (int i = 0; i < 3; i++)
    {
        out[i] = camPosition[i];
    }
}

void krSDLWrapper::SetCamAngle(float* v)
{
    for (int i = 0; i < 3; i++)
    {
        camAngle[i] = v[i];
    }
}

void krSDLWrapper::GetCamAngle(float* out) const
{
    for (int i = 0; i < 3; i++)
    {
        out[i] = camAngle[i];
    }
}

void krSDLWrapper::InitGL()
{
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    aspect = static_cast<float>(width) / static_cast<float>(height);
    glFrustum(-aspect * kFrustumHalf, aspect * kFrustumHalf, -kFrustumHalf, kFrustumHalf,
              kNearPlane, kFarPlane);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_DEPTH_TEST);
    glMatrixMode(GL_MODELVIEW);
}

void krSDLWrapper::PilotView(float* position, float* angle)
{
    glRotatef(angle[0], 0, 0, 1);
    glRotatef(angle[2], 1, 0, 0);
    glRotatef(angle[1], 0, 0, 1);
    glTranslatef(-position[0], -position[1], -position[2]);
}

void krSDLWrapper::Refresh()
{
    Render();
    if (guiManager)
    {
        guiManager->Draw();
    }
    SDL_GL_SwapWindow(window);
    frameCount++;
}

void krSDLWrapper::DrawEngineLogo()
{
    SDL_ShowCursor(0);
    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, width, height, 0, 0, 1);
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);

    const krMemoryBlock* logo = Resource ? Resource->Get("krEngineLogo") : nullptr;
    krGUIPicture* picture = new krGUIPicture(
        1, (width - kLogoWidth) / 2, (height - kLogoHeight) / 2, kLogoWidth, kLogoHeight, logo);

    FPSmanager pacer;
    SDL_initFramerate(&pacer);
    SDL_setFramerate(&pacer, kFrameRate);
    // The screen is redrawn only on ticks that bring events. Everything that arrived is
    // dropped, so the logo cannot be skipped and nothing old reaches the main loop.
    do
    {
        if (HandleWaitingEvents(nullptr) > 0)
        {
            glClearColor(0, 0, 0, 1);
            glClear(GL_COLOR_BUFFER_BIT);
            picture->Draw();
            SDL_GL_MakeCurrent(window, glContext);
            SDL_GL_SwapWindow(window);
        }
        frameCount++;
        SDL_framerateDelay(&pacer);
    } while (frameCount < kLogoTicks);

    glDisable(GL_BLEND);
    SDL_ShowCursor(1);
    delete picture;
}
