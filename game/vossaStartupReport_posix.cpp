// vossaStartupReport, Linux and other POSIX systems: standard error only.
#include "vossaStartupReport.h"

#include <cstdio>

void ReportStartupFailure(const char* reason)
{
    std::fprintf(stderr, "vossa: cannot start: %s\n",
                 reason != nullptr && reason[0] != '\0' ? reason : "unknown reason");
    std::fflush(stderr);
}
