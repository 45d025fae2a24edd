#include "platform/downloader.h"

#include "platform/downloadtask.h"
#include "platform/httpreply.h"

#include <curl/curl.h>
#include <curl/urlapi.h>

#include <mutex>

namespace {

void initialiseTransfers()
{
    // Once, before any thread uses libcurl; never undone, since a stopped task may still be ending
    // while the program exits.
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

bool understood(const std::string &address)
{
    // libcurl would read "http:///x" as the host "x": a host must follow "//" at once.
    const std::size_t slashes = address.find("://");
    if (slashes == std::string::npos || address.compare(slashes + 3, 1, "/") == 0)
        return false;
    CURLU *url = curl_url();
    if (!url)
        return false;
    bool fine = curl_url_set(url, CURLUPART_URL, address.c_str(), 0) == CURLUE_OK;
    char *scheme = nullptr;
    char *host = nullptr;
    fine = fine && curl_url_get(url, CURLUPART_SCHEME, &scheme, 0) == CURLUE_OK
        && curl_url_get(url, CURLUPART_HOST, &host, 0) == CURLUE_OK;
    if (fine) {
        const std::string s = scheme;
        fine = (s == "http" || s == "https" || s == "ftp") && host[0] != '\0';
    }
    curl_free(scheme);
    curl_free(host);
    curl_url_cleanup(url);
    return fine;
}

} // namespace

Downloader::Downloader(std::string publicKey)
    : m_publicKey(std::move(publicKey)), m_slot(std::make_shared<DownloadSlot>())
{
    initialiseTransfers();
}

Downloader::~Downloader() { destroy(); }

bool Downloader::add(const UpdateTask &task)
{
    std::shared_ptr<DownloadTask> started;
    {
        std::lock_guard lock(m_slot->mutex);
        if (m_slot->task)
            return false;
        const TaskText &address = task.address;
        if (!address || !understood(percentEncodedAddress(*address)))
            return false;
        started = std::make_shared<DownloadTask>(task, m_publicKey, m_slot);
        m_slot->task = started;
    }
    started->start();
    return true;
}

std::int64_t Downloader::doneLength() const
{
    std::lock_guard lock(m_slot->mutex);
    return m_slot->task ? m_slot->task->doneLength() : 0;
}

bool Downloader::holdsTask() const
{
    std::lock_guard lock(m_slot->mutex);
    return bool(m_slot->task);
}

void Downloader::destroy()
{
    std::shared_ptr<DownloadTask> task;
    {
        std::lock_guard lock(m_slot->mutex);
        task.swap(m_slot->task);
    }
    if (!task)
        return;
    task->requestStop();
    task->waitForConnections(task->record().stopWait);
}
