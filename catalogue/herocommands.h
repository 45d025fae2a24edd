#pragma once
// The hero commands: tests of a character's hero in the upper group, actions on it in the lower.
// Window "合计版脚本命令", opened by 标签10. Texts exactly as inserted; backslashes are single in the script.

#include "catalogue/catalogueentry.h"

#include <algorithm>
#include <array>
#include <optional>

inline constexpr std::array<Decoration, 2> kHeroDecorations{{
    {Decoration::Kind::GroupBox, "分组框1", "英雄检测代码", {3, 9, 421, 127}},
    {Decoration::Kind::GroupBox, "分组框2", "英雄执行代码", {8, 144, 421, 127}},
}};

inline constexpr std::array<CatalogueEntry, 12> kHeroCommands{{
    // number, place, caption, snippets (appended in order), explanation
    {1, {8, 26, 96, 32}, "是否申请英雄", {"havehero\r\n"}, "#if\r\nhavehero\r\n#elseact\r\nmessagebox 对不起，您没有英雄！\r\nbreak\r\n"},
    {2, {113, 26, 96, 32}, "英雄是否在线", {"checkheroonline\r\n"}, "#if\r\ncheckheroonline\r\n#elseact\r\nmessagebox 对不起，您的英雄不在线！\r\nbreak\r\n"},
    {3, {216, 26, 96, 32}, "英雄等级", {"checkherolevel = 等级\r\n"}, "如：checkherolevel =  100\r\n操作符(> = <) 级别(1-65535)"},
    {4, {318, 26, 96, 32}, "英雄职业(战士)", {"checkherojob warrior\r\n"}, "hero引擎命令\r\ncheckherojob 0\r\n"},
    {5, {318, 84, 96, 32}, "暂无", {}, std::nullopt},
    {6, {216, 84, 96, 32}, "英雄PK值", {"checkheropkpoint > 100\r\n"}, "操作符（ +  -  = ）\r\n"},
    {7, {113, 84, 96, 32}, "英雄职业(道士)", {"changeherojob Taoist\r\n"}, "hero引擎命令\r\ncheckherojob 2\r\n"},
    {8, {8, 84, 96, 32}, "英雄职业(法师)", {"changeherojob wizard\r\n"}, "hero引擎命令\r\ncheckherojob 1\r\n"},
    {13, {323, 161, 96, 32}, "修改英雄经验", {"changeheroexp +  数量\r\n"}, "如：changeheroexp + 100000\r\n可用符号：+ - =\r\n"},
    {14, {221, 161, 96, 32}, "修改英雄PK值", {"changeheropkpoint + 数量\r\n"}, "如：changeheropkpoint + 100\r\n操作符（ +  -  = ）\r\n"},
    {15, {118, 161, 96, 32}, "修改英雄等级", {"checkherolevel = 等级\r\n"}, "如：checkherolevel =  100\r\n操作符(> = <) 级别(1-65535)\r\n"},
    {16, {13, 161, 96, 32}, "清理英雄技能", {"clearheroskill\r\n"}, "#if\r\nclearheroskill\r\n#act\r\n"},
}};
static_assert(std::ranges::count_if(kHeroCommands, &CatalogueEntry::isInert) == 1);

inline constexpr CommandCategory kHeroCategory{"合计版脚本命令", 438, 310, "标签10", kHeroCommands, kHeroDecorations};
