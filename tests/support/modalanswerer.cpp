#include "modalanswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDateTime>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QLabel>
#include <QPointer>
#include <QTest>

namespace {

QString iconName(QMessageBox::Icon icon)
{
    switch (icon) {
    case QMessageBox::NoIcon: return QStringLiteral("NoIcon");
    case QMessageBox::Information: return QStringLiteral("Information");
    case QMessageBox::Warning: return QStringLiteral("Warning");
    case QMessageBox::Critical: return QStringLiteral("Critical");
    case QMessageBox::Question: return QStringLiteral("Question");
    }
    return QStringLiteral("?");
}

QString buttonNames(QMessageBox::StandardButtons buttons)
{
    QStringList names;
    for (auto [button, name] : {std::pair{QMessageBox::Ok, "Ok"}, std::pair{QMessageBox::Yes, "Yes"},
                                std::pair{QMessageBox::No, "No"}, std::pair{QMessageBox::Cancel, "Cancel"}}) {
        if (buttons.testFlag(button))
            names << QString::fromLatin1(name);
    }
    return names.join(u',');
}

void closeWindow(QWidget *window)
{
    if (auto *dialog = qobject_cast<QDialog *>(window))
        dialog->done(QDialog::Rejected);
    else
        window->close();
}

// Set on a window the answerer leaves alone: when it was first met, in milliseconds since the epoch.
const char LeftAloneSince[] = "modalAnswererLeftAloneSince";

} // namespace

ModalAnswerer::Action ModalAnswerer::action(const QString &name)
{
    if (name.startsWith(QStringLiteral("click:"))) {
        const QString objectName = name.mid(6);
        return [objectName](QWidget *window) {
            auto *button = window->findChild<QAbstractButton *>(objectName);
            QVERIFY2(button, qPrintable(QStringLiteral("no button ") + objectName));
            button->click();
        };
    }
    if (name == u"close")
        return closeWindow;
    if (name.startsWith(QStringLiteral("file:"))) {
        const QString path = name.mid(5);
        return [path](QWidget *window) {
            auto *dialog = qobject_cast<QFileDialog *>(window);
            QVERIFY2(dialog, "expected a file dialog");
            auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            QVERIFY(edit);
            edit->setText(path);
            QTest::keyClick(edit, Qt::Key_Return);
        };
    }
    const QMessageBox::StandardButton standard = name == u"Yes"      ? QMessageBox::Yes
                                                 : name == u"No"     ? QMessageBox::No
                                                 : name == u"Cancel" ? QMessageBox::Cancel
                                                                     : QMessageBox::Ok;
    return [standard](QWidget *window) {
        auto *box = qobject_cast<QMessageBox *>(window);
        QAbstractButton *button = box ? box->button(standard) : nullptr;
        if (!button) {
            closeWindow(window);
            return;
        }
        button->click();
    };
}

ModalAnswerer::ModalAnswerer(QList<Action> plan) : m_plan(std::move(plan))
{
    connect(&m_timer, &QTimer::timeout, this, &ModalAnswerer::poll);
    m_timer.start(10);
}

ModalAnswerer::ModalAnswerer(const QStringList &plan)
    : ModalAnswerer([&plan] {
          QList<Action> actions;
          for (const QString &name : plan)
              actions << action(name);
          return actions;
      }())
{
}

QString ModalAnswerer::describe(QWidget *window)
{
    if (auto *box = qobject_cast<QMessageBox *>(window))
        return QStringList{box->windowTitle(), box->text(), iconName(box->icon()), buttonNames(box->standardButtons())}
            .join(u'|');
    QString line = window->windowTitle();
    for (const QLabel *label : window->findChildren<QLabel *>()) {
        if (!label->objectName().isEmpty() && !label->objectName().startsWith(u"qt_"))
            line += u'|' + label->objectName() + u'=' + label->text();
    }
    return line;
}

void ModalAnswerer::poll()
{
    QWidget *window = QApplication::activeModalWidget();
    if (!window || !window->isVisible() || m_actionPending || m_acting.contains(window))
        return; // an action that waits or clicks on in its window is not overtaken by the next one
    if (m_leftAlone.contains(window->windowTitle())) {
        const qint64 now = QDateTime::currentMSecsSinceEpoch();
        if (!window->property(LeftAloneSince).isValid())
            window->setProperty(LeftAloneSince, now);
        if (now - window->property(LeftAloneSince).toLongLong() > LeaveLimitMs) {
            ++m_unexpected;
            closeWindow(window);
        }
        return;
    }
    m_seen << describe(window);
    if (m_plan.isEmpty()) {
        ++m_unexpected;
        closeWindow(window);
        return;
    }
    // The action may open the next modal window and wait in it; a timer's handler is not entered
    // again while it runs, so act from the event loop and keep polling meanwhile.
    m_actionPending = true;
    QTimer::singleShot(0, this, [this, next = m_plan.takeFirst(), target = QPointer<QWidget>(window)] {
        m_actionPending = false;
        if (!target)
            return;
        m_acting << target;
        next(target);
        m_acting.removeAll(target);
        m_acting.removeAll(nullptr);
    });
}

bool ModalAnswerer::finished(int timeoutMs)
{
    return QTest::qWaitFor([this] { return m_plan.isEmpty(); }, timeoutMs);
}
