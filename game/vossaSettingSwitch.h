// vossaSettingSwitch: a switch that lives in a byte of the settings record (0 or 1 there), so
// that the game names it like a plain bool field while the record alone holds its value.
#pragma once

#include <cstdint>

class vossaSettingSwitch
{
public:
    explicit vossaSettingSwitch(uint8_t& stored) : byte(stored) {}
    vossaSettingSwitch(const vossaSettingSwitch&) = delete;
    vossaSettingSwitch& operator=(const vossaSettingSwitch&) = delete;

    operator bool() const { return byte != 0; }
    vossaSettingSwitch& operator=(bool on)
    {
        byte = on ? 1 : 0;
        return *this;
    }

private:
    uint8_t& byte;
};
