#pragma once
// Connects the main window to the windows and services it opens: the menu's windows, the version
// checks and the update download.

class MainWindow;
class UpdateSession;
struct VersionCheckHooks;

// What a version check may do: open the progress window, end the program (after asking about an
// unsaved script).
VersionCheckHooks versionCheckHooks(MainWindow *window, UpdateSession &session);

void connectMainWindow(MainWindow *window, UpdateSession &session);
