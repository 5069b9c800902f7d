// krTestShell: the logging shell subclass and event helpers of the shell tests.
#include "krTestShell.h"

#include <GL/gl.h>
#include <cstring>

#include "gui/krGUIManager.h"
#include "gui/krGUIObject.h"
#include "krTestGL.h"

void krTestShell::Log(const std::string& hook, std::initializer_list<int> numbers)
{
    std::string entry = std::to_string(frameCount) + ":" + hook;
    for (const int& n : numbers)
    {
        entry += (&n == numbers.begin() ? "(" : ",") + std::to_string(n);
    }
    log.push_back(numbers.size() ? entry + ")" : entry);
}

void krTestShell::Script(int frame, const std::vector<SDL_Event>& events)
{
    for (const SDL_Event& event : events)
    {
        script.insert({frame, event});
    }
}

void krTestShell::ClearRecords()
{
    log.clear();
    renders = 0;
    updates = 0;
    drawnFrames.clear();
    drawnFractions.clear();
    updatesAtRender.clear();
    stepsInFrame.clear();
    dealLeft = -1;
    dealStartFrame = dealEndFrame = -1;
    dealSeconds = 0.0;
}

void krTestShell::OnUpdate()
{
    updates++;
    stepsInFrame[frameCount]++;
    if (dealLeft > 0 && --dealLeft == 0)
    {
        dealEndFrame = frameCount;
        dealSeconds = (testClock ? testClock->Now() : 0.0) - dealStart;
        EndMainLoop();
    }
}

void krTestShell::Render()
{
    renders++;
    drawnFrames.push_back(frameCount);
    drawnFractions.push_back(GetStepFraction());
    updatesAtRender.push_back(updates);
    if (testClock)
    {
        testClock->now += testClock->perFrame;
        const auto late = testClock->stalls.find(frameCount);
        if (late != testClock->stalls.end())
        {
            testClock->now += late->second;
        }
    }
    if (quitAtRender > 0 && renders == quitAtRender)
    {
        SDL_Event quit = {};
        quit.type = SDL_QUIT;
        krQueueEvent(quit);
    }
    const auto stall = stalls.find(frameCount);
    if (stall != stalls.end())
    {
        SDL_Delay(static_cast<Uint32>(stall->second));
    }
    const auto due = script.equal_range(frameCount);
    for (auto entry = due.first; entry != due.second; ++entry)
    {
        krQueueEvent(entry->second);
    }
}

bool krTestShell::OnBeforeInit()
{
    krPinGLDriver();
    for (int i = 0; i < logoEvents; i++)
    {
        krQueueEvent(krKeyEvent(SDL_KEYDOWN, SDLK_SPACE));
    }
    return !failBeforeInit;
}

void krTestShell::OnBeforeClose()
{
    Log("BeforeClose");
}

bool krTestShell::OnAfterInit()
{
    // Mesa's software driver keeps the back buffer across a swap, so it still holds the
    // last frame the logo screen drew (the window system's copy can be covered by other
    // windows on a shared test display).
    screenAfterLogo.assign(static_cast<size_t>(width) * height * 3, 0);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, screenAfterLogo.data());
    return true;
}

void krTestShell::OnLMBUp(int x, int y)
{
    Log("LMBUp", {x, y});
}

void krTestShell::OnMouseMotion(int x, int y, int dx, int dy)
{
    Log("MouseMotion", {x, y, dx, dy});
}

void krTestShell::OnKeyDown(unsigned key)
{
    Log("KeyDown", {static_cast<int>(key)});
    if (key == static_cast<unsigned>(SDLK_d) && dealSteps > 0)
    {
        dealLeft = dealSteps;
        dealStartFrame = frameCount;
        dealStart = testClock ? testClock->Now() : 0.0;
    }
    if (keyEchoes > 0)
    {
        keyEchoes--;
        krQueueEvent(krKeyEvent(SDL_KEYDOWN, static_cast<SDL_Keycode>(key)));
    }
}

void krTestShell::OnKeyUp(unsigned key)
{
    Log("KeyUp", {static_cast<int>(key)});
}

void krTestShell::OnResizeWindow(int w, int h)
{
    Log("Resize", {w, h});
    krSDLWrapper::OnResizeWindow(w, h);
}

void krTestShell::OnDblClick()
{
    Log("DblClick");
}

void krTestShell::OnLostFocus()
{
    Log("LostFocus");
}

void krTestShell::OnSetFocus()
{
    Log("SetFocus");
}

void krTestShell::OnGUIClick(krGUIObject* control)
{
    Log("GUIClick", {control ? static_cast<int>(control->GetID()) : 0});
    if (clearOnGUIClick)
    {
        GetGUIManager()->Clear();
        // A control of the new screen clicked at once: delivered after the handler.
        GetGUIManager()->AppendEvent(geClick, nullptr);
        clearOnGUIClick = false;
    }
}

void krTestShell::OnPadButtonDown(krPadButton button)
{
    Log("PadDown", {button});
}

void krTestShell::OnPadButtonUp(krPadButton button)
{
    Log("PadUp", {button});
}

void krQueueEvent(SDL_Event event)
{
    if (event.common.timestamp == 0)
    {
        event.common.timestamp = SDL_GetTicks();
    }
    // Unlike SDL_PushEvent, this keeps the timestamp.
    SDL_PeepEvents(&event, 1, SDL_ADDEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
}

void krRunEvents(krTestShell& shell, const std::vector<SDL_Event>& events, int quitFrame)
{
    SDL_SetEventFilter(krKeepOutWindowSystem, nullptr);
    SDL_PumpEvents();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    for (const SDL_Event& event : events)
    {
        krQueueEvent(event);
    }
    SDL_Event quit = {};
    quit.type = SDL_QUIT;
    if (quitFrame == krQuitAfterEvents)
    {
        krQueueEvent(quit);
    }
    else if (quitFrame >= 0)
    {
        shell.script.insert({quitFrame, quit});
    }
    shell.Run(0, nullptr);
    SDL_SetEventFilter(nullptr, nullptr);
    shell.script.clear();
    shell.stalls.clear();
}

SDL_Event krKeyEvent(Uint32 type, SDL_Keycode key)
{
    SDL_Event event = {};
    event.type = type;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = key;
    return event;
}

SDL_Event krMotionEvent(int x, int y)
{
    SDL_Event event = {};
    event.type = SDL_MOUSEMOTION;
    event.motion.x = x;
    event.motion.y = y;
    return event;
}

std::vector<SDL_Event> krLeftClick(Uint32 pressed, Uint32 released)
{
    return {krButtonEvent(SDL_MOUSEBUTTONDOWN, 1, pressed),
            krButtonEvent(SDL_MOUSEBUTTONUP, 1, released)};
}

SDL_Event krButtonEvent(Uint32 type, Uint8 button, Uint32 timestamp)
{
    SDL_Event event = {};
    event.type = type;
    event.button.timestamp = timestamp;
    event.button.button = button;
    event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    return event;
}

SDL_Event krWheelEvent(int y)
{
    SDL_Event event = {};
    event.type = SDL_MOUSEWHEEL;
    event.wheel.y = y;
    return event;
}

SDL_Event krFingerEvent(Uint32 type, float x, float y)
{
    SDL_Event event = {};
    event.type = type;
    event.tfinger.x = x;
    event.tfinger.y = y;
    return event;
}

SDL_Event krWindowEvent(Uint8 windowEvent, int data1, int data2)
{
    SDL_Event event = {};
    event.type = SDL_WINDOWEVENT;
    event.window.event = windowEvent;
    event.window.data1 = data1;
    event.window.data2 = data2;
    return event;
}
