#include "modalanswer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>

ModalAnswerer::~ModalAnswerer() = default;

void ModalAnswerer::arm()
{
    if (m_armed)
        return;
    m_armed = true;
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [this, poll] {
        if (m_answers.isEmpty()) {
            m_armed = false;
            return;
        }
        QWidget *modal = QApplication::activeModalWidget();
        if (modal && modal != m_lastAnswered && modal->isVisible()) {
            m_lastAnswered = modal;
            if (auto *box = qobject_cast<QMessageBox *>(modal))
                m_messages.append({box->windowTitle(), box->text(), box->icon(), box->standardButtons()});
            // Acting may open the next modal window and wait in it: act from the event loop, and
            // keep watching meanwhile.
            QTimer::singleShot(0, modal, [action = m_answers.takeFirst(), modal] { action(modal); });
        }
        QTimer::singleShot(10, &m_context, *poll);
    };
    QTimer::singleShot(10, &m_context, *poll);
}

void ModalAnswerer::answerWith(std::function<void(QWidget *)> action)
{
    m_answers.append(std::move(action));
    arm();
}

void ModalAnswerer::answerMessage(QMessageBox::StandardButton button)
{
    answerWith([button](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        QVERIFY2(box, qPrintable(QStringLiteral("expected a message box, got %1").arg(modal->metaObject()->className())));
        QAbstractButton *b = box->button(button);
        QVERIFY2(b, "the message box lacks the button to press");
        b->click();
    });
}

void ModalAnswerer::answerFileDialog(const QString &fileName)
{
    answerWith([fileName](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        QVERIFY2(dialog, "expected a file dialog");
        auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        QVERIFY(edit);
        edit->setText(fileName);
        QTest::keyClick(edit, Qt::Key_Return);
    });
}

void ModalAnswerer::cancelFileDialog()
{
    answerWith([](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        QVERIFY2(dialog, "expected a file dialog");
        dialog->reject();
    });
}

QStringList ModalAnswerer::messageTexts() const
{
    QStringList texts;
    for (const SeenMessage &m : m_messages)
        texts.append(m.text);
    return texts;
}

bool ModalAnswerer::allAnswered(int timeoutMs)
{
    return QTest::qWaitFor([this] { return m_answers.isEmpty(); }, timeoutMs);
}
