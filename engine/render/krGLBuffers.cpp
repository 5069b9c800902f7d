// krGLBuffers: the OpenGL version check shared by every platform.
#include "render/krGLBuffers.h"

#include <cstdio>

bool krGLVersionAtLeast(const char* version, int major, int minor)
{
    if (version == nullptr || *version < '0' || *version > '9')
    {
        return false;
    }
    int haveMajor = 0;
    const char* p = version;
    for (; *p >= '0' && *p <= '9'; ++p)
    {
        if (haveMajor > 1000)
        {
            return false;
        }
        haveMajor = haveMajor * 10 + (*p - '0');
    }
    if (*p != '.' || p[1] < '0' || p[1] > '9')
    {
        return false;
    }
    int haveMinor = 0;
    for (++p; *p >= '0' && *p <= '9' && haveMinor <= 1000; ++p)
    {
        haveMinor = haveMinor * 10 + (*p - '0');
    }
    return haveMajor > major || (haveMajor == major && haveMinor >= minor);
}

bool krLoadGLBuffers(char* found, size_t size)
{
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    if (krGLVersionAtLeast(version, 1, 5) && krFindGLBufferFunctions())
    {
        return true;
    }
    if (found != nullptr && size > 0)
    {
        std::snprintf(found, size, "%s", version != nullptr ? version : "none");
    }
    return false;
}
