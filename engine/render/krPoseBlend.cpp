// krPoseBlend: array poses between two update states.
#include "render/krPoseBlend.h"

#include <cmath>

#include "render/krGeometry.h"
#include "render/krVertexArray.h"

namespace
{
TPose_s PoseOf(const krVertexArray* array)
{
    TPose_s pose;
    array->GetCenter(pose.position);
    array->GetAngle(pose.angle);
    pose.scale = array->GetScale();
    return pose;
}

void SetPose(krVertexArray* array, const TPose_s& pose)
{
    array->SetPosition(pose.position);
    array->SetAngle(pose.angle);
    array->SetScale(pose.scale);
}

float Mix(float from, float to, float fraction)
{
    return from + (to - from) * fraction;
}
} // namespace

TPose_s krBlendPose(const TPose_s& from, const TPose_s& to, float fraction, float jumpDistance,
                    float jumpAngle)
{
    float moved = 0.0f;
    for (int k = 0; k < 3; ++k)
    {
        const float d = to.position[k] - from.position[k];
        moved += d * d;
        if (!(std::fabs(to.angle[k] - from.angle[k]) <= jumpAngle))
        {
            return to;
        }
    }
    if (!(std::sqrt(moved) <= jumpDistance))
    {
        return to;
    }
    TPose_s pose;
    for (int k = 0; k < 3; ++k)
    {
        pose.position[k] = Mix(from.position[k], to.position[k], fraction);
        pose.angle[k] = Mix(from.angle[k], to.angle[k], fraction);
    }
    pose.scale = Mix(from.scale, to.scale, fraction);
    return pose;
}

krPoseBlend::krPoseBlend(float jumpDistance, float jumpAngle)
    : jumpDistance(jumpDistance), jumpAngle(jumpAngle)
{
}

void krPoseBlend::Capture(const krGeometry* geometry)
{
    captured.clear();
    for (uint64_t i = 0; geometry != nullptr && i < geometry->Length(); ++i)
    {
        if (krVertexArray* array = geometry->GetVertexArray(i))
        {
            captured.push_back({array, PoseOf(array)});
        }
    }
}

void krPoseBlend::Forget()
{
    captured.clear();
}

void krPoseBlend::Apply(krGeometry* geometry, float fraction)
{
    present.clear();
    for (uint64_t i = 0; geometry != nullptr && i < geometry->Length(); ++i)
    {
        krVertexArray* array = geometry->GetVertexArray(i);
        if (array == nullptr)
        {
            continue;
        }
        // Mostly the array sits where it was captured; else it is looked for.
        const TEntry_s* past =
            i < captured.size() && captured[i].array == array ? &captured[i] : nullptr;
        for (uint64_t j = 0; past == nullptr && j < captured.size(); ++j)
        {
            past = captured[j].array == array ? &captured[j] : nullptr;
        }
        if (past == nullptr)
        {
            continue;
        }
        const TPose_s now = PoseOf(array);
        present.push_back({array, now});
        SetPose(array, krBlendPose(past->pose, now, fraction, jumpDistance, jumpAngle));
    }
}

void krPoseBlend::Restore()
{
    for (const TEntry_s& entry : present)
    {
        SetPose(entry.array, entry.pose);
    }
    present.clear();
}
