// vossaTrick: the trick's state, its one way of changing state and its record.
#include "vossaTrick.h"

#include "render/krGeometry.h"

void vossaTrick::SetCounted(bool counted)
{
    order.Drop();
    positions.SetRowLength(counted ? kMaxRowLength : kRowLength);
    const int32_t n = RowLength();
    order.rowPicks[0] = n / 2;
    order.rowPicks[1] = n + n / 2;
    order.rowPicks[2] = 2 * n + n / 2;
    record.recorded = 0;
}

bool vossaTrick::SetNumber(int32_t value)
{
    if (value < 1 || value > kMaxCardCount)
    {
        return false;
    }
    number = value;
    return true;
}

bool vossaTrick::Transit(TTrigger trigger)
{
    const TGameState to = NextState(state, trigger, dealCount, Counted());
    if (to == state)
    {
        return false;
    }
    if (state == gsMindSelect && trigger == trRowClick)
    {
        // A game begins: nothing of the last one is kept for its replay.
        record.recorded = 0;
    }
    state = to;
    return true;
}

void vossaTrick::Prepare(krGeometry* cards, int32_t row)
{
    if (record.recorded >= 1 && record.recorded <= 3)
    {
        record.answers[record.recorded - 1] = row;
    }
    const int32_t answer = dealCount - 1;
    const bool last = dealCount > kDealsBeforeReveal;
    const TPilePlace place = Counted() ? PilePlaceFor(number, answer) : ppMiddle;
    order.Prepare(cards, positions.current, row, RowLength(), place, !(Counted() && last));
}

void vossaTrick::Install(krGeometry* cards)
{
    order.Install(cards, positions.current, dealCount, RowLength());
}

void vossaTrick::RecordLayout(const krGeometry* cards)
{
    if (cards == nullptr || record.recorded >= 3 ||
        cards->Length() != static_cast<uint64_t>(CardCount()))
    {
        return;
    }
    for (int32_t i = 0; i < CardCount(); ++i)
    {
        record.layouts[record.recorded][i] = cards->items[i];
    }
    record.answers[record.recorded] = 0;
    record.rowLength = RowLength();
    record.number = Counted() ? number : 0;
    ++record.recorded;
}
