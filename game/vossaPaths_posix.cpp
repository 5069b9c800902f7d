// vossaPaths, Linux and other POSIX systems: the working folder.
#include "vossaPaths.h"

#include "vossaGame.h"
#include "vossaSettings.h"

std::string DataFilePath()
{
    return kDataFileName;
}

std::string SettingsFilePath()
{
    return kSettingsFileName;
}
