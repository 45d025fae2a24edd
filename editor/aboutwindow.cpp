#include "editor/aboutwindow.h"

#include "app/site.h"
#include "editor/modalwindow.h"
#include "platform/shell.h"

#include <QDialog>
#include <QLabel>
#include <QMouseEvent>
#include <QUrl>

namespace {

// A web link drawn as text: red, blue under the mouse pointer, dark red once opened. It hands its
// address, a bare host name, to the browser as an http address.
class SiteLink : public QLabel
{
public:
    SiteLink(const QString &text, const QString &address, QWidget *parent) : QLabel(text, parent)
    {
        setProperty("address", address);
        setCursor(Qt::PointingHandCursor);
        restyle();
    }

protected:
    void enterEvent(QEnterEvent *event) override
    {
        hovered = true;
        restyle();
        QLabel::enterEvent(event);
    }
    void leaveEvent(QEvent *event) override
    {
        hovered = false;
        restyle();
        QLabel::leaveEvent(event);
    }
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
            opened = true;
            restyle();
            openAddress(QUrl::fromUserInput(property("address").toString()));
        }
        QLabel::mouseReleaseEvent(event);
    }

private:
    void restyle()
    {
        const char *colour = hovered ? "rgb(49, 106, 197)" : opened ? "rgb(128, 0, 0)" : "rgb(255, 0, 0)";
        setStyleSheet(QStringLiteral("QLabel { color: %1; background-color: rgb(0, 0, 0); border: none; }")
                          .arg(QLatin1StringView(colour)));
    }

    bool hovered = false;
    bool opened = false;
};

QString aboutText(const QString &siteHost)
{
    return QStringLiteral("软件名称：燧川脚本编辑器\r\n\r\n软件版本：V1.3版\r\n\r\n更新日期：2010/12/25日\r\n\r\n下载网站：")
        + siteHost + QStringLiteral("\r\n");
}

} // namespace

void openAboutWindow(QWidget *mainWindow)
{
    auto *window = new QDialog(mainWindow);
    prepareModalWindow(*window, QStringLiteral("关于本软件"), {380, 250});
    const QString host = currentSite().host;

    auto *label = new QLabel(aboutText(host), window);
    label->setObjectName(QStringLiteral("标签1"));
    label->setGeometry(8, 14, 296, 184);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    paintRedOnBlack(*label);

    auto *link = new SiteLink(QStringLiteral("访问官方网站"), host, window);
    link->setObjectName(QStringLiteral("超级链接框1"));
    link->setGeometry(16, 139, 104, 32);

    runModalWindow(window);
}
