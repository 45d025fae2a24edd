#include "editor/authorwindow.h"

#include "app/site.h"
#include "editor/modalwindow.h"
#include "platform/fonts.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>

namespace {

QString authorText(const QString &siteHost)
{
    return QStringLiteral("软件下载\r\n\r\n网站：") + siteHost + QStringLiteral("\r\n");
}

// The button's picture is 89×68; it is drawn at a size that leaves room for the caption.
constexpr QSize BUTTON_PICTURE_SIZE{30, 23};

} // namespace

void openAuthorWindow(QWidget *mainWindow)
{
    auto *window = new QDialog(mainWindow);
    prepareModalWindow(*window, QStringLiteral("关于作者信息"), {306, 170});

    auto *label = new QLabel(authorText(currentSite().host), window);
    label->setObjectName(QStringLiteral("标签1"));
    label->setGeometry(32, 16, 216, 80);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    label->setFont(layoutFont("楷体_GB2312", 16));
    paintRedOnBlack(*label);

    auto *ok = new QPushButton(QIcon(QStringLiteral(":/images/author-button.gif")), QStringLiteral("确定"), window);
    ok->setObjectName(QStringLiteral("按钮1"));
    ok->setGeometry(112, 88, 72, 40);
    ok->setIconSize(BUTTON_PICTURE_SIZE);
    QObject::connect(ok, &QPushButton::clicked, window, &QDialog::accept);

    runModalWindow(window);
}
