#include "online/progresswindow.h"

#include "app/site.h"
#include "editor/modalwindow.h"
#include "online/updatewindowicon.h"
#include "online/updateprogress.h"
#include "online/updatesession.h"

#include <QApplication>
#include <QDir>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

namespace {

struct Layout {
    QSize window{428, 81};
    QRect bar{8, 8, 408, 16};
    QRect cancel{136, 24, 128, 24};
    int timerMs = 1000;
};
constexpr Layout windowLayout;

} // namespace

ProgressWindow::ProgressWindow(UpdateSession &session, QWidget *parent)
    : QDialog(parent), m_session(session), m_bar(new QProgressBar(this)), m_cancel(new QPushButton(this)), m_timer(new QTimer(this))
{
    prepareModalWindow(*this, QStringLiteral("自动更新"), windowLayout.window);
    setWindowIcon(updateWindowIcon());

    m_bar->setObjectName(QStringLiteral("进度条1"));
    m_bar->setGeometry(windowLayout.bar);
    m_bar->setRange(0, 100);
    m_bar->setValue(0);

    m_cancel->setObjectName(QStringLiteral("取消更新"));
    m_cancel->setText(QStringLiteral("取消更新"));
    m_cancel->setGeometry(windowLayout.cancel);
    m_cancel->setAutoDefault(false);
    connect(m_cancel, &QPushButton::clicked, this, &ProgressWindow::cancelUpdate);

    m_timer->setObjectName(QStringLiteral("时钟"));
    m_timer->setInterval(windowLayout.timerMs);
    connect(m_timer, &QTimer::timeout, this, &ProgressWindow::onProgressTimer);
    m_timer->start();

    connect(&m_session, &UpdateSession::downloadEnded, this, [this](bool complete) {
        if (complete)
            m_bar->setValue(100);
        accept();
    });
    startUpdateDownload();
}

void ProgressWindow::startUpdateDownload()
{
    UpdateTask &task = m_session.task();
    applyUpdateValues(task, currentSite().baseAddress.toStdString(), QDir::currentPath().toStdString(),
                      m_session.eventRoutine());
    m_session.handle().add(task); // a busy handle refuses: the bar then shows the running task
}

void ProgressWindow::onProgressTimer()
{
    m_bar->setValue(progressPercent(double(m_session.handle().doneLength()), m_session.totalSize()));
}

void ProgressWindow::cancelUpdate()
{
    // Stops the task (it then ends in silence) and closes the window; no process is ended by name.
    m_session.handle().destroy();
    reject();
}

void openProgressWindow(UpdateSession &session)
{
    ProgressWindow window(session);
    window.exec();
}
