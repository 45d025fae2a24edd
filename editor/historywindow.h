#pragma once

class QWidget;

// The window "更新版本历史": the list of changes by version, read-only, first line at the top.
// Runs modally over `mainWindow` and returns when it has been closed.
void openHistoryWindow(QWidget *mainWindow);
