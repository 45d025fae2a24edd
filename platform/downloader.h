#pragma once
// The downloader: fetches one file over several connections, each on a thread of its own, and reports
// to the task's event routine. A Downloader object is the download handle; it holds at most one task.

#include "online/updatetask.h"

#include <cstdint>
#include <memory>
#include <string>

namespace download {

enum EventNumber : int {
    AskPartialFile = 2,      // FTP tasks with flag 16: the reply becomes the task's flags
    TotalSize = 3,           // first data arrived: value = total size (0 unknown), path = file written
    TaskEnded = 4,           // value = total size, or bytes received when stopped; outcome + reason
    ConnectionStarted = 5,
    FirstSegment = 6,        // value = position, extra = segment end (exclusive)
    SegmentTakenOver = 7,    // a finished connection took over part of another segment
    ConnectionFinished = 8,  // value = position reached
    BytesReceived = 16,      // value = number of bytes
    BytesSent = 17,
    FileExists = 18,         // source = size of the existing file, value = total size
};

enum FileExistsReply : int { FindFreeName = 0, GiveUp = 1, PathChanged = 2 };

// Numbered names tried before a download whose file name is taken gives up.
inline constexpr int MaxNumberedNames = 99;

} // namespace download

enum class DownloadOutcome {
    None,     // every event but 4
    Complete, // every byte arrived, checked, and the file stands under its final name
    Failed,   // the reason says why; nothing stands under the final name
    Stopped,  // the task was stopped or destroyed
};

struct DownloadEvent {
    int number = 0;
    std::int64_t source = 0; // 0 the task, 1.. a connection; event 18: size of the existing file
    std::int64_t value = 0;
    std::int64_t extra = 0;
    std::string path;        // event 3 and 4: the local path actually written
    DownloadOutcome outcome = DownloadOutcome::None;
    std::string reason;      // event 4 when failed
    UpdateTask *task = nullptr; // the downloader's copy; with reply 2 to event 18 its localFile is used
};

class DownloadTask;
struct DownloadSlot;

class Downloader
{
public:
    // `publicKey`: an Ed25519 public key (64 hex digits or PEM); when it is not empty, a file is only
    // accepted with a valid signature from its address + ".sig".
    explicit Downloader(std::string publicKey = defaultPublicKey());
    ~Downloader(); // destroys the task, if any
    Downloader(const Downloader &) = delete;
    Downloader &operator=(const Downloader &) = delete;

    // Copies the record and starts the task on a thread of its own. False, and nothing started, when a
    // task is already held or the address cannot be understood.
    bool add(const UpdateTask &task);
    // Bytes of the file received so far by all connections; 0 when no task is held.
    std::int64_t doneLength() const;
    // Stops the task (its connections are waited for up to stopWait ms, never the task's own thread)
    // and empties the handle. The task still ends with event 4, outcome Stopped.
    void destroy();
    bool holdsTask() const;

    // The key the program is built with (the SUICHUAN_UPDATE_PUBLIC_KEY cache variable), or empty.
    static std::string defaultPublicKey();

private:
    std::string m_publicKey;
    std::shared_ptr<DownloadSlot> m_slot;
};
