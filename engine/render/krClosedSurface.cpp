// krClosedSurface: edge pairing and the signed volume of each connected piece.
#include "render/krClosedSurface.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numeric>
#include <utility>
#include <vector>

namespace
{
// Index of each corner's distinct position: corners at the same coordinates share an index.
bool IndexCorners(const float (*positions)[3], uint64_t count, std::vector<uint32_t>& ids)
{
    std::vector<uint32_t> order(count);
    std::iota(order.begin(), order.end(), 0u);
    for (uint64_t i = 0; i < count; ++i)
    {
        for (int k = 0; k < 3; ++k)
        {
            if (!std::isfinite(positions[i][k]))
            {
                return false;
            }
        }
    }
    auto less = [positions](uint32_t a, uint32_t b)
    {
        return std::lexicographical_compare(positions[a], positions[a] + 3, positions[b],
                                            positions[b] + 3);
    };
    std::sort(order.begin(), order.end(), less);
    ids.assign(count, 0);
    uint32_t next = 0;
    for (uint64_t i = 0; i < count; ++i)
    {
        if (i > 0 && less(order[i - 1], order[i]))
        {
            ++next;
        }
        ids[order[i]] = next;
    }
    return true;
}

// Determinant of a 4 x 4 matrix, by cofactors along the first column of 2 x 2 minors.
double Determinant(const float* m)
{
    auto e = [m](int row, int column) { return double(m[column * 4 + row]); };
    const double s0 = e(0, 0) * e(1, 1) - e(1, 0) * e(0, 1);
    const double s1 = e(0, 0) * e(1, 2) - e(1, 0) * e(0, 2);
    const double s2 = e(0, 0) * e(1, 3) - e(1, 0) * e(0, 3);
    const double s3 = e(0, 1) * e(1, 2) - e(1, 1) * e(0, 2);
    const double s4 = e(0, 1) * e(1, 3) - e(1, 1) * e(0, 3);
    const double s5 = e(0, 2) * e(1, 3) - e(1, 2) * e(0, 3);
    const double c5 = e(2, 2) * e(3, 3) - e(3, 2) * e(2, 3);
    const double c4 = e(2, 1) * e(3, 3) - e(3, 1) * e(2, 3);
    const double c3 = e(2, 1) * e(3, 2) - e(3, 1) * e(2, 2);
    const double c2 = e(2, 0) * e(3, 3) - e(3, 0) * e(2, 3);
    const double c1 = e(2, 0) * e(3, 2) - e(3, 0) * e(2, 2);
    const double c0 = e(2, 0) * e(3, 1) - e(3, 0) * e(2, 1);
    return s0 * c5 - s1 * c4 + s2 * c3 + s3 * c2 - s4 * c1 + s5 * c0;
}

uint32_t Root(std::vector<uint32_t>& parent, uint32_t i)
{
    while (parent[i] != i)
    {
        parent[i] = parent[parent[i]];
        i = parent[i];
    }
    return i;
}
} // namespace

bool IsClosedSurface(const float (*positions)[3], uint64_t count)
{
    // Four triangles (a tetrahedron) are the least a solid needs; the bound keeps the indices
    // in 32 bits.
    if (positions == nullptr || count < 12 || count % 3 != 0 || count > (uint64_t(1) << 31))
    {
        return false;
    }
    std::vector<uint32_t> ids;
    if (!IndexCorners(positions, count, ids))
    {
        return false;
    }

    std::vector<std::pair<uint32_t, uint32_t>> edges;
    std::vector<uint32_t> parent(count);
    std::iota(parent.begin(), parent.end(), 0u);
    for (uint64_t t = 0; t < count; t += 3)
    {
        const uint32_t a = ids[t], b = ids[t + 1], c = ids[t + 2];
        if (a == b || b == c || c == a)
        {
            continue;
        }
        edges.emplace_back(a, b);
        edges.emplace_back(b, c);
        edges.emplace_back(c, a);
        parent[Root(parent, b)] = Root(parent, a);
        parent[Root(parent, c)] = Root(parent, a);
    }
    if (edges.empty())
    {
        return false;
    }
    // Closed and consistently wound: the directed edges, each once, are their own reverses.
    std::sort(edges.begin(), edges.end());
    if (std::adjacent_find(edges.begin(), edges.end()) != edges.end())
    {
        return false;
    }
    std::vector<std::pair<uint32_t, uint32_t>> reversed(edges.size());
    std::transform(edges.begin(), edges.end(), reversed.begin(),
                   [](const std::pair<uint32_t, uint32_t>& e)
                   { return std::make_pair(e.second, e.first); });
    std::sort(reversed.begin(), reversed.end());
    if (reversed != edges)
    {
        return false;
    }

    // Outward: six times the volume of each piece (a sum of tetrahedra from the piece's first
    // corner, which keeps the terms small) is positive.
    std::vector<double> volume(count, 0.0);
    std::vector<int64_t> origin(count, -1);
    for (uint64_t t = 0; t < count; t += 3)
    {
        const uint32_t a = ids[t], b = ids[t + 1], c = ids[t + 2];
        if (a == b || b == c || c == a)
        {
            continue;
        }
        const uint32_t piece = Root(parent, a);
        if (origin[piece] < 0)
        {
            origin[piece] = int64_t(t);
        }
        const float* o = positions[origin[piece]];
        double p[3][3];
        for (int k = 0; k < 3; ++k)
        {
            for (int j = 0; j < 3; ++j)
            {
                p[k][j] = double(positions[t + k][j]) - double(o[j]);
            }
        }
        volume[piece] += p[0][0] * (p[1][1] * p[2][2] - p[1][2] * p[2][1]) -
                         p[0][1] * (p[1][0] * p[2][2] - p[1][2] * p[2][0]) +
                         p[0][2] * (p[1][0] * p[2][1] - p[1][1] * p[2][0]);
    }
    for (uint64_t i = 0; i < count; ++i)
    {
        if (origin[i] >= 0 && !(volume[i] > 0.0))
        {
            return false;
        }
    }
    return true;
}

bool KeepsWinding(const float* projection, const float* modelView)
{
    // Eye space looks along -z and the projections of OpenGL turn that into +z: an unmirrored
    // pair has a negative determinant.
    return Determinant(projection) * Determinant(modelView) < 0.0;
}
