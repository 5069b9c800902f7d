// CardMesh: rounded (or square) outline, fan-triangulated faces and the edge band.
#include "CardMesh.h"

#include <cmath>
#include <vector>

namespace
{
struct TOutlinePoint_s
{
    float x, y, nx, ny;
};

// Counter-clockwise outline seen from +z, starting at the bottom-right corner, with the
// outward normal of the edge at each point. Square corners get each point twice (one normal
// per side) so that the edges stay flat.
std::vector<TOutlinePoint_s> Outline(const TCardShape_s& s)
{
    const float hw = s.width * 0.5f, hh = s.height * 0.5f;
    std::vector<TOutlinePoint_s> pts;
    if (s.cornerRadius <= 0 || s.cornerSegments < 1)
    {
        const float cx[4] = {hw, hw, -hw, -hw}, cy[4] = {-hh, hh, hh, -hh};
        const float sideNx[4] = {1, 0, -1, 0}, sideNy[4] = {0, 1, 0, -1};
        for (int i = 0; i < 4; ++i)
        {
            // Side i runs from corner i to corner i + 1.
            int j = (i + 1) % 4;
            pts.push_back({cx[i], cy[i], sideNx[i], sideNy[i]});
            pts.push_back({cx[j], cy[j], sideNx[i], sideNy[i]});
        }
        return pts;
    }
    const float r = s.cornerRadius;
    const float centres[4][2] = {
        {hw - r, -hh + r}, {hw - r, hh - r}, {-hw + r, hh - r}, {-hw + r, -hh + r}};
    const double pi = 3.14159265358979;
    for (int c = 0; c < 4; ++c)
    {
        double start = -pi / 2 + c * pi / 2;
        for (int k = 0; k <= s.cornerSegments; ++k)
        {
            double a = start + (pi / 2) * k / s.cornerSegments;
            float nx = (float)std::cos(a), ny = (float)std::sin(a);
            pts.push_back({centres[c][0] + r * nx, centres[c][1] + r * ny, nx, ny});
        }
    }
    return pts;
}
} // namespace

MeshBlock BuildCardMesh(const TCardShape_s& s)
{
    MeshBlock mesh;
    const float hw = s.width * 0.5f, hh = s.height * 0.5f, hz = s.thickness * 0.5f;
    const std::vector<TOutlinePoint_s> outline = Outline(s);
    const size_t n = outline.size();

    const int32_t frontNormal = mesh.AddNormal(0, 0, 1);
    const int32_t backNormal = mesh.AddNormal(0, 0, -1);
    // Edges: one white texel in the face's bottom margin.
    const int32_t edgeTex = mesh.AddTexCoord(0.25f, 0.012f);

    auto faceU = [&](float x) { return 0.5f * (x + hw) / s.width; };
    auto backU = [&](float x) { return 0.5f + 0.5f * (hw - x) / s.width; };
    auto faceV = [&](float y) { return (y + hh) / s.height; };

    // Face and back: a fan around the centre.
    const int32_t frontCentre = mesh.AddPosition(0, 0, hz);
    const int32_t backCentre = mesh.AddPosition(0, 0, -hz);
    const int32_t frontCentreTex = mesh.AddTexCoord(faceU(0), faceV(0));
    const int32_t backCentreTex = mesh.AddTexCoord(backU(0), faceV(0));
    std::vector<int32_t> front(n), back(n), frontTex(n), backTex(n), edgeNormal(n);
    for (size_t i = 0; i < n; ++i)
    {
        const TOutlinePoint_s& p = outline[i];
        front[i] = mesh.AddPosition(p.x, p.y, hz);
        back[i] = mesh.AddPosition(p.x, p.y, -hz);
        frontTex[i] = mesh.AddTexCoord(faceU(p.x), faceV(p.y));
        backTex[i] = mesh.AddTexCoord(backU(p.x), faceV(p.y));
        edgeNormal[i] = mesh.AddNormal(p.nx, p.ny, 0);
    }
    for (size_t i = 0; i < n; ++i)
    {
        size_t j = (i + 1) % n;
        if (outline[i].x == outline[j].x && outline[i].y == outline[j].y)
        {
            continue; // the doubled point of a square corner
        }
        const int32_t fp[3] = {frontCentre, front[i], front[j]};
        const int32_t fn[3] = {frontNormal, frontNormal, frontNormal};
        const int32_t ft[3] = {frontCentreTex, frontTex[i], frontTex[j]};
        mesh.AddFace(fp, fn, ft);
        const int32_t bp[3] = {backCentre, back[j], back[i]};
        const int32_t bn[3] = {backNormal, backNormal, backNormal};
        const int32_t bt[3] = {backCentreTex, backTex[j], backTex[i]};
        mesh.AddFace(bp, bn, bt);
        // Edge band, facing outwards.
        const int32_t et[3] = {edgeTex, edgeTex, edgeTex};
        const int32_t e1p[3] = {back[i], back[j], front[j]};
        const int32_t e1n[3] = {edgeNormal[i], edgeNormal[j], edgeNormal[j]};
        mesh.AddFace(e1p, e1n, et);
        const int32_t e2p[3] = {back[i], front[j], front[i]};
        const int32_t e2n[3] = {edgeNormal[i], edgeNormal[j], edgeNormal[i]};
        mesh.AddFace(e2p, e2n, et);
    }
    return mesh;
}
