#pragma once

class QWidget;

// The window "关于本软件": name, version, date and download site, with a link that opens the site.
// Runs modally over `mainWindow` and returns when it has been closed.
void openAboutWindow(QWidget *mainWindow);
