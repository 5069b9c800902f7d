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

void vossaCardOrder::Prepare(krGeometry* cards, float (*current)[3], int32_t row)
{
    if (cards == nullptr || cards->Length() != static_cast<uint64_t>(kCardCount))
    {
        return;
    }
    // Undo the disguise of the layout on screen; the positions follow their boxes.
    SwapDisguise(cards->items, rowPicks);
    SwapDisguise(current, rowPicks);

    int32_t newToOld[kCardCount];
    DealOrder(row, newToOld);
    Drop();
    pending = new krGeometry();
    pending->SetClearOnDestroy(false);
    for (int32_t i = 0; i < kCardCount; ++i)
    {
        pending->AppendVertexArray(cards->GetVertexArray(newToOld[i]));
    }
}

void vossaCardOrder::Install(krGeometry* cards, float (*current)[3], int32_t dealCount)
{
    if (pending == nullptr)
    {
        return;
    }
    rowPicks[0] = rand() % 7;
    rowPicks[1] = rand() % 7 + 7;
    rowPicks[2] = rand() % 7 + 14;
    if (dealCount <= kDealsBeforeReveal)
    {
        SwapDisguise(pending->items, rowPicks);
    }
    if (cards != nullptr && cards->Length() == pending->Length() &&
        cards->Length() == static_cast<uint64_t>(kCardCount))
    {
        // Entry i of `current` becomes where the box now in slot i stands.
        CarryPositions(reinterpret_cast<const void* const*>(cards->items),
                       reinterpret_cast<const void* const*>(pending->items), current, kCardCount);
        for (int32_t i = 0; i < kCardCount; ++i)
        {
            cards->InsertVertexArray(i, pending->GetVertexArray(i));
        }
    }
    Drop();
}
