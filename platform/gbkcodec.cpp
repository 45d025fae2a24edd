#include "platform/gbkcodec.h"

#include <QList>
#include <QStringDecoder>
#include <QStringEncoder>

#include <array>
#include <memory>

namespace gbk {
namespace {

constexpr int kLeadFirst = 0x81, kLeadLast = 0xFE;
constexpr int kTrailCount = 190; // 0x40..0x7E and 0x80..0xFE

int trailIndex(unsigned char t)
{
    if (t >= 0x40 && t <= 0x7E)
        return t - 0x40;
    if (t >= 0x80 && t <= 0xFE)
        return t - 0x80 + 63;
    return -1;
}

unsigned char trailByte(int index) { return index < 63 ? 0x40 + index : 0x80 + index - 63; }

// The two-byte characters, looked up both ways. Built once from the platform's GBK converter by
// decoding every lead/trail pair; a pair counts only when it decodes to one character that encodes
// back to the same pair and that no earlier pair claimed, so that decoding can always be undone.
struct Tables {
    std::array<char16_t, (kLeadLast - kLeadFirst + 1) * kTrailCount> pairToChar{};
    std::array<quint16, 0x10000> charToPair{};
};

std::unique_ptr<Tables> buildTables()
{
    auto tables = std::make_unique<Tables>();
    constexpr char kSeparator = '\x01'; // never a trail byte, so pairs cannot run into each other
    QByteArray allPairs;
    allPairs.reserve(int(tables->pairToChar.size()) * 3);
    for (int lead = kLeadFirst; lead <= kLeadLast; ++lead) {
        for (int t = 0; t < kTrailCount; ++t) {
            allPairs.append(char(lead));
            allPairs.append(char(trailByte(t)));
            allPairs.append(kSeparator);
        }
    }
    QStringDecoder decoder("GBK", QStringConverter::Flag::Stateless);
    const QString decoded = decoder.decode(allPairs);
    const QList<QStringView> pieces = QStringView(decoded).split(QChar(kSeparator));

    QString candidates;
    std::vector<int> candidatePairs;
    for (qsizetype i = 0; i < qsizetype(tables->pairToChar.size()) && i < pieces.size(); ++i) {
        const QStringView piece = pieces[i];
        if (piece.size() != 1 || piece[0] == QChar::ReplacementCharacter || piece[0].isSurrogate()
            || piece[0].unicode() < 0x80 || isEscape(piece[0].unicode()))
            continue;
        candidates.append(piece[0]);
        candidates.append(QChar(kSeparator));
        candidatePairs.push_back(int(i));
    }
    QStringEncoder encoder("GBK", QStringConverter::Flag::Stateless);
    const QByteArray reencoded = encoder.encode(candidates);
    const QList<QByteArray> back = reencoded.split(kSeparator);
    for (size_t k = 0; k < candidatePairs.size() && qsizetype(k) < back.size(); ++k) {
        const int index = candidatePairs[k];
        const auto lead = char(kLeadFirst + index / kTrailCount);
        const auto trail = char(trailByte(index % kTrailCount));
        const char16_t c = candidates[qsizetype(2 * k)].unicode();
        if (back[k].size() != 2 || back[k][0] != lead || back[k][1] != trail || tables->charToPair[c])
            continue;
        tables->pairToChar[index] = c;
        tables->charToPair[c] = quint16((quint8(lead) << 8) | quint8(trail));
    }
    return tables;
}

const Tables &tables()
{
    static const std::unique_ptr<Tables> built = buildTables();
    return *built;
}

} // namespace

QString decode(QByteArrayView bytes, Case letterCase)
{
    const Tables &t = tables();
    QString out(bytes.size(), Qt::Uninitialized);
    char16_t *dst = reinterpret_cast<char16_t *>(out.data());
    char16_t *const start = dst;
    const auto *src = reinterpret_cast<const unsigned char *>(bytes.data());
    const auto *const end = src + bytes.size();
    const bool lower = letterCase == Case::LowerAscii;
    while (src < end) {
        const unsigned char b = *src;
        if (b < 0x80) {
            *dst++ = (lower && b >= 'A' && b <= 'Z') ? char16_t(b + 32) : char16_t(b);
            ++src;
            continue;
        }
        if (b >= kLeadFirst && b <= kLeadLast && src + 1 < end) {
            const int ti = trailIndex(src[1]);
            if (ti >= 0) {
                const char16_t c = t.pairToChar[(b - kLeadFirst) * kTrailCount + ti];
                if (c) {
                    *dst++ = c;
                    src += 2;
                    continue;
                }
            }
        }
        *dst++ = char16_t(kEscapeBase + b);
        ++src;
    }
    out.truncate(dst - start);
    return out;
}

QByteArray encode(QStringView text, QString *unencodable)
{
    const Tables &t = tables();
    QByteArray out(text.size() * 2, Qt::Uninitialized);
    char *dst = out.data();
    char *const start = dst;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80) {
            *dst++ = char(c);
        } else if (isEscape(c)) {
            *dst++ = char(c - kEscapeBase);
        } else if (const quint16 pair = t.charToPair[c]) {
            *dst++ = char(pair >> 8);
            *dst++ = char(pair & 0xFF);
        } else if (unencodable) {
            // A character outside the BMP comes as a surrogate pair and is named whole.
            const bool surrogatePair = QChar::isHighSurrogate(c) && i + 1 < text.size()
                && QChar::isLowSurrogate(text[i + 1].unicode());
            const QStringView ch = text.mid(i, surrogatePair ? 2 : 1);
            if (!unencodable->contains(ch))
                unencodable->append(ch);
            if (surrogatePair)
                ++i;
        }
    }
    out.truncate(dst - start);
    return out;
}

void lowerAscii(QString &text)
{
    if (!hasUpperAscii(text))
        return; // no detach, no copy
    for (QChar &c : text) {
        const char16_t u = c.unicode();
        if (u >= 'A' && u <= 'Z')
            c = QChar(char16_t(u + 32));
    }
}

bool hasUpperAscii(QStringView text)
{
    for (QChar c : text) {
        if (c.unicode() >= 'A' && c.unicode() <= 'Z')
            return true;
    }
    return false;
}

} // namespace gbk
