// 200 MB from nginx on loopback over 5 connections: this downloader against curl (one connection)
// and aria2c -x5 -s5, in the same run. Prints throughput and CPU time (user + sys) as ratios.
// Usage: bench_download [--rounds N] [nginx server config, e.g. "limit_rate 40m;"]. With several
// rounds the three take turns in each round, and the medians are compared; a first round is run
// and left out, since on a fresh machine the first writes of a file are slow for whoever comes first.

#include "platform/downloader.h"

#include "nginxserver.h"

#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
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

// The median throughput and CPU time of the rounds that succeeded (all must), with the spread.
struct Summary {
    Figures median;
    double slowest = 0, fastest = 0;
};

double medianOf(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

Summary summarise(const std::vector<Figures> &rounds)
{
    Summary summary;
    std::vector<double> seconds, cpu, throughput;
    summary.median.ok = !rounds.empty();
    for (const Figures &f : rounds) {
        summary.median.ok = summary.median.ok && f.ok;
        seconds.push_back(f.seconds);
        cpu.push_back(f.cpuSeconds);
        throughput.push_back(f.throughput());
    }
    if (rounds.empty())
        return summary;
    summary.median.seconds = medianOf(seconds);
    summary.median.cpuSeconds = medianOf(cpu);
    summary.slowest = *std::min_element(throughput.begin(), throughput.end());
    summary.fastest = *std::max_element(throughput.begin(), throughput.end());
    return summary;
}

void print(const char *name, const Summary &s, const Summary &ours)
{
    const Figures &f = s.median;
    std::printf("%-22s %8.1f MB/s (%4.0f-%4.0f) %5.2f s CPU", name, f.throughput(), s.slowest, s.fastest,
                f.cpuSeconds);
    if (&s != &ours)
        std::printf("   ours/this: throughput %.2fx, CPU %.2fx", ours.median.throughput() / f.throughput(),
                    ours.median.cpuSeconds / f.cpuSeconds);
    std::printf("%s\n", f.ok ? "" : "   (FAILED)");
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    int rounds = 1;
    QString extra;
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "--rounds") == 0 && i + 1 < argc)
            rounds = std::max(1, QByteArray(argv[++i]).toInt());
        else
            extra = QString::fromLocal8Bit(argv[i]);
    }
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

    const QStringList curlCommand{"curl", "-s", "-o", output, address};
    const QStringList ariaCommand{"aria2c", "-q", "-x5", "-s5", "--allow-overwrite=true", "--file-allocation=none",
                                  "-d", local.path(), "-o", "big.bin", address};
    std::vector<Figures> ours, curl, aria;
    for (int round = rounds > 1 ? -1 : 0; round < rounds; ++round) {
        const Figures a = runOurs(address, output);
        const Figures b = runTool(curlCommand, output);
        const Figures c = runTool(ariaCommand, output);
        if (round < 0)
            continue;
        ours.push_back(a);
        curl.push_back(b);
        aria.push_back(c);
    }
    std::printf("200 MB from nginx on loopback%s%s, %d round%s: medians (slowest-fastest MB/s)\n",
                extra.isEmpty() ? "" : " with ", qPrintable(extra), rounds, rounds > 1 ? "s" : "");
    const Summary oursSummary = summarise(ours);
    print("ours, 5 connections", oursSummary, oursSummary);
    print("curl", summarise(curl), oursSummary);
    print("aria2c -x5 -s5", summarise(aria), oursSummary);
    return oursSummary.median.ok ? 0 : 1;
}
