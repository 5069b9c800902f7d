// vossa-pack: command-line tool over resource archives. See krPackCommands.h.
#include "krPackCommands.h"

int main(int argc, char** argv)
{
    return krPackMain(argc, argv);
}
