#pragma once

// Runs the program: command line, program-wide objects, main window, event loop. Returns the exit code.
int startProgram(int argc, char *argv[]);
