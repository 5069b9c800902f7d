// krGamepads: opening and closing the game controllers and turning their events into presses.
#include "app/krGamepads.h"

krGamepads::~krGamepads()
{
    CloseAll();
}

krPadButton krGamepads::ButtonOf(int32_t controllerButton)
{
    switch (controllerButton)
    {
        case SDL_CONTROLLER_BUTTON_A:
            return pbA;
        case SDL_CONTROLLER_BUTTON_B:
            return pbB;
        case SDL_CONTROLLER_BUTTON_X:
            return pbX;
        case SDL_CONTROLLER_BUTTON_Y:
            return pbY;
        case SDL_CONTROLLER_BUTTON_BACK:
            return pbBack;
        case SDL_CONTROLLER_BUTTON_START:
            return pbStart;
        case SDL_CONTROLLER_BUTTON_LEFTSHOULDER:
            return pbLeftShoulder;
        case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER:
            return pbRightShoulder;
        case SDL_CONTROLLER_BUTTON_DPAD_UP:
            return pbUp;
        case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
            return pbDown;
        case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
            return pbLeft;
        case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
            return pbRight;
        default:
            return pbNone;
    }
}

int32_t krGamepads::OpenPresent()
{
    int32_t opened = 0;
    const int32_t count = SDL_NumJoysticks();
    for (int32_t i = 0; i < count; i++)
    {
        opened += Open(i) ? 1 : 0;
    }
    return opened;
}

bool krGamepads::Open(int32_t deviceIndex)
{
    if (!SDL_IsGameController(deviceIndex))
    {
        return false;
    }
    // SDL reports the pads that were there at start-up as connected too.
    const SDL_JoystickID instance = SDL_JoystickGetDeviceInstanceID(deviceIndex);
    if (instance < 0 || Find(instance) != nullptr)
    {
        return false;
    }
    SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
    if (controller == nullptr)
    {
        return false;
    }
    TPad_s pad = {controller, instance, 0, krPadStick()};
    pads.push_back(pad);
    return true;
}

krGamepads::TPad_s* krGamepads::Find(SDL_JoystickID instance)
{
    for (TPad_s& pad : pads)
    {
        if (pad.instance == instance)
        {
            return &pad;
        }
    }
    return nullptr;
}

void krGamepads::Close(SDL_JoystickID instance, std::vector<krPadPress_s>& presses)
{
    for (size_t i = 0; i < pads.size(); i++)
    {
        TPad_s& pad = pads[i];
        if (pad.instance != instance)
        {
            continue;
        }
        for (int32_t b = 1; b < pbButtonCount; b++)
        {
            if (pad.held & (1u << b))
            {
                presses.push_back({static_cast<krPadButton>(b), false});
            }
        }
        const krPadButton pushed = pad.stick.Release();
        if (pushed != pbNone)
        {
            presses.push_back({pushed, false});
        }
        SDL_GameControllerClose(pad.controller);
        pads.erase(pads.begin() + static_cast<std::ptrdiff_t>(i));
        return;
    }
}

void krGamepads::CloseAll()
{
    for (TPad_s& pad : pads)
    {
        SDL_GameControllerClose(pad.controller);
    }
    pads.clear();
}

std::vector<krPadPress_s> krGamepads::HandleEvent(const SDL_Event& event)
{
    std::vector<krPadPress_s> presses;
    switch (event.type)
    {
        case SDL_CONTROLLERDEVICEADDED:
            Open(event.cdevice.which);
            break;
        case SDL_CONTROLLERDEVICEREMOVED:
            Close(event.cdevice.which, presses);
            break;
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP:
        {
            TPad_s* pad = Find(event.cbutton.which);
            const krPadButton button = ButtonOf(event.cbutton.button);
            if (pad == nullptr || button == pbNone)
            {
                break;
            }
            const uint32_t bit = 1u << button;
            const bool down = event.type == SDL_CONTROLLERBUTTONDOWN;
            // SDL may repeat a state (a pad opened with a button held): only changes count.
            if (down != ((pad->held & bit) != 0))
            {
                pad->held = down ? pad->held | bit : pad->held & ~bit;
                presses.push_back({button, down});
            }
            break;
        }
        case SDL_CONTROLLERAXISMOTION:
        {
            TPad_s* pad = Find(event.caxis.which);
            if (pad == nullptr)
            {
                break;
            }
            int32_t axis = -1;
            if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX)
            {
                axis = 0;
            }
            else if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY)
            {
                axis = 1;
            }
            const krPadStickMove_s move = pad->stick.SetAxis(axis, event.caxis.value);
            if (move.released != pbNone)
            {
                presses.push_back({move.released, false});
            }
            if (move.pushed != pbNone)
            {
                presses.push_back({move.pushed, true});
            }
            break;
        }
        default:
            break;
    }
    return presses;
}
