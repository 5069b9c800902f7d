// krPoseBlend: draws the arrays of a collection between two update states. Capture records
// every array's pose (position, angles, scale) before an update step; after the step, Apply
// gives each array the pose `fraction` of the way from the recorded pose to its present one,
// and Restore puts the present poses back once the frame is drawn. Arrays are matched by
// identity, so a collection that was reordered meanwhile still blends each array with its own
// past. An array that was not recorded, or that jumped (moved farther than the jump distance
// or turned farther than the jump angle in one step), is drawn where it is.
#pragma once

#include <cstdint>
#include <vector>

class krGeometry;
class krVertexArray;

// One array's pose.
struct TPose_s
{
    float position[3];
    float angle[3];
    float scale;
};

// `from` + (`to` - `from`) * fraction, component by component; `to` itself when the position
// moved farther than `jumpDistance` or an angle farther than `jumpAngle`.
TPose_s krBlendPose(const TPose_s& from, const TPose_s& to, float fraction, float jumpDistance,
                    float jumpAngle);

class krPoseBlend
{
public:
    krPoseBlend(float jumpDistance, float jumpAngle);

    void Capture(const krGeometry* geometry);
    // Forgets what was captured: Apply then leaves every array as it is.
    void Forget();
    void Apply(krGeometry* geometry, float fraction);
    void Restore();

private:
    struct TEntry_s
    {
        krVertexArray* array;
        TPose_s pose;
    };
    float jumpDistance;
    float jumpAngle;
    std::vector<TEntry_s> captured; // the poses before the last step
    std::vector<TEntry_s> present;  // the poses Restore puts back
};
