#include "modalanswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLabel>
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
    const QMessageBox::StandardButton standard = name == u"Yes" ? QMessageBox::Yes
                                                 : name == u"No" ? QMessageBox::No
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
    if (!window || !window->isVisible())
        return;
    m_seen << describe(window);
    if (m_plan.isEmpty()) {
        ++m_unexpected;
        closeWindow(window);
        return;
    }
    const Action next = m_plan.takeFirst();
    next(window);
}
