// vossaCardOrder: the order of the cards between two answers and its disguise. An answer
// prepares the new order (the dealt stack as boxes borrowed from the cards); it is installed
// when the cards are laid out again, with three new picks that disguise the layout shown
// until the reveal deal. Dropped whenever the boxes it borrows go away.
#pragma once

#include <cstdint>

#include "vossaCardLayout.h"

class krGeometry;

class vossaCardOrder
{
public:
    vossaCardOrder() = default;
    vossaCardOrder(const vossaCardOrder&) = delete;
    vossaCardOrder& operator=(const vossaCardOrder&) = delete;
    ~vossaCardOrder();

    // Undoes the disguise of the layout shown, on the boxes of `cards` and on `current` (where
    // each slot's card is drawn), and keeps the order that the answer `row` (1..3) makes: the
    // rows gathered with the chosen one at `place` and dealt again, or (`deal` false) the pile
    // itself, slot 0 its top. Nothing unless `cards` holds three rows of `rowLength`.
    void Prepare(krGeometry* cards, float (*current)[3], int32_t row,
                 int32_t rowLength = kRowLength, TPilePlace place = ppMiddle, bool deal = true);
    // Puts a prepared order into `cards`, disguised while `dealCount` is at most the deals
    // before the reveal; entry i of `current` follows the box now in slot i. Nothing when no
    // order is pending; the order is dropped in any case.
    void Install(krGeometry* cards, float (*current)[3], int32_t dealCount,
                 int32_t rowLength = kRowLength);
    // Forgets a pending order without installing it.
    void Drop();
    bool Pending() const { return pending != nullptr; }

    // The slots swapped with each row's middle slot (3, 10 and 17 in rows of seven) in the
    // layout shown.
    int32_t rowPicks[3] = {3, 10, 17};

private:
    krGeometry* pending = nullptr; // owned collection, boxes borrowed
};
