// vossaNumberEntry: the number the player names for the twenty-seven-card trick, typed digit
// by digit or stepped by buttons, kept between 1 and a largest value. Free of SDL.
#pragma once

#include <cstdint>

class vossaNumberEntry
{
public:
    explicit vossaNumberEntry(int32_t largest = 27) : largest(largest) {}

    // Appends a digit (0..9); a digit that would make the number too large starts it afresh.
    // Leading zeros are dropped.
    void Type(int32_t digit);
    // Removes the last digit.
    void Erase();
    // One up or down (delta +1 or -1), wrapping within 1..largest; from no number, 1 or largest.
    void Step(int32_t delta);
    void Clear() { value = 0; }

    // The number typed so far; 0 when none.
    int32_t Value() const { return value; }
    bool Valid() const { return value >= 1 && value <= largest; }

private:
    int32_t largest;
    int32_t value = 0;
};
