#include "editor/mainwindow.h"

#include "app/site.h"
#include "app/skin.h"
#include "editor/clockdisplay.h"
#include "editor/hyperlinkbox.h"
#include "editor/keywordbuttons.h"
#include "editor/mainwindowlayout.h"
#include "editor/messagebox.h"
#include "editor/noticeticker.h"
#include "editor/presslabel.h"
#include "editor/scriptbox.h"
#include "editor/scriptfileactions.h"
#include "editor/tabletext.h"
#include "platform/fonts.h"
#include "online/servertext.h"
#include "online/versioncheck.h"
#include "platform/shell.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QMenuBar>
#include <QUrl>

namespace {

const QString kRed = QStringLiteral("color: rgb(255, 0, 0);");

// Text boxes sit on the button-face colour.
void paintOnButtonFace(QWidget *box, const QColor &text)
{
    QPalette p = box->palette();
    p.setColor(QPalette::Base, p.color(QPalette::Button));
    p.setColor(QPalette::Text, text);
    box->setPalette(p);
}

} // namespace

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("燧川脚本编辑器 V1.5版  官方网站:%1提供下载").arg(currentSite().host));
    setWindowIcon(QIcon(QStringLiteral(":/icons/suichuan-32.png")));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose);

    auto *client = new QWidget(this);
    client->setFixedSize(kMainWindowClientWidth, kMainWindowClientHeight);
    setCentralWidget(client);
    createControls(client);
    createMenus();
    setFixedSize(kMainWindowClientWidth, kMainWindowClientHeight + menuBar()->sizeHint().height());
}

void MainWindow::createMenus()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("文件"));
    connect(file->addAction(QStringLiteral("打开")), &QAction::triggered, m_fileActions, &ScriptFileActions::openScript);
    connect(file->addAction(QStringLiteral("保存")), &QAction::triggered, m_fileActions, &ScriptFileActions::saveScript);
    connect(file->addAction(QStringLiteral("退出")), &QAction::triggered, this, &MainWindow::quitRequested);
    QMenu *about = menuBar()->addMenu(QStringLiteral("关于"));
    connect(about->addAction(QStringLiteral("关于本软件")), &QAction::triggered, this, &MainWindow::aboutRequested);
    connect(about->addAction(QStringLiteral("作者信息")), &QAction::triggered, this, &MainWindow::authorRequested);
    QMenu *history = menuBar()->addMenu(QStringLiteral("历史更新"));
    connect(history->addAction(QStringLiteral("历史版本")), &QAction::triggered, this, &MainWindow::historyRequested);
    connect(history->addAction(QStringLiteral("在线远程更新")), &QAction::triggered, this, &MainWindow::onlineUpdateRequested);
}

void MainWindow::createControls(QWidget *client)
{
    auto *categoryGroup = new QGroupBox(fromTable(kCategoryGroup.caption), client);
    categoryGroup->setObjectName(fromTable(kCategoryGroup.name));
    categoryGroup->setGeometry(kCategoryGroup.place);
    categoryGroup->setStyleSheet(QStringLiteral("QGroupBox { %1 }").arg(kRed));
    auto *keywordGroup = new QGroupBox(fromTable(kKeywordGroup.caption), client);
    keywordGroup->setObjectName(fromTable(kKeywordGroup.name));
    keywordGroup->setGeometry(kKeywordGroup.place);
    keywordGroup->setStyleSheet(categoryGroup->styleSheet());

    auto *banner = new PressLabel(client);
    banner->setObjectName(QStringLiteral("图片框1"));
    banner->setGeometry(kBannerPlace);
    banner->setPixmap(QPixmap(QStringLiteral(":/images/banner.png")));
    connect(banner, &PressLabel::pressed, this, [this](Qt::MouseButton button) {
        if (button == Qt::LeftButton)
            showSite();
    });

    m_scriptBox = new ScriptBox(client);
    m_scriptBox->setObjectName(QStringLiteral("编辑框1"));
    m_scriptBox->setGeometry(kScriptBoxPlace);
    m_scriptBox->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_scriptBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_scriptBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    paintOnButtonFace(m_scriptBox, Qt::black);

    m_explanationBox = new LowerCaseBox(client);
    m_explanationBox->setObjectName(QStringLiteral("编辑框2"));
    m_explanationBox->setGeometry(kExplanationBoxPlace);
    m_explanationBox->setReadOnly(true);
    m_explanationBox->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_explanationBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_explanationBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_explanationBox->setFont(layoutFont("宋体", 14));
    m_explanationBox->hideSelectionWithoutFocus();
    paintOnButtonFace(m_explanationBox, QColor(255, 0, 0));

    m_fileActions = new ScriptFileActions(this, m_scriptBox, m_explanationBox);

    for (const LabelLayout &row : kMainWindowLabels) {
        auto *label = new PressLabel(captionText(row.text), client);
        label->setObjectName(fromTable(row.name));
        label->setGeometry(row.place);
        label->setStyleSheet(kRed);
        if (row.fontPixelSize)
            label->setFont(layoutFont("宋体", row.fontPixelSize));
        if (row.acts) {
            label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            label->setLineWidth(1);
            label->setAlignment(Qt::AlignCenter);
        }
    }
    connect(label(u"标签6"), &PressLabel::pressed, this, [this](Qt::MouseButton button) {
        if (button == Qt::LeftButton || button == Qt::RightButton)
            m_fileActions->saveScript();
    });
    connect(label(u"标签5"), &PressLabel::pressed, this, [this](Qt::MouseButton button) {
        if (button == Qt::LeftButton)
            m_fileActions->clearScript();
    });
    for (int i = 0; i < int(kCategoryLabels.size()); ++i) {
        connect(label(fromTable(kCategoryLabels[i])), &PressLabel::pressed, this, [this, i](Qt::MouseButton button) {
            if (button == Qt::LeftButton)
                emit categoryRequested(i);
        });
    }
    // The group boxes stay behind the buttons and labels laid over them.
    categoryGroup->lower();
    keywordGroup->lower();

    createKeywordButtons(client, keywordGroup, m_scriptBox, m_explanationBox);

    // The ticker is wider than the window and reaches past its right edge.
    m_tickerBox = new HyperlinkBox(client);
    m_tickerBox->setObjectName(QStringLiteral("超级链接框1"));
    m_tickerBox->setGeometry(kTickerPlace);
    m_ticker = new NoticeTicker(m_tickerBox, this);
    m_clock = new ClockDisplay(label(u"标签7"));
}

PressLabel *MainWindow::label(QStringView name) const
{
    return centralWidget()->findChild<PressLabel *>(name.toString());
}

bool MainWindow::onMainWindowCreated(const VersionCheckHooks &hooks, std::future<StartupTexts> serverTexts)
{
    applySkin(SKIN_IN_USE);
    const StartupTexts texts = serverTexts.get();
    if (runStartupVersionCheck(label(u"标签4"), texts.version, hooks) == CheckOutcome::ProgramEnds)
        return false;
    m_ticker->startNoticeTicker(texts.notice.text);
    const Site &site = currentSite();
    showMessage(QStringLiteral("欢迎使用本软件  官方网站:%1\r\n欢迎来到%2下载1").arg(site.host, site.domain));
    return true;
}

void MainWindow::showSite()
{
    showMessage(QStringLiteral("官方网站:") + currentSite().host);
    openAddress(QUrl(currentSite().baseAddress + u'/'));
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (m_fileActions->confirmEnd())
        event->accept();
    else
        event->ignore();
}
