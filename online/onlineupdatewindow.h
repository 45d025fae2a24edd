#pragma once
// The online update window "在线更新窗口", opened from the menu item "在线远程更新": it fetches the
// version text anew each time and runs the online check as its created step.

#include "online/versioncheck.h"

#include <QDialog>

class QLabel;

class OnlineUpdateWindow : public QDialog
{
    Q_OBJECT
public:
    OnlineUpdateWindow();
    QLabel *versionLabel() const { return m_versionLabel; } // 标签1

private:
    QLabel *m_versionLabel = nullptr;
};

// Builds the window, runs runOnlineVersionCheck on a fresh fetch and, unless that ended the program,
// shows the window modally until the user closes it.
CheckOutcome openOnlineUpdateWindow(const VersionCheckHooks &hooks);
