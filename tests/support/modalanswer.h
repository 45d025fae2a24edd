#pragma once
// Answers the program's real modal windows as a user would: waits for the next modal window to
// appear, then acts on it (clicks a button, fills in a dialog).

#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>

class QFileDialog;

struct SeenMessage {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
};

class ModalAnswerer
{
public:
    // Each answer is used for the next modal window that appears, in order.
    void answerMessage(QMessageBox::StandardButton button);
    void answerFileDialog(const QString &fileName);  // types the name and accepts
    void cancelFileDialog();
    void answerWith(std::function<void(QWidget *)> action);

    const QList<SeenMessage> &messages() const { return m_messages; }
    QStringList messageTexts() const;
    // True when every queued answer was used within `timeoutMs`.
    bool allAnswered(int timeoutMs = 5000);
    int pending() const { return int(m_answers.size()); }

    ~ModalAnswerer();

private:
    void arm();
    QObject m_context; // its timers die with the answerer
    QList<std::function<void(QWidget *)>> m_answers;
    QList<SeenMessage> m_messages;
    // A guarded pointer: the next dialog may be built at the same address as the last one.
    QPointer<QWidget> m_lastAnswered;
    bool m_armed = false;
};
