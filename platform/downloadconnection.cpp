// One connection of a download task: its own libcurl handle on its own thread, fetching its segment
// with ranged requests, checking every reply against the task's first one before using a byte of it.

#include "platform/downloadtask.h"
#include "platform/httpreply.h"

#include <curl/curl.h>

#include <algorithm>
#include <chrono>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int MaxRetries = 3;           // further attempts of a connection whose request failed
constexpr int RetryPauseMs = 200;       // times the attempt number
constexpr long BufferCeiling = 20480;   // the most a receive may take
constexpr long BufferFloor = 1024;      // the least libcurl accepts
constexpr int DefaultTimeoutMs = 20000; // for a time-out field left at 0
constexpr int PollMs = 100;
// Received blocks are gathered up to this many bytes before they are written: a few large writes
// cost far less than one per block, and the connections then seldom queue for the file's lock.
constexpr std::size_t WriteGather = 512 * 1024;

enum class Verdict { Done, Retry, Fatal, Stopped };

int orDefault(int milliseconds) { return milliseconds > 0 ? milliseconds : DefaultTimeoutMs; }

bool statusIsFinal(long status)
{
    // A client error will not change on a retry; a time-out, "too early" or "too many" may.
    return status >= 400 && status < 500 && status != 408 && status != 425 && status != 429;
}

// Faults of an FTP server that no retry mends: the login was refused, or the file is not there.
bool resultIsFinal(CURLcode result)
{
    return result == CURLE_LOGIN_DENIED || result == CURLE_REMOTE_ACCESS_DENIED || result == CURLE_REMOTE_FILE_NOT_FOUND;
}

std::string lowerAscii(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
    return text;
}

// Whether the list ".exe|.rar|..." holds `extension` anywhere in it, as the list has always been
// read (".ex" counts, being part of ".exe"); capitals count as small letters, so that "A.ZIP" is not
// fetched as text, which would damage it.
bool listsExtension(const std::string &list, const std::string &extension)
{
    return lowerAscii(list).find(lowerAscii(extension)) != std::string::npos;
}

bool binaryTransfer(const UpdateTask &task, const std::string &address)
{
    switch (task.ftpTransferType) {
    case 2:
        return false;
    case 3: {
        const std::string path = address.substr(0, address.find_first_of("?#"));
        const std::size_t slash = path.rfind('/');
        const std::size_t dot = path.rfind('.');
        if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
            return false;
        return listsExtension(task.binaryExtensions.value_or(std::string()), path.substr(dot));
    }
    default:
        return true;
    }
}

class Connection
{
public:
    Connection(std::shared_ptr<DownloadTask> task, int id, std::optional<int> segment)
        : m_task(std::move(task)), m_id(id), m_segment(segment)
    {
    }

    void run()
    {
        m_task->post(download::ConnectionStarted, m_id);
        m_easy = curl_easy_init();
        m_multi = curl_multi_init();
        if (m_easy && m_multi) {
            m_gathered.reserve(WriteGather);
            m_task->registerWaker(m_multi);
            configure();
            if (m_segment) {
                const auto [position, end] = m_task->remaining(*m_segment);
                m_task->post(download::FirstSegment, m_id, position, end);
            }
            work();
            m_task->unregisterWaker(m_multi);
        } else {
            m_task->abandon(m_segment.value_or(-1), "no transfer handle");
        }
        const std::int64_t reached = m_segment ? m_task->remaining(*m_segment).first : 0;
        m_task->post(download::ConnectionFinished, m_id, reached);
        if (m_multi)
            curl_multi_cleanup(m_multi);
        if (m_easy)
            curl_easy_cleanup(m_easy);
        m_task->connectionEnded();
    }

private:
    void work()
    {
        int failures = 0;
        while (!m_task->stopping() && !m_task->failed()) {
            const Verdict verdict = transfer();
            if (verdict == Verdict::Stopped || verdict == Verdict::Fatal)
                return;
            if (verdict == Verdict::Done) {
                failures = 0;
                const std::optional<int> next = m_task->takeOver(m_id);
                if (!next)
                    return;
                m_segment = next;
                continue;
            }
            if (++failures > MaxRetries) {
                m_task->abandon(m_segment.value_or(-1), m_reason);
                return;
            }
            m_task->pause(RetryPauseMs * failures);
        }
    }

    void configure()
    {
        const UpdateTask &task = m_task->record();
        const std::string &address = m_task->requestAddress();
        curl_easy_setopt(m_easy, CURLOPT_URL, address.c_str());
        curl_easy_setopt(m_easy, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(m_easy, CURLOPT_PROTOCOLS_STR, "http,https,ftp");
        curl_easy_setopt(m_easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(m_easy, CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(m_easy, CURLOPT_MAXREDIRS, 5L);
        curl_easy_setopt(m_easy, CURLOPT_USERAGENT, "suichuan-editor/1.5");
        // An empty proxy also keeps libcurl from reading one from the environment.
        const std::string proxy = task.httpProxy ? proxyAddress(*task.httpProxy) : std::string();
        curl_easy_setopt(m_easy, CURLOPT_PROXY, proxy.c_str());
        const std::string referer = task.referer ? *task.referer : derivedReferer(task.address.value_or(std::string()));
        curl_easy_setopt(m_easy, CURLOPT_REFERER, referer.c_str());
        curl_easy_setopt(m_easy, CURLOPT_CONNECTTIMEOUT_MS, long(orDefault(task.connectTimeout)));
        const long block = task.receiveBlock > 0 ? long(task.receiveBlock) : BufferCeiling;
        curl_easy_setopt(m_easy, CURLOPT_BUFFERSIZE, std::clamp(block, BufferFloor, BufferCeiling));
        curl_easy_setopt(m_easy, CURLOPT_HEADERFUNCTION, &Connection::headerCallback);
        curl_easy_setopt(m_easy, CURLOPT_HEADERDATA, this);
        curl_easy_setopt(m_easy, CURLOPT_WRITEFUNCTION, &Connection::writeCallback);
        curl_easy_setopt(m_easy, CURLOPT_WRITEDATA, this);
        if (m_task->isFtp()) {
            m_task->applyFtpLogin(m_easy);
            curl_easy_setopt(m_easy, CURLOPT_FILETIME, 1L); // MDTM: tells a replaced file on a retry
            curl_easy_setopt(m_easy, CURLOPT_TRANSFERTEXT, binaryTransfer(task, task.address.value_or(std::string())) ? 0L : 1L);
        }
    }

    // One request for what the segment still lacks (or, first, for the whole file).
    Verdict transfer()
    {
        m_checked = false;
        m_reachedEnd = false;
        m_verdict.reset();
        m_reason.clear();
        m_contentRange.clear();
        m_etag.clear();
        m_lastModified.clear();
        m_anyByte = false;

        std::string range;
        m_rangeRequested = false;
        if (!m_segment) {
            if (!m_task->isFtp()) {
                range = "0-";
                m_rangeRequested = true;
                m_requestFirst = 0;
                m_requestLast = -1;
            }
        } else if (!m_task->identity().ranges) {
            m_task->restart(*m_segment); // without ranges a retry starts from the beginning
        } else {
            const auto [position, end] = m_task->remaining(*m_segment);
            if (position >= end)
                return Verdict::Done;
            m_rangeRequested = true;
            m_requestFirst = position;
            m_requestLast = end - 1;
            range = std::to_string(position) + '-' + std::to_string(end - 1);
        }
        curl_easy_setopt(m_easy, CURLOPT_RANGE, range.empty() ? nullptr : range.c_str());

        const UpdateTask &task = m_task->record();
        const auto firstByteLimit = std::chrono::milliseconds(
            orDefault(task.connectTimeout) + orDefault(task.sendTimeout) + orDefault(task.receiveTimeout));
        const auto silenceLimit = std::chrono::milliseconds(orDefault(task.receiveTimeout));
        const Clock::time_point started = Clock::now();
        m_lastActivity = started;

        curl_multi_add_handle(m_multi, m_easy);
        bool stopped = false;
        for (;;) {
            int running = 0;
            curl_multi_perform(m_multi, &running);
            if (running == 0)
                break;
            if (m_task->stopping() || m_task->failed()) {
                stopped = true;
                break;
            }
            const Clock::time_point now = Clock::now();
            if (m_anyByte ? now - m_lastActivity > silenceLimit : now - started > firstByteLimit) {
                m_reason = "no data for " + std::to_string(silenceLimit.count()) + " ms";
                m_verdict = Verdict::Retry;
                break;
            }
            curl_multi_poll(m_multi, nullptr, 0, PollMs, nullptr);
        }
        CURLcode result = CURLE_OK;
        bool finished = false;
        int queued = 0;
        while (CURLMsg *message = curl_multi_info_read(m_multi, &queued)) {
            if (message->msg == CURLMSG_DONE) {
                result = message->data.result;
                finished = true;
            }
        }
        curl_multi_remove_handle(m_multi, m_easy);
        if (!flush())
            return Verdict::Fatal;

        if (stopped)
            return Verdict::Stopped;
        if (m_verdict)
            return *m_verdict;
        if (!finished)
            return Verdict::Stopped;
        if (m_reachedEnd)
            return Verdict::Done;
        if (result != CURLE_OK) {
            if (resultIsFinal(result))
                return fatal(curl_easy_strerror(result));
            m_reason = curl_easy_strerror(result);
            return Verdict::Retry;
        }
        // An empty body never reached the write callback: check the reply now.
        if (!m_checked) {
            m_checked = true;
            if (!checkReply())
                return m_verdict.value_or(Verdict::Retry);
        }
        const auto [position, end] = m_task->remaining(*m_segment);
        if (end == DownloadTask::Unbounded) {
            m_task->endUnboundedSegment(*m_segment);
            return Verdict::Done;
        }
        if (position >= end)
            return Verdict::Done;
        m_reason = "the reply ended before the end of its range";
        return Verdict::Retry;
    }

    Verdict fatal(const std::string &reason)
    {
        m_reason = reason;
        m_task->fail(reason);
        m_verdict = Verdict::Fatal;
        return Verdict::Fatal;
    }

    bool retry(const std::string &reason)
    {
        m_reason = reason;
        m_verdict = Verdict::Retry;
        return false;
    }

    // Decides whether the reply's bytes may be used: the first reply sets what every later one must
    // agree with (size, ETag, Last-Modified); a ranged reply must be a 206 for exactly the range asked.
    bool checkReply()
    {
        curl_off_t length = -1;
        curl_easy_getinfo(m_easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
        if (m_task->isFtp()) {
            curl_off_t modified = -1;
            curl_easy_getinfo(m_easy, CURLINFO_FILETIME_T, &modified);
            const std::string modifiedText = modified >= 0 ? std::to_string(modified) : std::string();
            if (!m_task->planned())
                return planFirst({std::int64_t(length), false, {}, modifiedText});
            // A retry fetches the whole file again: it must still be the planned one.
            const ReplyIdentity known = m_task->identity();
            if (known.total >= 0 && length >= 0 && std::int64_t(length) != known.total) {
                fatal("the file's size changed on the server during the download");
                return false;
            }
            if (known.lastModified != modifiedText) {
                fatal("the file changed on the server during the download");
                return false;
            }
            return true;
        }
        long status = 0;
        curl_easy_getinfo(m_easy, CURLINFO_RESPONSE_CODE, &status);
        if (status < 200 || status >= 300) {
            const std::string reason = "the server answered with status " + std::to_string(status);
            if (statusIsFinal(status)) {
                fatal(reason);
                return false;
            }
            return retry(reason);
        }
        const std::optional<ContentRange> range = parseContentRange(m_contentRange);
        if (!m_task->planned()) {
            ReplyIdentity identity{std::int64_t(length), false, m_etag, m_lastModified};
            if (status == 206) {
                if (!range || range->first != 0 || range->total < 0 || range->last != range->total - 1) {
                    fatal("the server answered with a range that was not asked for");
                    return false;
                }
                identity.total = range->total;
                identity.ranges = true;
            }
            return planFirst(identity);
        }

        const ReplyIdentity known = m_task->identity();
        if (known.etag != m_etag || known.lastModified != m_lastModified) {
            fatal("the file changed on the server during the download");
            return false;
        }
        if (!m_rangeRequested) {
            if (status != 200 || (known.total >= 0 && length != known.total)) {
                fatal("the file's size changed on the server during the download");
                return false;
            }
            return true;
        }
        // A server that answers a range request with anything but that range cannot be trusted
        // with the other ranges either.
        if (status != 206 || !range) {
            fatal("the server did not answer a range request with the range");
            return false;
        }
        if (range->total != known.total) {
            fatal("the file's size changed on the server during the download");
            return false;
        }
        if (range->first != m_requestFirst || range->last != m_requestLast) {
            fatal("the server answered with a range that was not asked for");
            return false;
        }
        return true;
    }

    bool planFirst(const ReplyIdentity &identity)
    {
        const std::optional<int> segment = m_task->plan(m_id, identity);
        if (!segment) {
            m_verdict = Verdict::Fatal;
            return false;
        }
        m_segment = segment;
        return true;
    }

    std::size_t onBody(const char *data, std::size_t length)
    {
        m_anyByte = true;
        m_lastActivity = Clock::now();
        if (!m_checked) {
            m_checked = true;
            if (!checkReply())
                return 0;
        }
        const auto [offset, allowed] = m_task->reserve(*m_segment, length);
        if (allowed > 0) {
            if (!gather(data, allowed, offset))
                return 0;
            m_task->received(m_id, allowed);
            m_lastActivity = Clock::now(); // a wait for the speed limit is no silence of the server
        }
        if (allowed < length) {
            // The segment is done (or a finished connection took over the rest of it): stop here.
            m_reachedEnd = true;
            return allowed == 0 ? 0 : allowed;
        }
        return length;
    }

    // Keeps the bytes for `offset` until they join up with no more room; then writes what was gathered.
    bool gather(const char *data, std::size_t length, std::int64_t offset)
    {
        const bool adjoins = offset == m_gatheredOffset + std::int64_t(m_gathered.size());
        if ((!adjoins || m_gathered.size() + length > WriteGather) && !flush())
            return false;
        if (m_gathered.empty())
            m_gatheredOffset = offset;
        m_gathered.insert(m_gathered.end(), data, data + length);
        return true;
    }

    // Writes what was gathered; a failed write ends the task.
    bool flush()
    {
        if (m_gathered.empty())
            return true;
        const bool written = m_task->write(m_gathered.data(), m_gathered.size(), m_gatheredOffset);
        m_gathered.clear();
        if (!written) {
            fatal("the downloaded file could not be written");
            return false;
        }
        return true;
    }

    void onHeader(std::string_view line)
    {
        m_anyByte = true;
        m_lastActivity = Clock::now();
        if (line.substr(0, 5) == "HTTP/") { // a new reply (after a redirect): forget the last one
            m_contentRange.clear();
            m_etag.clear();
            m_lastModified.clear();
            return;
        }
        std::string name, value;
        if (!splitHeaderLine(line, name, value))
            return;
        if (name == "content-range")
            m_contentRange = value;
        else if (name == "etag")
            m_etag = value;
        else if (name == "last-modified")
            m_lastModified = value;
    }

    static std::size_t writeCallback(char *data, std::size_t size, std::size_t count, void *self)
    {
        return static_cast<Connection *>(self)->onBody(data, size * count);
    }
    static std::size_t headerCallback(char *data, std::size_t size, std::size_t count, void *self)
    {
        static_cast<Connection *>(self)->onHeader(std::string_view(data, size * count));
        return size * count;
    }

    std::shared_ptr<DownloadTask> m_task;
    const int m_id;
    std::optional<int> m_segment;
    CURL *m_easy = nullptr;
    CURLM *m_multi = nullptr;

    // The request under way and what its reply said so far.
    bool m_rangeRequested = false;
    std::int64_t m_requestFirst = 0;
    std::int64_t m_requestLast = -1;
    bool m_checked = false;
    bool m_reachedEnd = false;
    bool m_anyByte = false;
    Clock::time_point m_lastActivity;
    std::optional<Verdict> m_verdict;
    std::string m_reason;
    std::string m_contentRange;
    std::string m_etag;
    std::string m_lastModified;

    // Received bytes not yet written, for the file from m_gatheredOffset on.
    std::vector<char> m_gathered;
    std::int64_t m_gatheredOffset = 0;
};

} // namespace

void runDownloadConnection(std::shared_ptr<DownloadTask> task, int id, std::optional<int> segment)
{
    Connection(std::move(task), id, segment).run();
}
