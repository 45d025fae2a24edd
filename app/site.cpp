#include "app/site.h"

#include <QUrl>

#include <algorithm>

Site Site::fromBaseAddress(const QString &address)
{
    QString trimmed = address.trimmed();
    while (trimmed.endsWith(u'/'))
        trimmed.chop(1);
    const QUrl url(trimmed, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != u"http" && scheme != u"https") || url.host().isEmpty()
        || !(url.path().isEmpty()))
        return {};
    Site site;
    site.baseAddress = trimmed;
    site.host = url.host();
    // An address like 127.0.0.1 has no labels to drop: its domain is the address itself.
    const qsizetype dot = site.host.indexOf(u'.');
    const bool numeric = site.host.contains(u':') // IPv6
        || std::all_of(site.host.cbegin(), site.host.cend(), [](QChar c) { return c.isDigit() || c == u'.'; });
    site.domain = (dot < 0 || numeric) ? site.host : site.host.mid(dot + 1);
    return site;
}

namespace {
Site &siteInUse()
{
    static Site site = Site::fromBaseAddress(QStringLiteral(SUICHUAN_BASE_ADDRESS));
    return site;
}
} // namespace

const Site &currentSite() { return siteInUse(); }

void setCurrentSite(const Site &site) { siteInUse() = site; }
