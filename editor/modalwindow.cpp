#include "editor/modalwindow.h"

#include "platform/windowframe.h"

#include <QDialog>
#include <QEvent>
#include <QPointer>

namespace {

// Sizes and centres the window again when it is shown, when the real frame is known.
class OuterSizeKeeper : public QObject
{
public:
    OuterSizeKeeper(QWidget *window, QSize outerSize) : QObject(window), m_outerSize(outerSize) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            auto *window = static_cast<QWidget *>(watched);
            setFixedOuterSize(window, m_outerSize);
            centreOnPrimaryScreen(window);
        }
        return false;
    }

private:
    QSize m_outerSize;
};

} // namespace

void prepareModalWindow(QDialog &window, const QString &title, QSize outerSize)
{
    window.setWindowTitle(title);
    window.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    window.setWindowModality(Qt::ApplicationModal);
    setFixedOuterSize(&window, outerSize);
    centreOnPrimaryScreen(&window);
    window.installEventFilter(new OuterSizeKeeper(&window, outerSize));
}

void runModalWindow(QDialog *window)
{
    const QPointer<QDialog> guard(window);
    window->exec();
    delete guard.data(); // null when the parent was destroyed while the window was open
}

void paintRedOnBlack(QWidget &widget)
{
    // Selected by class, so that the rule reaches the widget but not its scroll bars.
    widget.setStyleSheet(QStringLiteral("%1 { color: rgb(255, 0, 0); background-color: rgb(0, 0, 0); border: none; }")
                             .arg(QLatin1StringView(widget.metaObject()->className())));
}
