// vossaCardOrder: preparing, disguising and installing the order of the cards.
#include "vossaCardOrder.h"

#include <cstdlib>

#include "render/krGeometry.h"
#include "vossaCardLayout.h"
#include "vossaGameState.h"

vossaCardOrder::~vossaCardOrder()
{
    Drop();
}

void vossaCardOrder::Drop()
{
    delete pending;
    pending = nullptr;
}

void vossaCardOrder::Prepare(krGeometry* cards, float (*current)[3], int32_t row, int32_t rowLength,
                             TPilePlace place, bool deal)
{
    const int32_t count = 3 * rowLength;
    if (cards == nullptr || count > kMaxCardCount ||
        cards->Length() != static_cast<uint64_t>(count))
    {
        return;
    }
    // Undo the disguise of the layout on screen; the positions follow their boxes.
    SwapDisguise(cards->items, rowPicks, rowLength);
    SwapDisguise(current, rowPicks, rowLength);

    int32_t newToOld[kMaxCardCount];
    if (deal)
    {
        DealOrder(row, newToOld, rowLength, place);
    }
    else
    {
        GatherPile(row, place, rowLength, newToOld);
    }
    Drop();
    pending = new krGeometry();
    pending->SetClearOnDestroy(false);
    for (int32_t i = 0; i < count; ++i)
    {
        pending->AppendVertexArray(cards->GetVertexArray(newToOld[i]));
    }
}

void vossaCardOrder::Install(krGeometry* cards, float (*current)[3], int32_t dealCount,
                             int32_t rowLength)
{
    if (pending == nullptr)
    {
        return;
    }
    const int32_t count = 3 * rowLength;
    rowPicks[0] = rand() % rowLength;
    rowPicks[1] = rand() % rowLength + rowLength;
    rowPicks[2] = rand() % rowLength + 2 * rowLength;
    if (dealCount <= kDealsBeforeReveal && pending->Length() == static_cast<uint64_t>(count))
    {
        SwapDisguise(pending->items, rowPicks, rowLength);
    }
    if (cards != nullptr && cards->Length() == pending->Length() &&
        cards->Length() == static_cast<uint64_t>(count))
    {
        // Entry i of `current` becomes where the box now in slot i stands.
        CarryPositions(reinterpret_cast<const void* const*>(cards->items),
                       reinterpret_cast<const void* const*>(pending->items), current, count);
        for (int32_t i = 0; i < count; ++i)
        {
            cards->InsertVertexArray(i, pending->GetVertexArray(i));
        }
    }
    Drop();
}
