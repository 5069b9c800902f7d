// krGeometry: an ordered, index-addressed collection of vertex-array pointers. With
// clearOnDestroy set (the default) it owns its members and deletes them when destroyed;
// cleared, it only refers to them. Entries may be null.
#pragma once

#include <cstdint>
#include <vector>

#include "render/krVertexArray.h"

class krGeometry
{
public:
    krGeometry();
    // Deletes the members when clearOnDestroy is set, then frees the pointer array.
    virtual ~krGeometry();

    krGeometry(const krGeometry&) = delete;
    krGeometry& operator=(const krGeometry&) = delete;

    void SetClearOnDestroy(bool value);
    // With true: deletes every non-null member, empties the collection. With false: nothing.
    void Clear(bool deleteMembers);
    // New krVertexArray(mode), appended and returned (owned as the collection's members are).
    krVertexArray* AppendVertexArray(uint32_t mode);
    void AppendVertexArray(krVertexArray* array);
    // Stores the pointer at `index` (< Length()), replacing the entry without deleting it.
    // Out-of-range indices are ignored.
    void InsertVertexArray(uint64_t index, krVertexArray* array);
    // The entry at `index`; null when index >= Length().
    krVertexArray* GetVertexArray(uint64_t index) const;
    // Index of the first entry equal to `array`, or -1.
    int32_t GetVertexArrayID(const krVertexArray* array) const;
    // Swaps entries i and j; nothing when they are equal or out of range.
    void ChangeVertexArray(uint64_t i, uint64_t j);
    uint64_t Length() const;
    // Resizes to n entries, all null (none deleted); nothing when n equals Length().
    void SetSize(uint64_t n);
    // Entry i gets position points[i] (Length() triples); null entries are skipped.
    void SetPositions(const float* points);
    void SetPositions(const float (*points)[3]);
    // Draw() of every non-null entry, in order.
    virtual void Draw();
    // Draw() of every non-null entry, the one whose position lies nearest the eye under the
    // current model-view matrix first; entries at the same depth keep their order. For
    // opaque, depth-tested entries that is the picture of Draw, with less hidden surface
    // shaded: the depth test turns away fragments behind those drawn before texturing them.
    void DrawNearestFirst();

    krVertexArray** items;
    uint64_t length;
    bool clearOnDestroy;

private:
    // DrawNearestFirst's (depth, index) pairs, kept so that a frame allocates nothing.
    std::vector<std::pair<float, uint64_t>> drawOrder;
};
