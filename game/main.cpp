// main: the program entry. Builds the game for a full-screen window, starts it and runs its
// main loop; a failed start-up ends the program at once.
#include "vossaGame.h"

int main(int argc, char** argv)
{
    vossaGame* game = new vossaGame(1280, 720, true);
    if (game->Init())
    {
        game->Run(argc, argv);
    }
    delete game;
    return 0;
}
