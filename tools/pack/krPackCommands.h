// krPackCommands: the subcommands of vossa-pack. Each takes the arguments after its own name
// and returns the exit status: 0 success, 1 bad input (one-line reason on stderr), 2 bad usage
// (usage text on stderr).
#pragma once

enum TPackExit
{
    peSuccess = 0,
    peBadInput = 1,
    peBadUsage = 2,
};

int krPackCreate(int argc, char** argv);
int krPackList(int argc, char** argv);
int krPackExtract(int argc, char** argv);
int krPackVerify(int argc, char** argv);

// Dispatches a whole command line (argv[0] is the program name).
int krPackMain(int argc, char** argv);
