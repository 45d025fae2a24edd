#pragma once
// The program's one way of ending: whichever way it ends, the exit clean-up runs exactly once, on
// the GUI thread, and the process exits with code 0.

class QThread;
class QWidget;
class UpdateSession;

// Creates the objects that live for the whole run: the update download's handle and record.
void initGlobals();
UpdateSession &updateSession();
// Releases them; runs once however often it is called.
void exitCleanup();
// Over the whole process, for the tests: how often the clean-up ran, and on which thread last.
int exitCleanupRunCount();
QThread *exitCleanupThread();

// "退出": asks the main window to close, exactly like its close button.
void quitProgram(QWidget *mainWindow);

// Ends the program from any thread: the GUI thread runs the exit clean-up and leaves every event
// loop with `code`. A call from another thread waits until the GUI thread has done so.
void endProgram(int code = 0);
bool programIsEnding();
