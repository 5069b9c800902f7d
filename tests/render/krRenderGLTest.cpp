// krRenderGLTest: GL fixture that pins the loaded OpenGL driver libraries.
#include "krRenderGLTest.h"

#include <dlfcn.h>
#include <link.h>

#include <cstring>

namespace
{

int PinDriver(struct dl_phdr_info* info, size_t, void*)
{
    const char* name = info->dlpi_name;
    if (name &&
        (strstr(name, "_dri.so") || strstr(name, "libgallium") || strstr(name, "libGLX_mesa")))
    {
        // Only takes a reference on an object that is already loaded; never unloaded after.
        dlopen(name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
    }
    return 0;
}

} // namespace

void krRenderGLTest::SetUp()
{
    krGLTest::SetUp();
    if (context)
    {
        dl_iterate_phdr(PinDriver, nullptr);
    }
}
