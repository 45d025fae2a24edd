#pragma once
// Lossless GBK: every byte string without a zero byte decodes to a text that encodes back to the
// same bytes. Bytes that are not GBK text (a stray 0x80, a lead byte without its trail byte, UTF-8)
// travel through the text as characters of a private range that the GBK decoder never produces.

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace gbk {

// Byte b (0x80..0xFF) that is not part of a GBK character stands in the text as U+F700 + b.
inline constexpr char16_t kEscapeBase = 0xF700;

inline bool isEscape(char16_t c) { return c >= kEscapeBase + 0x80 && c <= kEscapeBase + 0xFF; }

enum class Case { Keep, LowerAscii };

// Decodes all of `bytes` (zero bytes included, as U+0000). With Case::LowerAscii the letters A-Z
// that are characters of their own become small; the trail byte of a two-byte character never does.
QString decode(QByteArrayView bytes, Case letterCase = Case::Keep);

// Encodes `text`. Characters that GBK cannot hold are collected, once each, in `unencodable`
// (when given) and left out of the result; callers check `unencodable` before writing anything.
QByteArray encode(QStringView text, QString *unencodable = nullptr);

// Turns A-Z into a-z and touches nothing else (QString::toLower lowers far more than that).
void lowerAscii(QString &text);
bool hasUpperAscii(QStringView text);

} // namespace gbk
