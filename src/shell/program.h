#pragma once

#include <QStringList>

// Starts the program: reads the command line, opens the workbook, creates the
// start screen and runs until the program ends. Returns the exit status.
int runProgram(int &argc, char **argv);
