// 200 MB from nginx on loopback over 5 connections: this downloader against curl (one connection)
// and aria2c -x5 -s5, in the same run. Prints throughput and CPU time (user + sys) as ratios.

#include "platform/downloader.h"

#include "nginxserver.h"

#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

extern char **environ;

namespace {

constexpr qint64 FileSize = 200LL * 1024 * 1024;

struct Figures {
    double seconds = 0;
    double cpuSeconds = 0;
    bool ok = false;
    double throughput() const { return ok ? double(FileSize) / (1024 * 1024) / seconds : 0; }
};

double cpuOf(const rusage &usage)
{
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

Figures runTool(const QStringList &command, const QString &output)
{
    std::vector<QByteArray> arguments;
    for (const QString &argument : command)
        arguments.push_back(argument.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    const auto started = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return {};
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    Figures figures;
    figures.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    figures.cpuSeconds = cpuOf(usage);
    figures.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0 && QFile(output).size() == FileSize;
    QFile::remove(output);
    return figures;
}

Figures runOurs(const QString &address, const QString &output)
{
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
    bool complete = false;
    UpdateTask task = makeStartupUpdateTask();
    applyUpdateValues(task, "", "", [&](const DownloadEvent &event) {
        if (event.number == download::TaskEnded) {
            std::lock_guard lock(mutex);
            done = true;
            complete = event.outcome == DownloadOutcome::Complete;
            ended.notify_all();
        }
        return 0;
    });
    task.address = address.toStdString();
    task.localFile = output.toStdString();

    rusage before{}, after{};
    getrusage(RUSAGE_SELF, &before);
    const auto started = std::chrono::steady_clock::now();
    Downloader downloader(std::string{});
    downloader.add(task);
    {
        std::unique_lock lock(mutex);
        ended.wait(lock, [&] { return done; });
    }
    Figures figures;
    figures.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    getrusage(RUSAGE_SELF, &after);
    figures.cpuSeconds = cpuOf(after) - cpuOf(before);
    figures.ok = complete && QFile(output).size() == FileSize;
    QFile::remove(output);
    return figures;
}

void print(const char *name, const Figures &f, const Figures &ours)
{
    std::printf("%-22s %8.1f MB/s %7.2f s CPU   ours/this: throughput %.2fx, CPU %.2fx%s\n", name, f.throughput(),
                f.cpuSeconds, ours.throughput() / f.throughput(), ours.cpuSeconds / f.cpuSeconds,
                f.ok ? "" : "   (FAILED)");
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString extra = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString(); // e.g. "limit_rate 40m;"
    QTemporaryDir served, local;
    {
        QFile file(served.filePath(QStringLiteral("big.bin")));
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        QByteArray block(1024 * 1024, Qt::Uninitialized);
        QRandomGenerator generator(7);
        for (qint64 written = 0; written < FileSize; written += block.size()) {
            generator.fillRange(reinterpret_cast<quint32 *>(block.data()), block.size() / 4);
            file.write(block);
        }
    }
    NginxServer nginx(served.path(), extra);
    if (!nginx.start()) {
        std::fprintf(stderr, "nginx: %s\n", qPrintable(nginx.errorString()));
        return 1;
    }
    const QString address = nginx.baseAddress() + QStringLiteral("/big.bin");
    const QString output = local.filePath(QStringLiteral("big.bin"));

    const Figures ours = runOurs(address, output);
    const Figures curl = runTool({"curl", "-s", "-o", output, address}, output);
    const Figures aria = runTool({"aria2c", "-q", "-x5", "-s5", "--allow-overwrite=true", "--file-allocation=none",
                                  "-d", local.path(), "-o", "big.bin", address},
                                 output);
    std::printf("200 MB from nginx on loopback%s%s\n", extra.isEmpty() ? "" : " with ", qPrintable(extra));
    std::printf("%-22s %8.1f MB/s %7.2f s CPU%s\n", "ours, 5 connections", ours.throughput(), ours.cpuSeconds,
                ours.ok ? "" : "   (FAILED)");
    print("curl", curl, ours);
    print("aria2c -x5 -s5", aria, ours);
    return ours.ok ? 0 : 1;
}
