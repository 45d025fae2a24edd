// The start-up reference: a plain Qt window with what the editor's main window holds (forty buttons,
// two text boxes, labels, a menu bar), built directly and shown, nothing else. bench_startup times
// it against the editor.

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("bare Qt window"));
    auto *client = new QWidget(&window);
    client->setFixedSize(618, 700);
    window.setCentralWidget(client);

    auto *script = new QPlainTextEdit(client);
    script->setGeometry(8, 8, 400, 460);
    script->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto *explanation = new QPlainTextEdit(client);
    explanation->setGeometry(8, 476, 400, 32);
    explanation->setReadOnly(true);
    explanation->setPlainText(QStringLiteral("欢迎使用"));
    for (int i = 0; i < 40; ++i) {
        auto *button = new QPushButton(QStringLiteral("按钮 %1").arg(i), client);
        button->setGeometry(8 + (i % 5) * 82, 516 + (i / 5) * 22, 80, 20);
    }
    for (int i = 0; i < 10; ++i) {
        auto *label = new QLabel(QStringLiteral("标签 %1").arg(i), client);
        label->setGeometry(420, 8 + i * 30, 180, 24);
    }
    const char *menus[][3] = {{"文件", "打开", "保存"}, {"关于", "关于本软件", "作者信息"}, {"历史更新", "历史版本", "在线远程更新"}};
    for (const auto &menu : menus) {
        QMenu *m = window.menuBar()->addMenu(QString::fromUtf8(menu[0]));
        m->addAction(QString::fromUtf8(menu[1]));
        m->addAction(QString::fromUtf8(menu[2]));
    }
    window.show();
    return app.exec();
}
