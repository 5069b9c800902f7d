// krRenderGLTest: the GL test fixture for the renderer tests. Besides the window and context
// of krGLTest it keeps the OpenGL driver loaded for the rest of the process, so that the leak
// checker can still name the driver's own allocations (and apply the suppressions for them)
// after the context has been destroyed and the driver unloaded.
#pragma once

#include "krTestGL.h"

class krRenderGLTest : public krGLTest
{
protected:
    void SetUp() override;
};
