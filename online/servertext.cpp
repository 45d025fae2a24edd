#include "online/servertext.h"

#include "app/site.h"
#include "online/version.h"
#include "platform/gbkcodec.h"

namespace {

QString addressOf(const QString &path) { return currentSite().baseAddress + path; }

} // namespace

ServerText serverTextFrom(const http::Response &response)
{
    ServerText result;
    if (!response.ok()) {
        result.failure = response.failure;
        result.reason = response.reason;
        return result;
    }
    result.bytes = textUpToZero(response.body).toByteArray();
    if (result.bytes.isEmpty()) { // a zero byte first: no text at all
        result.failure = http::Failure::EmptyBody;
        result.reason = QStringLiteral("服务器返回的内容为空");
        return result;
    }
    result.text = gbk::decode(result.bytes);
    return result;
}

ServerText fetchServerText(const QString &path) { return serverTextFrom(http::get(addressOf(path))); }

ServerText fetchNoticeText() { return fetchServerText(QString::fromLatin1(kNoticeTextPath)); }

StartupTexts fetchStartupTexts()
{
    const std::vector<http::Response> answers = http::getAll(
        {addressOf(QString::fromLatin1(kVersionTextPath)), addressOf(QString::fromLatin1(kNoticeTextPath))});
    return {serverTextFrom(answers[0]), serverTextFrom(answers[1])};
}
