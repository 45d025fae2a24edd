#include "editor/aboutwindow.h"

#include "app/site.h"
#include "editor/hyperlinkbox.h"
#include "editor/modalwindow.h"

#include <QDialog>
#include <QLabel>

namespace {

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

    // The site host alone, without scheme or path: the box hands it to the browser as a web address.
    auto *link = new HyperlinkBox(window);
    link->setObjectName(QStringLiteral("超级链接框1"));
    link->setGeometry(16, 139, 104, 32);
    link->setText(QStringLiteral("访问官方网站"));
    link->setLinkKind(HyperlinkBox::WebAddress);
    link->setWebAddress(host);
    link->setNormalColour(QColor(255, 0, 0));
    link->setAutoFillBackground(true);
    QPalette black = link->palette();
    black.setColor(QPalette::Window, Qt::black);
    link->setPalette(black);

    runModalWindow(window);
}
