// vossaReplay: the lit sets and the cards' places in the four steps of the replay.
#include "vossaReplay.h"

namespace
{
// Step 4 keeps clear of the captions at the bottom of the screen: the pile lies below the
// middle, the rows it is dealt into stand higher than in the game.
const float kPileY = -3.0f;
const float kDealtRise = 2.0f;

int32_t CardCountOf(const TTrickRecord_s& record)
{
    return 3 * record.rowLength;
}

// The row (1 top .. 3 bottom) of a slot.
int32_t ClickRowOf(int32_t slot, int32_t rowLength)
{
    return 3 - slot / rowLength;
}
} // namespace

bool IsCandidate(const TTrickRecord_s& record, int32_t answer, const void* card)
{
    if (answer < 0 || answer >= record.recorded || answer > 2 || card == nullptr)
    {
        return false;
    }
    for (int32_t k = 0; k <= answer; ++k)
    {
        bool inRow = false;
        for (int32_t i = 0; i < CardCountOf(record); ++i)
        {
            if (record.layouts[k][i] == card)
            {
                inRow = ClickRowOf(i, record.rowLength) == record.answers[k];
            }
        }
        if (!inRow)
        {
            return false;
        }
    }
    return true;
}

int32_t CandidateCount(const TTrickRecord_s& record, int32_t answer)
{
    int32_t count = 0;
    for (int32_t i = 0; answer >= 0 && answer < 3 && i < CardCountOf(record); ++i)
    {
        count += IsCandidate(record, answer, record.layouts[answer][i]) ? 1 : 0;
    }
    return count;
}

bool vossaReplay::Open(const TTrickRecord_s& from)
{
    if (from.recorded < 3 || (from.rowLength != kRowLength && from.rowLength != kMaxRowLength))
    {
        return false;
    }
    record = from;
    open = true;
    step = 1;
    frame = 0;
    InitChoiceLayout(rows, record.rowLength);
    const TPilePlace place = record.number > 0 ? PilePlaceFor(record.number, 0) : ppMiddle;
    GatherPile(record.answers[0], place, record.rowLength, pile);
    return true;
}

bool vossaReplay::Next()
{
    if (!open || step >= kSteps)
    {
        return false;
    }
    ++step;
    frame = 0;
    return true;
}

bool vossaReplay::Back()
{
    if (!open || step <= 1)
    {
        return false;
    }
    --step;
    frame = 0;
    return true;
}

void vossaReplay::Update()
{
    if (open && step == kSteps && !Dealt())
    {
        ++frame;
    }
}

bool vossaReplay::Dealt() const
{
    return frame >= kGatherSteps + CardCountOf(record) * kDealEvery;
}

int32_t vossaReplay::SlotIn(int32_t layout, const void* card) const
{
    for (int32_t i = 0; card != nullptr && i < CardCountOf(record); ++i)
    {
        if (record.layouts[layout][i] == card)
        {
            return i;
        }
    }
    return -1;
}

bool vossaReplay::Target(const void* card, float out[3]) const
{
    if (!open)
    {
        return false;
    }
    if (step < kSteps)
    {
        const int32_t slot = SlotIn(step - 1, card);
        if (slot < 0)
        {
            return false;
        }
        out[0] = rows[slot][0];
        out[1] = rows[slot][1];
        out[2] = rows[slot][2];
        return true;
    }
    const int32_t slot = SlotIn(0, card);
    if (slot < 0)
    {
        return false;
    }
    const int32_t count = CardCountOf(record);
    int32_t at = 0;
    while (at < count && pile[at] != slot)
    {
        ++at;
    }
    // Gathered, the pile lies spread along a line below the rows, its top on the left, each
    // card a little over the one before; it is dealt from its top one card at a time.
    const int32_t dealt = frame < kGatherSteps ? -1 : (frame - kGatherSteps) / kDealEvery;
    if (at > dealt)
    {
        out[0] = -10.0f + 20.0f * static_cast<float>(at) / static_cast<float>(count - 1);
        out[1] = kPileY;
        out[2] = 0.01f * static_cast<float>(at);
        return true;
    }
    // Dealt from the top of the pile into the bottom, middle and top rows in turn.
    const int32_t to = (at % 3) * record.rowLength + at / 3;
    out[0] = rows[to][0];
    out[1] = rows[to][1] + kDealtRise;
    out[2] = rows[to][2];
    return true;
}

bool vossaReplay::Lit(const void* card) const
{
    return IsCandidate(record, step < kSteps ? step - 1 : 0, card);
}

int32_t vossaReplay::LitCount() const
{
    return CandidateCount(record, step < kSteps ? step - 1 : 0);
}

int32_t vossaReplay::MarkedRow() const
{
    if (!open || step >= kSteps)
    {
        return -1;
    }
    return 3 - record.answers[step - 1];
}
