#include "online/updatesession.h"

#include "platform/processlauncher.h"

#include <QMessageBox>
#include <QMetaObject>

#include <atomic>
#include <mutex>

// What the event routine shares with the session: it lives on in the routine after the session.
struct UpdateSession::Shared {
    std::mutex mutex;
    UpdateSession *session = nullptr; // none once the program is ending
    std::atomic<double> totalSize{0.0};
};

UpdateSession::UpdateSession(std::string publicKey, QObject *parent)
    : QObject(parent), m_shared(std::make_shared<Shared>()), m_task(makeStartupUpdateTask()),
      m_handle(std::move(publicKey))
{
    m_shared->session = this;
    m_hooks.startProgram = launchProgram;
}

UpdateSession::~UpdateSession() { exitCleanup(); }

double UpdateSession::totalSize() const { return m_shared->totalSize.load(); }

void UpdateSession::setHooks(UpdateHooks hooks)
{
    if (!hooks.startProgram)
        hooks.startProgram = launchProgram;
    m_hooks = std::move(hooks);
}

EventRoutine UpdateSession::eventRoutine() const
{
    return [shared = m_shared](const DownloadEvent &event) -> int {
        if (event.number == download::TotalSize) {
            shared->totalSize.store(double(event.value));
            return 0;
        }
        if (event.number != download::TaskEnded || event.outcome == DownloadOutcome::Stopped)
            return 0; // a stopped task (the cancel button, the exit clean-up) ends in silence
        std::lock_guard lock(shared->mutex);
        UpdateSession *session = shared->session;
        if (!session)
            return 0;
        // Message boxes belong on the GUI thread: hand the step over and return at once.
        const QString path = QString::fromStdString(event.path);
        if (event.outcome == DownloadOutcome::Complete)
            QMetaObject::invokeMethod(session, [session, path] { session->complete(path); }, Qt::QueuedConnection);
        else
            QMetaObject::invokeMethod(session, [session, reason = QString::fromStdString(event.reason)] {
                session->reportFailure(reason);
            }, Qt::QueuedConnection);
        return 0;
    };
}

void UpdateSession::exitCleanup()
{
    {
        std::lock_guard lock(m_shared->mutex);
        m_shared->session = nullptr;
    }
    m_handle.destroy();
}

void UpdateSession::complete(const QString &path)
{
    QMessageBox box(QMessageBox::Information, QString::fromUtf16(updatetext::CompletionTitle),
                    QString::fromUtf16(updatetext::Completion), QMessageBox::Ok);
    box.exec();
    const bool mayEnd = !m_hooks.mayEndProgram || m_hooks.mayEndProgram();
    if (!mayEnd) {
        emit downloadEnded(true);
        return;
    }
    QString error;
    if (!m_hooks.startProgram(path, &error)) {
        QMessageBox failed(QMessageBox::Warning, QString::fromUtf16(updatetext::FailureTitle),
                           QString::fromUtf16(updatetext::StartFailure).arg(path, error), QMessageBox::Ok);
        failed.exec();
        emit downloadEnded(true);
        return;
    }
    emit downloadEnded(true);
    if (m_hooks.endProgram)
        m_hooks.endProgram();
}

void UpdateSession::reportFailure(const QString &reason)
{
    QMessageBox box(QMessageBox::Warning, QString::fromUtf16(updatetext::FailureTitle),
                    QString::fromUtf16(updatetext::Failure).arg(reason), QMessageBox::Ok);
    box.exec();
    emit downloadEnded(false);
}
