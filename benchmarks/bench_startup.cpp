// Start-up of the real editor binary under Xvfb: time from starting the process to the first frame
// of its main window, with the update server (nginx) on loopback, with the server's port refused
// and with a server that never answers, each as a ratio to a bare Qt window with the same kind of
// widgets started in the same run.
//
// This program watches the X server as a second client: it sees every top-level window being
// mapped, learns its title, and asks the DAMAGE extension to report the window's first drawing,
// which is the first frame on screen. The welcome message is answered as a user would: the pointer
// is moved over it and Enter is pressed (XTEST). The time the benchmark itself took to press Enter
// is taken out of the editor's figure.
//
// Usage: bench_startup [runs]   (default 7; each run starts all four programs once, interleaved)

#include "nginxserver.h"
#include "online/servertext.h"
#include "online/version.h"
#include "platform/gbkcodec.h"
#include "faultserver.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <xcb/damage.h>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>

extern char **environ;

namespace {

using Clock = std::chrono::steady_clock;

double msBetween(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

const QString kWelcomeTitle = QStringLiteral("信息：");
const QString kEditorTitlePrefix = QStringLiteral("燧川脚本编辑器");
const QString kBareTitle = QStringLiteral("bare Qt window");
constexpr xcb_keysym_t kReturnKeysym = 0xff0d;

// An Xvfb of our own, so that no other client's windows come in the way.
class VirtualScreen
{
public:
    bool start()
    {
        m_process.start(QStringLiteral("Xvfb"), {QStringLiteral("-screen"), QStringLiteral("0"),
                                                 QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"),
                                                 QStringLiteral("tcp"), QStringLiteral("-displayfd"),
                                                 QStringLiteral("1")});
        if (!m_process.waitForStarted(5000))
            return false;
        while (!m_process.canReadLine() && m_process.waitForReadyRead(10000)) {
        }
        const QByteArray number = m_process.readLine().trimmed();
        if (number.isEmpty())
            return false;
        m_display = ":" + number;
        return true;
    }
    ~VirtualScreen()
    {
        m_process.terminate();
        m_process.waitForFinished(3000);
    }
    QByteArray display() const { return m_display; }

private:
    QProcess m_process;
    QByteArray m_display;
};

// What one start of a program showed.
struct Run {
    bool ok = false;
    double mainFrameMs = 0;    // process start to the main window's first frame
    double welcomeFrameMs = 0; // process start to the welcome message's first frame (0: none)
    double answerMs = 0;       // welcome message's first frame to the benchmark's last Enter
    double ownMs() const { return mainFrameMs - answerMs; }
    QString failure;
};

class ScreenWatcher
{
public:
    bool connect(const QByteArray &display)
    {
        int screenNumber = 0;
        m_connection = xcb_connect(display.constData(), &screenNumber);
        if (xcb_connection_has_error(m_connection))
            return false;
        xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(m_connection));
        for (int i = 0; i < screenNumber; ++i)
            xcb_screen_next(&screens);
        m_root = screens.data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);

        const xcb_query_extension_reply_t *damage = xcb_get_extension_data(m_connection, &xcb_damage_id);
        if (!damage || !damage->present)
            return false;
        m_damageEvent = damage->first_event;
        free(xcb_damage_query_version_reply(m_connection, xcb_damage_query_version(m_connection, 1, 1), nullptr));
        const xcb_query_extension_reply_t *xtest = xcb_get_extension_data(m_connection, &xcb_test_id);
        if (!xtest || !xtest->present)
            return false;
        m_utf8String = atom("UTF8_STRING");
        m_netWmName = atom("_NET_WM_NAME");
        m_returnKey = keycodeOf(kReturnKeysym);
        return m_returnKey != 0;
    }
    ~ScreenWatcher()
    {
        if (m_connection)
            xcb_disconnect(m_connection);
    }

    // Starts `argv` on the screen and waits for the first frame of the window titled `mainTitle...`.
    Run measure(const std::vector<QByteArray> &arguments, const QByteArray &display, const QString &mainTitlePrefix)
    {
        std::vector<QByteArray> environment{"DISPLAY=" + display, "QT_QPA_PLATFORM=xcb"};
        for (char **e = environ; *e; ++e) {
            const QByteArray entry(*e);
            if (!entry.startsWith("DISPLAY=") && !entry.startsWith("QT_QPA_PLATFORM="))
                environment.push_back(entry);
        }
        std::vector<char *> envp = pointers(environment);
        std::vector<QByteArray> argumentCopy = arguments;
        std::vector<char *> argv = pointers(argumentCopy);

        Run run;
        xcb_window_t welcome = 0, main = 0;
        Clock::time_point welcomeFramed, lastAnswer;
        const auto started = Clock::now();
        pid_t pid = 0;
        if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), envp.data()) != 0) {
            run.failure = QStringLiteral("cannot start %1").arg(QString::fromLocal8Bit(arguments[0]));
            return run;
        }
        const auto deadline = started + std::chrono::seconds(30);
        while (!run.ok && run.failure.isEmpty() && Clock::now() < deadline) {
            xcb_flush(m_connection);
            pollfd fd{xcb_get_file_descriptor(m_connection), POLLIN, 0};
            poll(&fd, 1, 20);
            while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection)) {
                const auto now = Clock::now();
                const int type = event->response_type & 0x7f;
                if (type == XCB_MAP_NOTIFY) {
                    const auto *map = reinterpret_cast<xcb_map_notify_event_t *>(event);
                    if (!map->override_redirect) {
                        const QString title = titleOf(map->window);
                        if (title == kWelcomeTitle && !welcome) {
                            welcome = map->window;
                            watchDrawing(welcome);
                        } else if (title.startsWith(mainTitlePrefix) && !main) {
                            main = map->window;
                            watchDrawing(main);
                        } else if (!title.startsWith(mainTitlePrefix) && title != kWelcomeTitle) {
                            run.failure = QStringLiteral("unexpected window \"%1\"").arg(title);
                        }
                    }
                } else if (type == XCB_UNMAP_NOTIFY) {
                    if (reinterpret_cast<xcb_unmap_notify_event_t *>(event)->window == welcome)
                        welcome = XCB_NONE; // answered
                } else if (type == m_damageEvent + XCB_DAMAGE_NOTIFY) {
                    const auto *damage = reinterpret_cast<xcb_damage_notify_event_t *>(event);
                    if (damage->drawable == main && main) {
                        run.mainFrameMs = msBetween(started, now);
                        run.ok = true;
                    } else if (damage->drawable == welcome && welcome && run.welcomeFrameMs == 0) {
                        run.welcomeFrameMs = msBetween(started, now);
                        welcomeFramed = now;
                        answer(welcome);
                        lastAnswer = Clock::now();
                    }
                }
                free(event);
            }
            // Enter pressed before the box took the keyboard is lost: press again while it stays.
            if (welcome && run.welcomeFrameMs > 0 && msBetween(lastAnswer, Clock::now()) > 300) {
                answer(welcome);
                lastAnswer = Clock::now();
            }
        }
        if (!run.ok && run.failure.isEmpty())
            run.failure = QStringLiteral("no main window within 30 s");
        if (run.welcomeFrameMs > 0)
            run.answerMs = msBetween(welcomeFramed, lastAnswer);
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        xcb_flush(m_connection);
        while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection))
            free(event);
        return run;
    }

private:
    static std::vector<char *> pointers(std::vector<QByteArray> &strings)
    {
        std::vector<char *> result;
        for (QByteArray &s : strings)
            result.push_back(s.data());
        result.push_back(nullptr);
        return result;
    }

    xcb_atom_t atom(const char *name)
    {
        xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(
            m_connection, xcb_intern_atom(m_connection, 0, uint16_t(strlen(name)), name), nullptr);
        const xcb_atom_t result = reply ? reply->atom : XCB_NONE;
        free(reply);
        return result;
    }

    xcb_keycode_t keycodeOf(xcb_keysym_t keysym)
    {
        const xcb_setup_t *setup = xcb_get_setup(m_connection);
        const int count = setup->max_keycode - setup->min_keycode + 1;
        xcb_get_keyboard_mapping_reply_t *reply = xcb_get_keyboard_mapping_reply(
            m_connection, xcb_get_keyboard_mapping(m_connection, setup->min_keycode, uint8_t(count)), nullptr);
        if (!reply)
            return 0;
        const xcb_keysym_t *symbols = xcb_get_keyboard_mapping_keysyms(reply);
        xcb_keycode_t found = 0;
        for (int k = 0; k < count && !found; ++k) {
            for (int s = 0; s < reply->keysyms_per_keycode; ++s) {
                if (symbols[k * reply->keysyms_per_keycode + s] == keysym) {
                    found = xcb_keycode_t(setup->min_keycode + k);
                    break;
                }
            }
        }
        free(reply);
        return found;
    }

    QString titleOf(xcb_window_t window)
    {
        for (const auto &[property, type] : {std::pair{m_netWmName, m_utf8String}, std::pair{xcb_atom_t(XCB_ATOM_WM_NAME), xcb_atom_t(XCB_GET_PROPERTY_TYPE_ANY)}}) {
            xcb_get_property_reply_t *reply = xcb_get_property_reply(
                m_connection, xcb_get_property(m_connection, 0, window, property, type, 0, 1024), nullptr);
            QString title;
            if (reply && xcb_get_property_value_length(reply) > 0)
                title = QString::fromUtf8(static_cast<const char *>(xcb_get_property_value(reply)),
                                          xcb_get_property_value_length(reply));
            free(reply);
            if (!title.isEmpty())
                return title;
        }
        return {};
    }

    void watchDrawing(xcb_window_t window)
    {
        xcb_damage_create(m_connection, xcb_generate_id(m_connection), window,
                          XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
    }

    // The pointer goes over the window and Enter is pressed and released.
    void answer(xcb_window_t window)
    {
        xcb_warp_pointer(m_connection, XCB_NONE, window, 0, 0, 0, 0, 20, 20);
        xcb_test_fake_input(m_connection, XCB_KEY_PRESS, m_returnKey, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        xcb_test_fake_input(m_connection, XCB_KEY_RELEASE, m_returnKey, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        xcb_flush(m_connection);
    }

    xcb_connection_t *m_connection = nullptr;
    xcb_window_t m_root = 0;
    uint8_t m_damageEvent = 0;
    xcb_atom_t m_utf8String = 0, m_netWmName = 0;
    xcb_keycode_t m_returnKey = 0;
};

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Case {
    const char *name;
    std::vector<QByteArray> arguments;
    QString mainTitlePrefix;
    std::vector<Run> runs;
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 7;

    VirtualScreen screen;
    ScreenWatcher watcher;
    if (!screen.start() || !watcher.connect(screen.display())) {
        std::printf("cannot start Xvfb with DAMAGE and XTEST\n");
        return 1;
    }

    QTemporaryDir site;
    QDir(site.path()).mkpath(QStringLiteral("vxmr"));
    auto writeText = [&](const char *path, const QByteArray &text) {
        QFile file(site.path() + QString::fromLatin1(path));
        return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
    };
    // The current version, so that no update is offered, and a notice for the ticker.
    writeText(kVersionTextPath, CURRENT_VERSION);
    writeText(kNoticeTextPath, gbk::encode(u"欢迎使用新版本"));
    NginxServer nginx(site.path());
    if (!nginx.start()) {
        std::printf("nginx: %s\n", qPrintable(nginx.errorString()));
        return 1;
    }
    FaultServer silent({}, FaultServer::Fault::Silent);
    if (!silent.start()) {
        std::printf("cannot start the silent server\n");
        return 1;
    }
    const QByteArray editor = SUICHUAN_EDITOR_BINARY;
    const QByteArray bare = SUICHUAN_BARE_BINARY;
    auto server = [](const QString &address) { return address.toUtf8(); };
    std::vector<Case> cases{
        {"bare Qt window", {bare}, kBareTitle, {}},
        {"editor, nginx on loopback", {editor, "--server", server(nginx.baseAddress())}, kEditorTitlePrefix, {}},
        {"editor, port refused",
         {editor, "--server", server(QStringLiteral("http://127.0.0.1:%1").arg(FaultServer::closedPort()))},
         kEditorTitlePrefix, {}},
        {"editor, server never answers", {editor, "--server", server(silent.baseAddress())}, kEditorTitlePrefix, {}},
    };

    // One start of each, not counted: file-system caches and the skin file beside the program.
    for (Case &c : cases)
        watcher.measure(c.arguments, screen.display(), c.mainTitlePrefix);
    for (int i = 0; i < runs; ++i) {
        for (Case &c : cases) {
            Run run = watcher.measure(c.arguments, screen.display(), c.mainTitlePrefix);
            if (!run.ok)
                std::printf("  %s: %s\n", c.name, qPrintable(run.failure));
            c.runs.push_back(run);
        }
    }

    std::printf("Xvfb %s, %d runs each, medians; \"own\" = main window's first frame minus the time the\n"
                "benchmark took to answer the welcome message\n",
                screen.display().constData(), runs);
    double bareMs = 0;
    for (const Case &c : cases) {
        std::vector<double> main, own, welcome, answer;
        for (const Run &r : c.runs) {
            if (!r.ok)
                continue;
            main.push_back(r.mainFrameMs);
            own.push_back(r.ownMs());
            welcome.push_back(r.welcomeFrameMs);
            answer.push_back(r.answerMs);
        }
        if (own.empty()) {
            std::printf("%-30s no successful run\n", c.name);
            continue;
        }
        if (c.mainTitlePrefix == kBareTitle) {
            bareMs = median(own);
            std::printf("%-30s main window %7.1f ms\n", c.name, bareMs);
            continue;
        }
        std::printf("%-30s welcome %7.1f ms   main window %7.1f ms   own %7.1f ms = %.2fx bare   (answer %.1f ms)\n",
                    c.name, median(welcome), median(main), median(own), median(own) / bareMs, median(answer));
    }
    return 0;
}
