#pragma once

class QWidget;

// The window "关于作者信息": where to download the program, and "确定" to close it.
// Runs modally over `mainWindow` and returns when it has been closed.
void openAuthorWindow(QWidget *mainWindow);
