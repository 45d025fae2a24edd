#pragma once
// The update history shown by the window "更新版本历史".

#include <QString>

// The history's lines joined by "\r\n", no line break after the last line, which ends in `siteDomain`.
QString updateHistoryText(const QString &siteDomain);
