// krGLBuffers, Linux and other POSIX systems: the OpenGL library exports the buffer functions,
// so there is nothing to look up.
#include "render/krGLBuffers.h"

bool krFindGLBufferFunctions()
{
    return true;
}
