#pragma once
// The progress window "自动更新": starts the update download when it is created and shows the
// download's percentage every second.

#include <QDialog>

class QProgressBar;
class QPushButton;
class QTimer;
class UpdateSession;

class ProgressWindow : public QDialog
{
    Q_OBJECT

public:
    explicit ProgressWindow(UpdateSession &session, QWidget *parent = nullptr);

    // The window's "created" step: give the task its update values and add it to the handle.
    void startUpdateDownload();
    void onProgressTimer();


private:
    void cancelUpdate();

    UpdateSession &m_session;
    QProgressBar *m_bar;
    QPushButton *m_cancel;
    QTimer *m_timer;
};

// "马上更新" in the update prompt: opens the progress window modally and returns when it has closed.
void openProgressWindow(UpdateSession &session);
