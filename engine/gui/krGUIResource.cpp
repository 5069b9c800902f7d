// krGUIResource: the engine archive holding the compiled-in logo, and the global `Resource`.
#include "gui/krGUIResource.h"

#include "gui/krEngineLogo.h"

krGUIResource* Resource = nullptr;

bool krGUIResource::Init()
{
    // A view over the static bytes; the archive keeps its own copy.
    krMemoryBlock logo;
    logo.data = const_cast<uint8_t*>(krEngineLogo);
    logo.size = krEngineLogo_size;
    Append(&logo, "krEngineLogo");
    return true;
}
