#include "online/onlineupdatewindow.h"

#include "online/updatewindowicon.h"
#include "editor/modalwindow.h"

#include <QGroupBox>
#include <QLabel>

namespace {

constexpr QSize kOuterSize{256, 95};
constexpr QRect kGroupBox{8, 13, 229, 34};
constexpr QRect kCaptionLabel{0, 12, 56, 16};
constexpr QRect kVersionLabel{70, 12, 150, 16};

} // namespace

OnlineUpdateWindow::OnlineUpdateWindow()
    {
    prepareModalWindow(*this, QStringLiteral("在线更新窗口"), kOuterSize);
    setWindowIcon(updateWindowIcon());

    auto *group = new QGroupBox(this);
    group->setObjectName(QStringLiteral("分组框1"));
    group->setGeometry(kGroupBox);

    auto *caption = new QLabel(QStringLiteral("当前版本："), group);
    caption->setObjectName(QStringLiteral("标签2"));
    caption->setGeometry(kCaptionLabel);

    m_versionLabel = new QLabel(QStringLiteral("1.0"), group);
    m_versionLabel->setObjectName(QStringLiteral("标签1"));
    m_versionLabel->setGeometry(kVersionLabel);
}


CheckOutcome openOnlineUpdateWindow(const VersionCheckHooks &hooks)
{
    OnlineUpdateWindow window;
    const ServerText version = fetchServerText(QString::fromLatin1(kVersionTextPath));
    if (runOnlineVersionCheck(window.versionLabel(), version, hooks) == CheckOutcome::ProgramEnds)
        return CheckOutcome::ProgramEnds;
    window.exec();
    return CheckOutcome::Continue;
}
