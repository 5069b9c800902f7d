// krGUIResource: the engine's own small resource archive. Init registers the compiled-in
// engine logo under "krEngineLogo". The one instance lives in the process-wide `Resource`,
// which the GUI manager creates in its constructor and deletes in its destructor.
#pragma once

#include "data/krResource.h"

class krGUIResource : public krResource
{
public:
    // Appends a copy of the compiled-in logo block as "krEngineLogo"; returns true.
    bool Init();
};

// Null while no GUI manager exists; owned by the GUI manager.
extern krGUIResource* Resource;
