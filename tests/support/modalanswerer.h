#pragma once
// Answers the program's modal windows as a user would: a timer looks for
// QApplication::activeModalWidget() and carries out the next planned action on it (pressing a
// message-box button, clicking a named button). Every window it meets is described in seen(), so a
// test can check titles, texts, icons and buttons. A window that comes when no action is left is
// recorded as unexpected and closed, so that a wrong path fails the test instead of hanging it.

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <functional>

class ModalAnswerer : public QObject
{
    Q_OBJECT
public:
    using Action = std::function<void(QWidget *)>;

    // Actions by short names, for test tables: "Yes", "No", "Ok" press that message-box button;
    // "Cancel" likewise; "click:NAME" clicks the button with objectName NAME; "close" closes the
    // window; "file:PATH" types PATH into a file dialog and presses Enter.
    static Action action(const QString &name);

    explicit ModalAnswerer(QList<Action> plan);
    explicit ModalAnswerer(const QStringList &plan);

    // One line per window met: "title|text|icon|buttons" for a message box, "title" followed by
    // "|name=text" for each named label of any other window.
    QStringList seen() const { return m_seen; }
    int actionsLeft() const { return int(m_plan.size()); }
    int unexpected() const { return m_unexpected; }
    // Waits until every planned action has been carried out; false when time ran out.
    bool finished(int timeoutMs = 5000);
    // The plan may grow while the answerer runs.
    void plan(const QString &name) { m_plan << action(name); }
    void plan(Action action) { m_plan << std::move(action); }
    // Windows with this title are neither described nor answered while they are open: a progress
    // window that closes by itself when its work ends. One left open longer than LeaveLimitMs is
    // closed and counted as unexpected, so that a hang fails the test instead of stalling it.
    void leaveAlone(const QString &title) { m_leftAlone << title; }
    static constexpr int LeaveLimitMs = 30000;

    static QString describe(QWidget *window);

private:
    void poll();

    QList<Action> m_plan;
    QStringList m_seen;
    int m_unexpected = 0;
    QTimer m_timer;
    bool m_actionPending = false;
    // Windows whose action is still running (an action may wait while its window stays open).
    QList<QPointer<QWidget>> m_acting;
    QStringList m_leftAlone;
};
