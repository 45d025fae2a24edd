#pragma once
// The catalogue as constant data: one CommandCategory per category window, one CatalogueEntry per
// button. Texts are UTF-8 here and GBK on disk; they stand exactly as the program inserts them.

#include <QRect>

#include <array>
#include <optional>
#include <span>
#include <string_view>

// The most snippets one button appends (a trigger button appends thirteen).
inline constexpr int kMaxSnippets = 13;

struct CatalogueEntry {
    int number;      // the button is named 按钮<number>
    QRect place;     // in the window's client area
    std::string_view caption;
    std::array<std::string_view, kMaxSnippets> snippets; // appended in order; unused slots are empty
    std::optional<std::string_view> explanation;         // none: the explanation box is left alone

    constexpr int snippetCount() const
    {
        int n = 0;
        while (n < kMaxSnippets && !snippets[n].empty())
            ++n;
        return n;
    }
    constexpr bool isInert() const { return snippetCount() == 0 && !explanation; }
};

// A group box or label that frames or heads some buttons; it has no events.
struct Decoration {
    enum class Kind { GroupBox, Label };
    Kind kind;
    std::string_view name; // 分组框1, 标签1, ...
    std::string_view caption;
    QRect place;
};

struct CommandCategory {
    std::string_view title;
    int outerWidth;
    int outerHeight;
    std::string_view openingLabel; // the main-window label that opens it, e.g. 标签9
    std::span<const CatalogueEntry> entries;   // in the order of the button numbers
    std::span<const Decoration> decorations;
};
