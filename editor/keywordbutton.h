#pragma once
// One button below the explanation box: a click puts its keyword on a new last line of the script
// box and shows its explanation. Placeholders ("暂无") have neither and are created disabled.

#include <QRect>

#include <optional>
#include <string_view>

struct KeywordButton {
    int number;                  // the control is named 按钮<number>
    QRect place;                 // in the main window's client area
    std::string_view fontFamily; // 宋体 or 宋体-PUA
    int fontPixelSize;
    std::string_view caption;    // "\r\n" starts a second line
    std::optional<std::string_view> keyword;
    std::optional<std::string_view> explanation;

    constexpr bool isPlaceholder() const { return !keyword; }
};
