#include "online/version.h"

#include <algorithm>

QByteArrayView textUpToZero(QByteArrayView body)
{
    const auto zero = std::find(body.begin(), body.end(), '\0');
    return body.first(zero - body.begin());
}

bool sameVersion(QByteArrayView fetched, QByteArrayView reference)
{
    const QByteArrayView a = textUpToZero(fetched);
    const QByteArrayView b = textUpToZero(reference);
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin());
}
