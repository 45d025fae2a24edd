#include "platform/httpreader.h"

#include <QUrl>

#include <curl/curl.h>

#include <memory>
#include <mutex>

namespace http {
namespace {

void initialiseCurlOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct Transfer {
    CURL *easy = nullptr;
    curl_slist *headers = nullptr;
    qsizetype cap = 0;
    bool overflowed = false;
    bool done = false;
    CURLcode code = CURLE_OK;
    char errorBuffer[CURL_ERROR_SIZE] = {};
    Response response;

    ~Transfer()
    {
        if (easy)
            curl_easy_cleanup(easy);
        curl_slist_free_all(headers);
    }
};

size_t appendBody(char *data, size_t size, size_t count, void *user)
{
    auto *transfer = static_cast<Transfer *>(user);
    const size_t bytes = size * count;
    if (transfer->response.body.size() + qsizetype(bytes) > transfer->cap) {
        transfer->overflowed = true;
        return 0; // anything but `bytes` makes the transfer stop here
    }
    transfer->response.body.append(data, qsizetype(bytes));
    return bytes;
}

void fail(Response &response, Failure failure, QString reason)
{
    response.failure = failure;
    response.reason = std::move(reason);
    response.body.clear();
}

// Sets up one transfer; false (with the failure filled in) when the address cannot be requested.
bool prepare(Transfer &t, const QString &address, const Options &options)
{
    const QUrl url(address, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() || (scheme != u"http" && scheme != u"https")) {
        fail(t.response, Failure::BadAddress, QStringLiteral("服务器地址无效"));
        t.response.detail = address;
        return false;
    }
    t.easy = curl_easy_init();
    if (!t.easy) {
        fail(t.response, Failure::Other, QStringLiteral("请求失败"));
        return false;
    }
    t.cap = options.maxBodyBytes;
    t.headers = curl_slist_append(t.headers, "Accept: */*");
    t.headers = curl_slist_append(t.headers, "Cache-Control: no-cache");
    t.headers = curl_slist_append(t.headers, "Pragma: no-cache");

    CURL *e = t.easy;
    curl_easy_setopt(e, CURLOPT_URL, url.toEncoded().constData());
    curl_easy_setopt(e, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(e, CURLOPT_HTTPHEADER, t.headers);
    curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(e, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(e, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(e, CURLOPT_MAXREDIRS, kMaxRedirects);
    curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT_MS, long(options.connectTimeout.count()));
    curl_easy_setopt(e, CURLOPT_TIMEOUT_MS, long(options.totalTimeout.count()));
    curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L); // time-outs without SIGALRM, so any thread may read
    curl_easy_setopt(e, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(e, CURLOPT_SSL_VERIFYHOST, 2L);
    if (!options.caFile.isEmpty())
        curl_easy_setopt(e, CURLOPT_CAINFO, options.caFile.toLocal8Bit().constData());
    // The program reads nothing from the environment: no proxy taken from http_proxy and friends.
    curl_easy_setopt(e, CURLOPT_PROXY, "");
    // A body announced as too large is refused before any of it is read.
    curl_easy_setopt(e, CURLOPT_MAXFILESIZE_LARGE, curl_off_t(options.maxBodyBytes));
    curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, appendBody);
    curl_easy_setopt(e, CURLOPT_WRITEDATA, &t);
    curl_easy_setopt(e, CURLOPT_ERRORBUFFER, t.errorBuffer);
    curl_easy_setopt(e, CURLOPT_PRIVATE, &t);
    return true;
}

void judge(Transfer &t)
{
    Response &r = t.response;
    curl_easy_getinfo(t.easy, CURLINFO_RESPONSE_CODE, &r.status);
    r.detail = QString::fromLocal8Bit(t.errorBuffer[0] ? t.errorBuffer : curl_easy_strerror(t.code));
    switch (t.code) {
    case CURLE_OK:
        if (r.status >= 400)
            fail(r, Failure::HttpStatus, QStringLiteral("服务器返回错误 %1").arg(r.status));
        else if (r.body.isEmpty())
            fail(r, Failure::EmptyBody, QStringLiteral("服务器返回的内容为空"));
        else
            r.detail.clear();
        return;
    case CURLE_WRITE_ERROR:
    case CURLE_FILESIZE_EXCEEDED:
        if (t.overflowed || t.code == CURLE_FILESIZE_EXCEEDED) {
            fail(r, Failure::TooLarge, QStringLiteral("服务器返回的内容过大"));
            return;
        }
        break;
    case CURLE_OPERATION_TIMEDOUT:
        fail(r, Failure::TimedOut, QStringLiteral("连接服务器超时"));
        return;
    case CURLE_COULDNT_CONNECT:
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
        fail(r, Failure::NoConnection, QStringLiteral("无法连接服务器"));
        return;
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CONNECT_ERROR:
        fail(r, Failure::Certificate, QStringLiteral("服务器证书无法验证"));
        return;
    case CURLE_PARTIAL_FILE:
        fail(r, Failure::Incomplete, QStringLiteral("服务器返回的内容不完整"));
        return;
    case CURLE_UNSUPPORTED_PROTOCOL:
    case CURLE_URL_MALFORMAT:
        fail(r, Failure::BadAddress, QStringLiteral("服务器地址无效"));
        return;
    default:
        break;
    }
    fail(r, Failure::Other, QStringLiteral("读取服务器失败"));
}

} // namespace

Response get(const QString &address, const Options &options)
{
    return getAll({address}, options).front();
}

std::vector<Response> getAll(const QStringList &addresses, const Options &options)
{
    initialiseCurlOnce();
    std::vector<std::unique_ptr<Transfer>> transfers;
    const std::unique_ptr<CURLM, decltype(&curl_multi_cleanup)> multi(curl_multi_init(), curl_multi_cleanup);
    for (const QString &address : addresses) {
        auto t = std::make_unique<Transfer>();
        if (multi && prepare(*t, address, options))
            curl_multi_add_handle(multi.get(), t->easy);
        else
            t->done = true;
        if (!multi)
            fail(t->response, Failure::Other, QStringLiteral("请求失败"));
        transfers.push_back(std::move(t));
    }

    // Every transfer carries its own total time-out, so this loop ends within that time.
    int running = 0;
    do {
        if (curl_multi_perform(multi.get(), &running) != CURLM_OK)
            break;
        if (running > 0)
            curl_multi_poll(multi.get(), nullptr, 0, 100, nullptr);
        int left = 0;
        while (CURLMsg *message = curl_multi_info_read(multi.get(), &left)) {
            if (message->msg != CURLMSG_DONE)
                continue;
            char *owner = nullptr;
            curl_easy_getinfo(message->easy_handle, CURLINFO_PRIVATE, &owner);
            auto *t = reinterpret_cast<Transfer *>(owner);
            t->code = message->data.result;
            t->done = true;
        }
    } while (running > 0);

    std::vector<Response> responses;
    responses.reserve(transfers.size());
    for (auto &t : transfers) {
        if (t->easy) {
            if (!t->done) // the multi interface itself failed
                t->code = CURLE_FAILED_INIT;
            judge(*t);
            curl_multi_remove_handle(multi.get(), t->easy);
        }
        responses.push_back(std::move(t->response));
    }
    return responses;
}

} // namespace http
