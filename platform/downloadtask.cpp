#include "platform/downloadtask.h"

#include "platform/httpreply.h"
#include "platform/localfile.h"
#include "platform/numberedname.h"
#include "platform/signature.h"

#include <curl/curl.h>

#include <algorithm>
#include <chrono>
#include <thread>

namespace {

// A segment smaller than this is not worth a connection of its own, nor splitting again.
constexpr std::int64_t MinimumSegment = 64 * 1024;
constexpr std::size_t MaximumSignatureSize = 4096;
// While bytes stream in, the task's thread lets their events gather this long before it delivers
// them: it then wakes a few hundred times a second instead of once per received block.
constexpr auto ReceiptGathering = std::chrono::milliseconds(5);

std::string lowerScheme(const std::string &address)
{
    std::string scheme = address.substr(0, address.find(':'));
    for (char &c : scheme)
        c = (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
    return scheme;
}

std::size_t collectSmallBody(char *data, std::size_t size, std::size_t count, void *user)
{
    auto *body = static_cast<std::string *>(user);
    if (body->size() + size * count > MaximumSignatureSize)
        return 0;
    body->append(data, size * count);
    return size * count;
}

DownloadEvent makeEvent(int number, std::int64_t source, std::int64_t value, std::int64_t extra)
{
    DownloadEvent event;
    event.number = number;
    event.source = source;
    event.value = value;
    event.extra = extra;
    return event;
}

} // namespace

DownloadTask::DownloadTask(const UpdateTask &record, std::string publicKey, std::weak_ptr<DownloadSlot> slot)
    : m_record(record), m_publicKey(std::move(publicKey)), m_slot(std::move(slot)),
      m_requestAddress(percentEncodedAddress(record.address.value_or(std::string())))
{
    m_record.flags |= updatetask::DownloadFlag;
}

DownloadTask::~DownloadTask()
{
    if (m_fd >= 0)
        localfile::closeFile(m_fd.load());
}

bool DownloadTask::isFtp() const { return lowerScheme(m_requestAddress) == "ftp"; }

void DownloadTask::applyFtpLogin(void *easy) const
{
    if (!isFtp())
        return;
    const std::string user = m_record.ftpUser.value_or(std::string());
    const std::string password = m_record.ftpPassword.value_or(std::string());
    curl_easy_setopt(easy, CURLOPT_USERNAME, user.empty() ? "anonymous" : user.c_str());
    curl_easy_setopt(easy, CURLOPT_PASSWORD, password.empty() ? updatetask::AnonymousPassword : password.c_str());
}

void DownloadTask::start()
{
    std::thread([self = shared_from_this()] { self->run(); }).detach();
}

void DownloadTask::requestStop()
{
    m_stop.store(true);
    std::lock_guard lock(m_mutex);
    for (void *multi : m_wakers)
        curl_multi_wakeup(static_cast<CURLM *>(multi));
    m_wake.notify_all();
    m_deliveryWake.notify_all();
}

bool DownloadTask::waitForConnections(int milliseconds)
{
    for (int waited = 0;; waited += 20) {
        {
            std::lock_guard lock(m_mutex);
            if (m_live == 0)
                return true;
        }
        if (waited >= milliseconds)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

void DownloadTask::pause(int milliseconds)
{
    std::unique_lock lock(m_mutex);
    m_wake.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return stopping(); });
}

void DownloadTask::post(int number, std::int64_t source, std::int64_t value, std::int64_t extra)
{
    std::lock_guard lock(m_mutex);
    queue(makeEvent(number, source, value, extra));
}

void DownloadTask::queue(DownloadEvent event)
{
    // A receipt wakes the task's thread only when it waits for any event at all; while it gathers
    // receipts, only another event ends the wait early.
    const bool receipt = event.number == download::BytesReceived;
    m_events.push_back(std::move(event));
    if (m_delivery == Delivery::Waiting || (!receipt && m_delivery == Delivery::Gathering)) {
        m_delivery = Delivery::Woken;
        m_deliveryWake.notify_one();
    }
}

void DownloadTask::deliver(DownloadEvent event)
{
    event.task = &m_record;
    if (m_record.eventRoutine)
        m_record.eventRoutine(event);
}

std::optional<std::string> DownloadTask::choosePath(std::int64_t total)
{
    std::string path = m_record.localFile.value_or(std::string());
    if (path.empty()) {
        fail("no local file was given");
        return std::nullopt;
    }
    if (isFtp() && (m_record.flags & updatetask::AskPartialFileFlag) && localfile::exists(path)) {
        DownloadEvent ask;
        ask.number = download::AskPartialFile;
        ask.value = std::max<std::int64_t>(total, 0);
        ask.task = &m_record;
        if (m_record.eventRoutine)
            m_record.flags = m_record.eventRoutine(ask) | updatetask::DownloadFlag;
    }
    // The routine may name another path (reply 2), which may be taken as well: ask again, a few times.
    for (int asked = 0; localfile::exists(path); ++asked) {
        if (asked == 10) {
            fail("the local file " + path + " exists");
            return std::nullopt;
        }
        DownloadEvent exists;
        exists.number = download::FileExists;
        exists.source = localfile::size(path);
        exists.value = std::max<std::int64_t>(total, 0);
        exists.task = &m_record;
        const int reply = m_record.eventRoutine ? m_record.eventRoutine(exists) : download::FindFreeName;
        if (reply == download::GiveUp) {
            fail("the local file " + path + " exists");
            return std::nullopt;
        }
        if (reply == download::PathChanged) {
            path = m_record.localFile.value_or(std::string());
            continue;
        }
        const auto free = freeNumberedName(path, [](const std::string &name) { return localfile::exists(name); },
                                           download::MaxNumberedNames);
        if (!free) {
            fail("no free name beside " + path);
            return std::nullopt;
        }
        path = *free;
    }
    return path;
}

std::optional<int> DownloadTask::plan(int connection, const ReplyIdentity &identity)
{
    const std::optional<std::string> path = choosePath(identity.total);
    if (!path)
        return std::nullopt;
    std::string temporaryPath, reason;
    const int fd = localfile::createBeside(*path, temporaryPath, reason);
    if (fd < 0) {
        fail(reason);
        return std::nullopt;
    }
    if (identity.total > 0 && !localfile::setSize(fd, identity.total)) {
        localfile::closeFile(fd);
        localfile::remove(temporaryPath);
        fail("cannot make room for the file beside " + *path);
        return std::nullopt;
    }

    int parts = 1;
    if (identity.ranges && identity.total > 0) {
        const std::int64_t wanted = std::max(1, m_record.connections);
        parts = int(std::clamp<std::int64_t>(identity.total / MinimumSegment, 1, wanted));
    }
    std::vector<int> others;
    {
        std::lock_guard lock(m_mutex);
        m_fd = fd;
        m_temporaryPath = temporaryPath;
        m_finalPath = *path;
        m_identity = identity;
        m_planned = true;
        const std::int64_t total = identity.total >= 0 ? identity.total : Unbounded;
        for (int i = 0; i < parts; ++i) {
            const std::int64_t begin = identity.total >= 0 ? identity.total * i / parts : 0;
            const std::int64_t end = identity.total >= 0 ? identity.total * (i + 1) / parts : total;
            m_segments.push_back({begin, end, i == 0 ? connection : 0});
        }
        DownloadEvent sized;
        sized.number = download::TotalSize;
        sized.value = std::max<std::int64_t>(identity.total, 0);
        sized.path = *path;
        queue(std::move(sized));
        queue(makeEvent(download::FirstSegment, connection, 0, identity.total >= 0 ? m_segments[0].end : 0));
        // Owners are given here, under the lock, so that no finished connection takes a segment
        // whose connection is about to start.
        if (!stopping()) {
            for (int i = 1; i < parts; ++i) {
                const int id = m_nextConnection++;
                m_segments[std::size_t(i)].owner = id;
                ++m_live;
                others.push_back(i);
                others.push_back(id);
            }
        }
    }
    for (std::size_t i = 0; i < others.size(); i += 2)
        launchConnection(others[i + 1], others[i]);
    return 0;
}

bool DownloadTask::planned() const
{
    std::lock_guard lock(m_mutex);
    return m_planned;
}

ReplyIdentity DownloadTask::identity() const
{
    std::lock_guard lock(m_mutex);
    return m_identity;
}

std::pair<std::int64_t, std::size_t> DownloadTask::reserve(int segment, std::size_t length)
{
    std::lock_guard lock(m_mutex);
    Segment &s = m_segments[std::size_t(segment)];
    const std::int64_t room = s.end - s.position;
    const std::size_t allowed = std::size_t(std::clamp<std::int64_t>(room, 0, std::int64_t(length)));
    const std::int64_t offset = s.position;
    s.position += std::int64_t(allowed);
    return {offset, allowed};
}

bool DownloadTask::write(const char *data, std::size_t length, std::int64_t offset)
{
    return localfile::writeAt(m_fd.load(std::memory_order_relaxed), data, length, offset);
}

void DownloadTask::received(int connection, std::size_t length)
{
    m_done.fetch_add(std::int64_t(length), std::memory_order_relaxed);
    post(download::BytesReceived, connection, std::int64_t(length));
    if (m_record.speedLimit > 0)
        pace(length);
}

void DownloadTask::pace(std::size_t length)
{
    // The whole task keeps to the limit: every connection that is ahead of the shared schedule waits.
    // Its socket then fills, and TCP slows the server down for it.
    std::unique_lock lock(m_mutex);
    const auto now = std::chrono::steady_clock::now();
    if (m_paceBytes == 0)
        m_paceStart = now;
    m_paceBytes += std::int64_t(length);
    const auto due = m_paceStart
        + std::chrono::nanoseconds(std::int64_t(double(m_paceBytes) * 1e9 / double(m_record.speedLimit)));
    m_wake.wait_until(lock, due, [this] { return stopping() || !m_failure.empty(); });
}

std::pair<std::int64_t, std::int64_t> DownloadTask::remaining(int segment) const
{
    std::lock_guard lock(m_mutex);
    const Segment &s = m_segments[std::size_t(segment)];
    return {s.position, s.end};
}

void DownloadTask::restart(int segment)
{
    std::lock_guard lock(m_mutex);
    Segment &s = m_segments[std::size_t(segment)];
    m_done.fetch_sub(s.position, std::memory_order_relaxed);
    s.position = 0;
}

void DownloadTask::endUnboundedSegment(int segment)
{
    std::lock_guard lock(m_mutex);
    Segment &s = m_segments[std::size_t(segment)];
    s.end = s.position;
}

std::optional<int> DownloadTask::takeOver(int connection)
{
    std::unique_lock lock(m_mutex);
    if (!m_identity.ranges || stopping() || !m_failure.empty())
        return std::nullopt;
    int best = -1;
    std::int64_t bestRemaining = 0;
    for (std::size_t i = 0; i < m_segments.size(); ++i) {
        const Segment &s = m_segments[i];
        const std::int64_t left = s.end - s.position;
        if (left <= 0)
            continue;
        // An abandoned segment is taken whole before anything is split.
        if (s.owner == 0) {
            m_segments[i].owner = connection;
            queue(makeEvent(download::SegmentTakenOver, connection, s.position, s.end));
            return int(i);
        }
        if (left > bestRemaining) {
            best = int(i);
            bestRemaining = left;
        }
    }
    if (best < 0 || bestRemaining < 2 * MinimumSegment)
        return std::nullopt;
    Segment &victim = m_segments[std::size_t(best)];
    const std::int64_t middle = victim.position + bestRemaining / 2;
    const std::int64_t end = victim.end;
    victim.end = middle; // before the push, which may move the segments
    m_segments.push_back({middle, end, connection});
    queue(makeEvent(download::SegmentTakenOver, connection, middle, end));
    return int(m_segments.size() - 1);
}

void DownloadTask::abandon(int segment, const std::string &reason)
{
    std::lock_guard lock(m_mutex);
    if (segment >= 0)
        m_segments[std::size_t(segment)].owner = 0;
    m_lastError = reason;
}

void DownloadTask::fail(const std::string &reason)
{
    {
        std::lock_guard lock(m_mutex);
        if (m_failure.empty())
            m_failure = reason;
    }
    // The other connections have nothing more to do.
    std::lock_guard lock(m_mutex);
    for (void *multi : m_wakers)
        curl_multi_wakeup(static_cast<CURLM *>(multi));
    m_wake.notify_all();
}

bool DownloadTask::failed() const
{
    std::lock_guard lock(m_mutex);
    return !m_failure.empty();
}

void DownloadTask::connectionEnded()
{
    std::lock_guard lock(m_mutex);
    --m_live;
    m_deliveryWake.notify_all();
}

void DownloadTask::registerWaker(void *multi)
{
    std::lock_guard lock(m_mutex);
    m_wakers.push_back(multi);
}

void DownloadTask::unregisterWaker(void *multi)
{
    std::lock_guard lock(m_mutex);
    m_wakers.erase(std::remove(m_wakers.begin(), m_wakers.end(), multi), m_wakers.end());
}

void DownloadTask::startFirstConnection()
{
    int id;
    {
        std::lock_guard lock(m_mutex);
        id = m_nextConnection++;
        ++m_live;
    }
    launchConnection(id, std::nullopt);
}

void DownloadTask::launchConnection(int id, std::optional<int> segment)
{
    std::thread([self = shared_from_this(), id, segment] { runDownloadConnection(self, id, segment); }).detach();
}

bool DownloadTask::fetchSignature(std::string &reason)
{
    CURL *easy = curl_easy_init();
    if (!easy) {
        reason = "no transfer handle for the signature";
        return false;
    }
    std::string body;
    const std::string address = m_requestAddress + ".sig";
    curl_easy_setopt(easy, CURLOPT_URL, address.c_str());
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_PROXY, m_record.httpProxy ? proxyAddress(*m_record.httpProxy).c_str() : "");
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, long(std::max(1000, m_record.connectTimeout)));
    curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS,
                     long(std::max(1000, m_record.connectTimeout + m_record.sendTimeout + m_record.receiveTimeout)));
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, collectSmallBody);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &body);
    curl_easy_setopt(easy, CURLOPT_FAILONERROR, 1L);
    applyFtpLogin(easy); // the signature lies beside the file, behind the same login
    const CURLcode result = curl_easy_perform(easy);
    curl_easy_cleanup(easy);
    if (result != CURLE_OK) {
        reason = std::string("the signature could not be fetched: ") + curl_easy_strerror(result);
        return false;
    }
    m_signature = body;
    return true;
}

void DownloadTask::run()
{
    std::string signatureFailure;
    const bool signatureNeeded = !m_publicKey.empty();
    if (signatureNeeded && !fetchSignature(signatureFailure))
        fail(signatureFailure);
    else
        startFirstConnection();

    std::deque<DownloadEvent> batch;
    for (;;) {
        {
            std::unique_lock lock(m_mutex);
            if (!batch.empty() && batch.back().number == download::BytesReceived && m_live > 0 && !stopping()) {
                m_delivery = Delivery::Gathering;
                m_deliveryWake.wait_for(lock, ReceiptGathering,
                                        [this] { return m_delivery == Delivery::Woken || m_live == 0 || stopping(); });
            }
            batch.clear();
            m_delivery = Delivery::Waiting;
            m_deliveryWake.wait(lock, [this] { return !m_events.empty() || m_live == 0; });
            m_delivery = Delivery::Busy;
            if (m_events.empty() && m_live == 0)
                break;
            batch.swap(m_events);
        }
        for (DownloadEvent &event : batch)
            deliver(std::move(event));
    }
    DownloadEvent ended = finish();
    if (const auto slot = m_slot.lock()) {
        std::lock_guard lock(slot->mutex);
        if (slot->task.get() == this)
            slot->task.reset();
    }
    deliver(std::move(ended));
}

DownloadEvent DownloadTask::finish()
{
    DownloadEvent ended;
    ended.number = download::TaskEnded;
    std::string reason;
    std::int64_t total;
    {
        std::lock_guard lock(m_mutex);
        reason = m_failure;
        total = m_identity.total;
        if (reason.empty() && !stopping()) {
            if (!m_planned)
                reason = m_lastError.empty() ? "the server sent no reply" : m_lastError;
            for (const Segment &s : m_segments)
                if (reason.empty() && s.position < s.end)
                    reason = m_lastError.empty() ? "the file did not arrive whole" : m_lastError;
            if (reason.empty() && total >= 0 && doneLength() != total)
                reason = "the file did not arrive whole";
        }
    }
    const int fd = m_fd.exchange(-1);
    const bool closed = fd < 0 || localfile::closeFile(fd);
    if (reason.empty() && !closed)
        reason = "the file could not be written";

    if (stopping()) {
        ended.outcome = DownloadOutcome::Stopped;
        ended.value = doneLength();
        ended.reason = "the download was stopped";
    } else if (!reason.empty()) {
        ended.outcome = DownloadOutcome::Failed;
        ended.value = std::max<std::int64_t>(total, 0);
        ended.reason = reason;
    } else {
        ended.outcome = DownloadOutcome::Complete;
        ended.value = doneLength();
        if (!m_publicKey.empty()) {
            const auto key = signature::parsePublicKey(m_publicKey);
            const auto sig = signature::parseSignature(m_signature);
            std::string why;
            if (!key)
                why = "the program's public key cannot be read";
            else if (!sig)
                why = "the signature has the wrong form";
            else
                signature::verifyFile(m_temporaryPath, *key, *sig, why);
            if (!why.empty()) {
                ended.outcome = DownloadOutcome::Failed;
                ended.reason = why;
            }
        }
        if (ended.outcome == DownloadOutcome::Complete
            && !localfile::renameNoReplace(m_temporaryPath, m_finalPath, ended.reason))
            ended.outcome = DownloadOutcome::Failed;
    }
    if (ended.outcome == DownloadOutcome::Complete)
        ended.path = m_finalPath;
    else if (!m_temporaryPath.empty())
        localfile::remove(m_temporaryPath);
    if (ended.path.empty())
        ended.path = m_finalPath;
    return ended;
}
