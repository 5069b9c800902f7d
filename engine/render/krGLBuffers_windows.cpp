// krGLBuffers, Windows: opengl32 exports OpenGL 1.1 only; the buffer functions come from the
// driver of the current context.
#include "render/krGLBuffers.h"

#include <SDL.h>

PFNGLGENBUFFERSPROC krglGenBuffers = nullptr;
PFNGLDELETEBUFFERSPROC krglDeleteBuffers = nullptr;
PFNGLBINDBUFFERPROC krglBindBuffer = nullptr;
PFNGLBUFFERDATAPROC krglBufferData = nullptr;
PFNGLBUFFERSUBDATAPROC krglBufferSubData = nullptr;

namespace
{
template <typename T> bool Find(T& function, const char* name)
{
    function = reinterpret_cast<T>(SDL_GL_GetProcAddress(name));
    return function != nullptr;
}
} // namespace

bool krFindGLBufferFunctions()
{
    return Find(krglGenBuffers, "glGenBuffers") && Find(krglDeleteBuffers, "glDeleteBuffers") &&
           Find(krglBindBuffer, "glBindBuffer") && Find(krglBufferData, "glBufferData") &&
           Find(krglBufferSubData, "glBufferSubData");
}
