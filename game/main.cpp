// main: the program entry. Builds the game for a full-screen window, starts it and runs its
// main loop. A failed start-up ends the program at once with status 1 and says why.
#include <string>

#include "vossaGame.h"
#include "vossaStartupReport.h"

int main(int argc, char** argv)
{
    vossaGame* game = new vossaGame(1280, 720, true);
    if (game->Init())
    {
        game->Run(argc, argv);
        delete game;
        return 0;
    }
    // The window is closed before the reason is shown.
    const std::string reason = game->GetStartupError();
    delete game;
    ReportStartupFailure(reason.c_str());
    return 1;
}
