// The script box on large scripts: opening and saving 1, 10 and 50 MB GBK scripts through the
// program's own file actions, as ratios to QPlainTextEdit::setPlainText of the same text in the same
// run; a keyword click and a 100-byte append on the 10 MB script; peak memory with the 50 MB script
// against a bare QPlainTextEdit holding it (each measured in a child process of its own).
//
// Usage: bench_editor [--quick]     (--quick: 1 and 10 MB only, fewer repetitions)

#include "editor/mainwindow.h"
#include "editor/scriptbox.h"
#include "editor/scriptfileactions.h"
#include "platform/filestore.h"
#include "platform/gbkcodec.h"

#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>

namespace {

using Clock = std::chrono::steady_clock;

// Lines as NPC and quest scripts have them: sections, conditions, actions, dialogue with links.
constexpr const char16_t *kScriptLines[] = {
    u"[@main]",
    u"#IF",
    u"CHECKLEVEL 35",
    u"CHECKITEM 屠龙 1",
    u"checkgold 100000",
    u"#ACT",
    u"TAKE 金币 100000",
    u"GIVE 金创药(小量) 10",
    u"MAPMOVE 3 330 330",
    u"SENDMSG 6 恭喜你获得了本次活动的奖励，请到盟重土城领取！",
    u"goto @next_step",
    u"#ELSEACT",
    u"break",
    u"#SAY",
    u"欢迎来到盟重土城，勇士！我是这里的传送员，可以把你送到任何地方。\\",
    u"<传送到比奇城/@bq>  <传送到沃玛寺庙/@wm>  <离开/@exit>\\",
    u"你的等级还不够，等你到了<$USERNAME>三十五级再来找我吧。",
    u";这一段检查玩家背包里有没有足够的空位",
    u"MOV D1 100",
    u"INC N1 1",
    u"[@exit]",
    u"",
};

QByteArray makeScript(qsizetype size)
{
    QList<QByteArray> lines;
    for (const char16_t *line : kScriptLines)
        lines << gbk::encode(QStringView(line)) + "\r\n";
    QRandomGenerator random(20240611); // the same script in every run
    QByteArray script;
    script.reserve(size + 256);
    while (script.size() < size)
        script += lines[random.bounded(int(lines.size()))];
    return script;
}

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Handles what the call left pending (layout, painting) so that it counts as part of the call.
void settle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Times `measured` with what it left pending, after handling what was pending before it.
double timedMs(const std::function<void()> &measured)
{
    settle();
    const auto start = Clock::now();
    measured();
    settle();
    return msSince(start);
}

double medianMs(int repetitions, const std::function<void()> &measured)
{
    std::vector<double> times;
    for (int i = 0; i < repetitions; ++i)
        times.push_back(timedMs(measured));
    return median(times);
}

// The reference: a plain QPlainTextEdit shown like the script box, with its font and wrapping.
std::unique_ptr<QPlainTextEdit> makeReferenceBox(const ScriptBox &like)
{
    auto box = std::make_unique<QPlainTextEdit>();
    box->setFont(like.font());
    box->setLineWrapMode(like.lineWrapMode());
    box->setHorizontalScrollBarPolicy(like.horizontalScrollBarPolicy());
    box->setVerticalScrollBarPolicy(like.verticalScrollBarPolicy());
    box->resize(like.size());
    box->show();
    return box;
}

std::unique_ptr<MainWindow> makeMainWindow()
{
    auto window = std::make_unique<MainWindow>();
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    window->show();
    return window;
}

// Peak resident memory of a child process running this program with `arguments`, in MB. The child
// reports its own high-water mark: getrusage would count the parent's memory as well, which the
// child shares until it runs its own image.
double childPeakMb(const QStringList &arguments)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), arguments);
    if (!child.waitForFinished(600000) || child.exitCode() != 0)
        return 0;
    return child.readAllStandardOutput().trimmed().toDouble() / 1024;
}

// This process's peak resident memory in KB (VmHWM), for the parent to read.
void printPeakMemory()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            std::printf("%s\n", line.mid(6).trimmed().split(' ').constFirst().constData());
    }
}

// The child side of childPeakMb: holds the script in a bare box or opens it in the main window.
int holdScript(const QString &how, const QString &path)
{
    if (how == u"bare") {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return 1;
        std::unique_ptr<QPlainTextEdit> box;
        {
            // A box set up like the script box (a shown box whose scroll bars come and go lays
            // out every line to learn the widest, which takes twice the memory).
            const auto window = std::make_unique<MainWindow>();
            box = makeReferenceBox(*window->scriptBox());
        }
        box->setPlainText(gbk::decode(file.readAll()));
        settle();
        printPeakMemory();
        return box->document()->isEmpty() ? 1 : 0;
    }
    auto window = makeMainWindow();
    const bool opened = window->fileActions()->openScriptFile(path);
    settle();
    printPeakMemory();
    return opened ? 0 : 1;
}

void benchmarkSize(int megabytes, int repetitions, const QString &folder, bool withClicks)
{
    const QString path = folder + QStringLiteral("/script-%1mb.txt").arg(megabytes);
    const QByteArray bytes = makeScript(qsizetype(megabytes) * 1024 * 1024);
    if (!writeFileAtomically(path, bytes).isEmpty()) {
        std::printf("cannot write %s\n", qPrintable(path));
        return;
    }
    const QString text = gbk::decode(bytes);
    // What the box holds and a save writes: the same script with capitals made small.
    const QString lowered = gbk::decode(bytes, gbk::Case::LowerAscii);

    // The reference and the program's own open and save take turns, so that a change in the
    // machine's load between them shows in both; each ratio is taken within one repetition.
    const QString savedPath = folder + QStringLiteral("/saved-%1mb.txt").arg(megabytes);
    std::unique_ptr<MainWindow> window = makeMainWindow();
    std::vector<double> setPlainTextTimes, openTimes, saveTimes, openRatios, saveRatios;
    for (int i = 0; i < repetitions; ++i) {
        std::unique_ptr<QPlainTextEdit> reference = makeReferenceBox(*window->scriptBox());
        const double referenceMs = timedMs([&] { reference->setPlainText(text); });
        reference.reset();
        window = makeMainWindow();
        const double openMs = timedMs([&] { window->fileActions()->openScriptFile(path); });
        const double saveMs = timedMs([&] { window->fileActions()->saveScriptFile(savedPath); });
        setPlainTextTimes.push_back(referenceMs);
        openTimes.push_back(openMs);
        saveTimes.push_back(saveMs);
        openRatios.push_back(openMs / referenceMs);
        saveRatios.push_back(saveMs / referenceMs);
    }
    if (window->scriptBox()->scriptText() != lowered)
        std::printf("  warning: the opened script differs from the file\n");
    if (readUpToFirstZero(savedPath).bytes != gbk::encode(lowered))
        std::printf("  warning: the saved file differs from the opened one\n");
    QFile::remove(savedPath);

    std::printf("%3d MB  setPlainText %8.1f ms   open %8.1f ms = %.2fx   save %7.1f ms = %.2fx\n", megabytes,
                median(setPlainTextTimes), median(openTimes), median(openRatios), median(saveTimes),
                median(saveRatios));

    if (withClicks) {
        auto *button = window->findChild<QPushButton *>(QStringLiteral("按钮8"));
        const double clickMs = medianMs(20, [&] { button->click(); });
        const QString snippet = gbk::decode(bytes.left(100)); // 100 bytes of script
        const double appendMs = medianMs(20, [&] { window->scriptBox()->appendSnippet(snippet); });
        std::printf("        keyword click (按钮8) %.3f ms   append 100 bytes %.3f ms\n", clickMs, appendMs);
    }
    QFile::remove(path);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() == 4 && arguments[1] == u"--hold")
        return holdScript(arguments[2], arguments[3]);
    const bool quick = arguments.contains(QStringLiteral("--quick"));

    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    QTemporaryDir folder;
    std::printf("scripts in %s, platform %s; each figure the median of several runs\n",
                qPrintable(folder.path()), qPrintable(QGuiApplication::platformName()));
    benchmarkSize(1, quick ? 3 : 7, folder.path(), false);
    benchmarkSize(10, quick ? 3 : 5, folder.path(), true);
    if (quick)
        return 0;
    benchmarkSize(50, 3, folder.path(), false);

    const QString path = folder.path() + QStringLiteral("/script-50mb.txt");
    writeFileAtomically(path, makeScript(50LL * 1024 * 1024));
    const double bareMb = childPeakMb({QStringLiteral("--hold"), QStringLiteral("bare"), path});
    const double oursMb = childPeakMb({QStringLiteral("--hold"), QStringLiteral("open"), path});
    std::printf(" 50 MB  peak memory: bare QPlainTextEdit %.0f MB, opened in the main window %.0f MB = %.2fx\n",
                bareMb, oursMb, bareMb > 0 ? oursMb / bareMb : 0.0);
    return 0;
}
