#pragma once
// The main window's fixed layout: places in the client area (below the menu bar), sizes and texts.

#include <QRect>

#include <array>
#include <string_view>

// The window is 618×722 outside; the client area that holds the controls is what the frame,
// the caption and the menu bar leave of that.
inline constexpr int kMainWindowClientWidth = 612;
inline constexpr int kMainWindowClientHeight = 672;

struct LabelLayout {
    std::string_view name;
    QRect place;
    std::string_view text; // "\r\n" starts a second line
    // Labels that act on a mouse press have a thin sunken edge and centred 宋体 16 px text;
    // the others have no edge and the default font unless a size is given.
    bool acts;
    int fontPixelSize; // 0: the default font
};

inline constexpr std::array<LabelLayout, 14> kMainWindowLabels{{
    {"标签2", {0, 10, 39, 23}, "通知：", false, 0},
    {"标签6", {0, 57, 112, 34}, "保 存 脚 本", true, 16},
    {"标签5", {1, 103, 112, 34}, "清 空 脚 本", true, 16},
    {"标签9", {8, 168, 104, 34}, "执行脚本命令", true, 16},
    {"标签10", {8, 216, 104, 40}, "合计版脚本\r\n命令", true, 16},
    {"标签11", {8, 270, 104, 35}, "触发类脚本\r\n命令", true, 16},
    {"标签12", {8, 322, 104, 33}, "判断(检查)\r\n脚本命令", true, 16},
    {"标签13", {8, 373, 104, 34}, "信息提示命令", true, 16},
    {"标签14", {8, 428, 104, 34}, "经典脚本列子", true, 16},
    {"标签1", {131, 438, 88, 33}, "脚本命令解释", false, 14},
    {"标签3", {8, 651, 56, 16}, "当前版本：", false, 0},
    {"标签4", {74, 651, 150, 16}, "V1.4", false, 0},
    {"标签8", {375, 651, 73, 16}, "现在时间是：", false, 0},
    // The clock's longest text ("2026年12月31日23时59分59秒") fits its 152 pixels only a size below
    // the default font.
    {"标签7", {452, 650, 152, 16}, "", false, 11},
}};

// The six labels that open the category windows, in the order of the categories.
inline constexpr std::array<std::string_view, 6> kCategoryLabels{"标签9", "标签10", "标签11",
                                                                  "标签12", "标签13", "标签14"};

struct BoxLayout {
    std::string_view name;
    QRect place;
    std::string_view caption;
};

inline constexpr BoxLayout kCategoryGroup{"分组框1", {0, 148, 120, 336}, "常用脚本命令"};
inline constexpr BoxLayout kKeywordGroup{"分组框2", {8, 500, 548, 144}, "常用脚本功能"};
inline constexpr QRect kTickerPlace{40, 2, 1072, 37};   // 超级链接框1
inline constexpr QRect kBannerPlace{113, 40, 496, 112};    // 图片框1
inline constexpr QRect kScriptBoxPlace{121, 155, 488, 264}; // 编辑框1
inline constexpr QRect kExplanationBoxPlace{225, 422, 384, 64}; // 编辑框2
