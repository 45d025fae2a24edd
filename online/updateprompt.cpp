#include "online/updateprompt.h"

#include "online/updatewindowicon.h"
#include "editor/modalwindow.h"

#include <QPushButton>

namespace {

constexpr QSize kOuterSize{325, 93};

struct ButtonLayout {
    const char *name;
    const char *caption;
    QRect geometry;
};
constexpr ButtonLayout kUpdateNow{"按钮", "马上更新", {40, 16, 64, 24}};
constexpr ButtonLayout kCancelUpdate{"按钮1", "取消更新", {168, 16, 80, 24}};

QPushButton *makeButton(QWidget *parent, const ButtonLayout &layout)
{
    auto *button = new QPushButton(QString::fromUtf8(layout.caption), parent);
    button->setObjectName(QString::fromUtf8(layout.name));
    button->setGeometry(layout.geometry);
    button->setAutoDefault(false);
    return button;
}

} // namespace

UpdatePrompt::UpdatePrompt(std::function<void()> openProgressWindow)
    : m_openProgressWindow(std::move(openProgressWindow))
{
    prepareModalWindow(*this, QStringLiteral("是否更新"), kOuterSize);
    setWindowIcon(updateWindowIcon());

    QPushButton *updateNow = makeButton(this, kUpdateNow);
    QPushButton *cancel = makeButton(this, kCancelUpdate);
    connect(updateNow, &QPushButton::clicked, this, [this] {
        if (m_openProgressWindow)
            m_openProgressWindow();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void openUpdatePrompt(const std::function<void()> &openProgressWindow)
{
    UpdatePrompt prompt(openProgressWindow);
    prompt.exec();
}
