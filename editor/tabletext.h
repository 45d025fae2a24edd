#pragma once
// Texts of the constant tables are UTF-8 in the source; on screen "\r\n" in a caption is one line break.

#include <QString>

#include <string_view>

inline QString fromTable(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

inline QString captionText(std::string_view caption)
{
    return fromTable(caption).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}
