#pragma once
// The command line: --server URL, --help, --version, --export-catalogue, and an optional script to open.

#include <QString>

class QCoreApplication;

struct CommandLine {
    bool ok = true;          // false: a message was printed and the program ends with `exitCode`
    int exitCode = 0;
    QString scriptPath;      // a script given as argument, opened as if chosen in the open dialog
};

// Applies --server to the current site; handles --help, --version and --export-catalogue by printing
// and asking to end.
CommandLine parseCommandLine(const QCoreApplication &app);
