// krGLVersionAtLeast: the start-up check that the driver offers OpenGL 1.5, from the version
// strings drivers report.
#include <gtest/gtest.h>

#include "render/krGLBuffers.h"

TEST(krGLVersion, DriversAtOrAbove15PassAndOlderOrForeignOnesFail)
{
    EXPECT_TRUE(krGLVersionAtLeast("1.5.0 NVIDIA 340.108", 1, 5));
    EXPECT_TRUE(krGLVersionAtLeast("4.5 (Compatibility Profile) Mesa 22.3.6", 1, 5));
    EXPECT_TRUE(krGLVersionAtLeast("2.0", 1, 5));
    EXPECT_TRUE(krGLVersionAtLeast("1.10", 1, 5)); // minors compare as numbers
    EXPECT_FALSE(krGLVersionAtLeast("1.4 Mesa 5.1", 1, 5));
    EXPECT_FALSE(krGLVersionAtLeast("1.1.0", 1, 5));
    EXPECT_FALSE(krGLVersionAtLeast("0.9", 1, 5));
    // What is not a desktop version string is never taken for one.
    EXPECT_FALSE(krGLVersionAtLeast(nullptr, 1, 5));
    EXPECT_FALSE(krGLVersionAtLeast("", 1, 5));
    EXPECT_FALSE(krGLVersionAtLeast("OpenGL ES 3.2 Mesa", 1, 5));
    EXPECT_FALSE(krGLVersionAtLeast("2", 1, 5));
    EXPECT_FALSE(krGLVersionAtLeast("2.x", 1, 5));
    EXPECT_FALSE(krGLVersionAtLeast("99999999999999999999.0", 1, 5));
}
