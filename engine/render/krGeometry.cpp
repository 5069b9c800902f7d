// krGeometry: ordered collection of vertex-array pointers, owning or referring.
#include "render/krGeometry.h"

#include "render/krGLBuffers.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

krGeometry::krGeometry() : items(nullptr), length(0), clearOnDestroy(true) {}

krGeometry::~krGeometry()
{
    if (clearOnDestroy)
    {
        Clear(true);
    }
    free(items);
}

void krGeometry::SetClearOnDestroy(bool value)
{
    clearOnDestroy = value;
}

void krGeometry::Clear(bool deleteMembers)
{
    if (!deleteMembers)
    {
        return;
    }
    for (uint64_t i = 0; i < length; i++)
    {
        delete items[i];
    }
    free(items);
    items = nullptr;
    length = 0;
}

krVertexArray* krGeometry::AppendVertexArray(uint32_t mode)
{
    krVertexArray* array = new krVertexArray(mode);
    AppendVertexArray(array);
    return array;
}

void krGeometry::AppendVertexArray(krVertexArray* array)
{
    krVertexArray** grown =
        static_cast<krVertexArray**>(realloc(items, (length + 1) * sizeof(krVertexArray*)));
    if (!grown)
    {
        return;
    }
    items = grown;
    items[length++] = array;
}

void krGeometry::InsertVertexArray(uint64_t index, krVertexArray* array)
{
    if (index < length)
    {
        items[index] = array;
    }
}

krVertexArray* krGeometry::GetVertexArray(uint64_t index) const
{
    return index < length ? items[index] : nullptr;
}

int32_t krGeometry::GetVertexArrayID(const krVertexArray* array) const
{
    for (uint64_t i = 0; i < length; i++)
    {
        if (items[i] == array)
        {
            return int32_t(i);
        }
    }
    return -1;
}

void krGeometry::ChangeVertexArray(uint64_t i, uint64_t j)
{
    if (i == j || i >= length || j >= length)
    {
        return;
    }
    krVertexArray* t = items[i];
    items[i] = items[j];
    items[j] = t;
}

uint64_t krGeometry::Length() const
{
    return length;
}

void krGeometry::SetSize(uint64_t n)
{
    if (n == length)
    {
        return;
    }
    if (n == 0)
    {
        free(items);
        items = nullptr;
        length = 0;
        return;
    }
    krVertexArray** resized =
        static_cast<krVertexArray**>(realloc(items, n * sizeof(krVertexArray*)));
    if (!resized)
    {
        return;
    }
    items = resized;
    length = n;
    memset(items, 0, n * sizeof(krVertexArray*));
}

void krGeometry::SetPositions(const float* points)
{
    if (!points)
    {
        return;
    }
    for (uint64_t i = 0; i < length; i++)
    {
        if (items[i])
        {
            items[i]->SetPosition(points + 3 * i);
        }
    }
}

void krGeometry::SetPositions(const float (*points)[3])
{
    SetPositions(points ? points[0] : nullptr);
}

void krGeometry::Draw()
{
    for (uint64_t i = 0; i < length; i++)
    {
        if (items[i])
        {
            items[i]->Draw();
        }
    }
}

void krGeometry::DrawNearestFirst()
{
    float m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    drawOrder.clear();
    for (uint64_t i = 0; i < length; i++)
    {
        if (items[i])
        {
            // The eye looks along -z: the larger the eye-space z, the nearer.
            const float* p = items[i]->position;
            drawOrder.emplace_back(-(m[2] * p[0] + m[6] * p[1] + m[10] * p[2] + m[14]), i);
        }
    }
    std::stable_sort(drawOrder.begin(), drawOrder.end(),
                     [](const std::pair<float, uint64_t>& a, const std::pair<float, uint64_t>& b)
                     { return a.first < b.first; });
    for (const std::pair<float, uint64_t>& entry : drawOrder)
    {
        items[entry.second]->Draw();
    }
}
