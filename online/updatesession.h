#pragma once
// The program-wide objects of the update download (the download handle, the UpdateTask record and
// the total size) and what happens when the download ends: OnUpdateEvent and the completion step.

#include "online/updatetask.h"
#include "platform/downloader.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

struct UpdateHooks {
    // Runs before the program ends for the new version; false keeps the program running (the user
    // kept an unsaved script).
    std::function<bool()> mayEndProgram;
    // The program's one end operation.
    std::function<void()> endProgram;
    // Starts the new program; false with a reason when it could not be started.
    std::function<bool(const QString &path, QString *error)> startProgram;
};

class UpdateSession : public QObject
{
    Q_OBJECT

public:
    // `publicKey` as Downloader takes it; the program passes the key it was built with.
    explicit UpdateSession(std::string publicKey = Downloader::defaultPublicKey(), QObject *parent = nullptr);
    ~UpdateSession() override;

    Downloader &handle() { return m_handle; }
    UpdateTask &task() { return m_task; }
    double totalSize() const;
    void setHooks(UpdateHooks hooks);

    // OnUpdateEvent as the record's event routine; it may be called on any thread and outlive us.
    EventRoutine eventRoutine() const;

    // The exit clean-up's part: from now on no event shows or starts anything; the running task
    // is stopped (its connections waited for up to stopWait ms).
    void exitCleanup();

signals:
    // On the GUI thread, once the completion step or the failure message is over.
    void downloadEnded(bool complete);

private:
    struct Shared;
    void complete(const QString &path);
    void reportFailure(const QString &reason);

    std::shared_ptr<Shared> m_shared;
    UpdateHooks m_hooks;
    UpdateTask m_task;
    Downloader m_handle;
};

namespace updatetext {
inline constexpr char16_t CompletionTitle[] = u"提示";
inline constexpr char16_t Completion[] = u"下载完成    ";
inline constexpr char16_t FailureTitle[] = u"提示";
inline constexpr char16_t Failure[] = u"新版本下载失败，没有启动任何程序。\r\n原因：%1";
inline constexpr char16_t StartFailure[] = u"新版本已下载到 %1，但无法启动：%2";
} // namespace updatetext
