#pragma once
// Inside the downloader: one task's shared state, its segments and its event queue. The task's own
// thread delivers events 3 to 17 in the order the connections posted them; connections run on
// threads of their own (downloadconnection.cpp).

#include "platform/downloader.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

struct DownloadSlot {
    std::mutex mutex;
    std::shared_ptr<DownloadTask> task;
};

// What a reply has to agree on with the first reply of the task.
struct ReplyIdentity {
    std::int64_t total = -1; // -1: the server gave no size
    bool ranges = false;     // the server answered a range request with a matching 206
    std::string etag;
    std::string lastModified;
};

class DownloadTask : public std::enable_shared_from_this<DownloadTask>
{
public:
    static constexpr std::int64_t Unbounded = INT64_MAX;

    DownloadTask(const UpdateTask &record, std::string publicKey, std::weak_ptr<DownloadSlot> slot);
    ~DownloadTask();

    void start();
    void requestStop();
    // Waits, in steps of 20 ms, up to `milliseconds` for every connection to end.
    bool waitForConnections(int milliseconds);
    std::int64_t doneLength() const { return m_done.load(std::memory_order_relaxed); }

    // --- used by the connections ---
    const UpdateTask &record() const { return m_record; }
    bool stopping() const { return m_stop.load(std::memory_order_relaxed); }
    bool isFtp() const;
    std::string requestAddress() const { return m_requestAddress; }
    // Gives a libcurl handle the task's FTP login (anonymous when none is given); nothing for HTTP.
    void applyFtpLogin(void *easy) const;
    // Sleeps up to `milliseconds`, less when the task is stopped.
    void pause(int milliseconds);
    void post(int number, std::int64_t source, std::int64_t value = 0, std::int64_t extra = 0);

    // The first reply has come: choose the file, create it beside its target and split the file.
    // Returns the segment the first connection keeps, or nothing when the task failed.
    std::optional<int> plan(int connection, const ReplyIdentity &identity);
    bool planned() const;
    ReplyIdentity identity() const;
    // Reserves up to `length` bytes at the current position of `segment`: returns the offset and how
    // many may be written (fewer when the segment's end was moved, 0 when it is done).
    std::pair<std::int64_t, std::size_t> reserve(int segment, std::size_t length);
    bool write(const char *data, std::size_t length, std::int64_t offset);
    void received(int connection, std::size_t length);
    // Range still to fetch for `segment`, [position, end).
    std::pair<std::int64_t, std::int64_t> remaining(int segment) const;
    // Starts `segment` over from its beginning (a server without ranges restarts the whole file).
    void restart(int segment);
    // The server gave no size and the body has ended: the file is as long as what arrived.
    void endUnboundedSegment(int segment);
    // A connection that finished looks for more work: an abandoned segment, or the back half of the
    // largest unfinished one. Returns the new segment, having posted event 7.
    std::optional<int> takeOver(int connection);
    void abandon(int segment, const std::string &reason);
    // A fault that no retry can mend ends the whole task.
    void fail(const std::string &reason);
    bool failed() const;
    void connectionEnded();
    void registerWaker(void *multi);
    void unregisterWaker(void *multi);

private:
    struct Segment {
        std::int64_t position;
        std::int64_t end;
        int owner; // 0 when no connection works on it
    };

    void run();
    void pace(std::size_t length);
    std::optional<std::string> choosePath(std::int64_t total);
    void startFirstConnection();
    void launchConnection(int id, std::optional<int> segment); // id counted in m_live already
    bool fetchSignature(std::string &reason);
    DownloadEvent finish();
    void deliver(DownloadEvent event);
    void queue(DownloadEvent event); // m_mutex held

    UpdateTask m_record;
    const std::string m_publicKey;
    const std::weak_ptr<DownloadSlot> m_slot;
    std::string m_requestAddress;
    std::string m_signature;

    std::atomic<bool> m_stop{false};
    std::atomic<std::int64_t> m_done{0};
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;         // pauses, the speed limit
    std::condition_variable m_deliveryWake; // the task's thread, for events and ended connections
    // What the task's thread is doing: a receipt wakes it only from Waiting, other events from
    // Gathering as well.
    enum class Delivery { Busy, Waiting, Gathering, Woken } m_delivery = Delivery::Busy;
    std::deque<DownloadEvent> m_events;
    std::vector<void *> m_wakers;
    int m_live = 0;
    int m_nextConnection = 1;
    bool m_planned = false;
    ReplyIdentity m_identity;
    std::vector<Segment> m_segments;
    std::string m_failure;      // fault that ended the task
    std::string m_lastError;    // last connection error, the reason when segments stay unfinished
    std::chrono::steady_clock::time_point m_paceStart;
    std::int64_t m_paceBytes = 0;
    std::atomic<int> m_fd{-1}; // set once before any connection writes
    std::string m_temporaryPath;
    std::string m_finalPath;
};

// Runs one connection of `task` on the calling thread: the first one (no segment) asks for the
// whole file and lets the task plan from its reply; the others fetch the segment they are given.
void runDownloadConnection(std::shared_ptr<DownloadTask> task, int id, std::optional<int> segment);
