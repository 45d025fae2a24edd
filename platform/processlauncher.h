#pragma once
// Starts a program file as a new process of its own, made executable first where the platform
// needs that (a downloaded file arrives without the executable bits on Linux).

#include <QString>

// True when the process was started; otherwise false with a reason in `error`.
bool launchProgram(const QString &path, QString *error = nullptr);
