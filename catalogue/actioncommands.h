#pragma once
// The action commands: lines that stand under a block's "#act" section.
// Window "执行脚本命令代码", opened by 标签9. Texts exactly as inserted; backslashes are single in the script.

#include "catalogue/catalogueentry.h"

#include <algorithm>
#include <array>
#include <optional>

inline constexpr std::array<CatalogueEntry, 30> kActionCommands{{
    // number, place, caption, snippets (appended in order), explanation
    {1, {8, 16, 72, 32}, "收取背包\r\n物品", {"take 物品名字 数量\r\n"}, "如：take 圣战戒指 1\r\n"},
    {2, {95, 16, 72, 32}, "给予物品", {"give 物品名字 数量\r\n"}, "如：take 圣战戒指 1\r\n"},
    {3, {184, 16, 72, 32}, "加减元宝", {"gamegold - 100\r\n"}, "gamegold 符号 数量\r\n可用符号：+ - =\r\ngamegold此命令的数量要比判断元宝大一"},
    {4, {272, 17, 72, 32}, "调整等级", {"checklevelex = 100\r\n"}, "checklevelex = 100 等级调为100\r\n可用符号：="},
    {5, {360, 16, 72, 32}, "调整声望", {"creditpoint + 100\r\n"}, "可用符号：+ - =\r\n"},
    {6, {95, 60, 72, 32}, "增加技能", {"addskills 技能名字 技能等级\r\n"}, "如：addskills 烈火剑法 3\r\n可用数字：0-3"},
    {7, {7, 60, 72, 32}, "删除技能", {"delskill 技能名字\r\n"}, "如：delskill 烈火剑法\r\n"},
    {8, {185, 60, 72, 32}, "设置技能\r\n等级", {"skilllevel 技能名称  技能等级\r\n"}, "如：skilllevel 烈火剑法 3\r\n只能设置已经拥有的技能"},
    {9, {272, 60, 72, 32}, "删除非本\r\n职业技能", {"delnojobskill\r\n"}, "delnojobskill\r\n"},
    {10, {360, 60, 72, 32}, "删除所有\r\n技能", {"clearskill\r\n"}, "身上技能全部删除\r\n"},
    {11, {6, 104, 72, 32}, "增加经验", {"changeexp + 20000\r\n"}, "可用在任务中\r\n根据自己服的情况而设置"},
    {12, {95, 104, 72, 32}, "收取身上\r\n物品", {"takew 身上物品名称\r\n"}, "如：take 圣战戒指\r\n可以参考结婚时 收取的结婚戒指"},
    {13, {184, 104, 72, 32}, "刷怪", {"mongen 怪物名称 数量 时间\r\n"}, "mongen 稻草人 20 1\r\n单位分钟，在触发地图随机坐标刷怪"},
    {14, {272, 104, 72, 32}, "指定地图\r\n刷怪", {"param1 地图\r\n", "param2 X坐标\r\n", "param3 Y坐标\r\n", "mongen  怪物名称 数量 时间\r\n"}, "mongen  稻草人 20 1\r\n单位分钟，在触发地图随机坐标刷怪"},
    {15, {360, 104, 72, 32}, "删除地图\r\n怪物", {"clearmapmon 地图代码\r\n"}, "如：clearmapmon 3\r\n清除盟重土城所有怪物"},
    {16, {6, 150, 72, 32}, "移动(随\r\n坐标机)", {"map 地图名 \r\n"}, "如：map 3\r\n传送到 盟重省随机坐标"},
    {17, {95, 150, 72, 32}, "移动(指\r\n定坐标)", {"movemap 地图名 X Y\r\n"}, "如：movemap 3 333 333\r\n传送到 盟重省指定坐标"},
    {18, {184, 149, 72, 32}, "清理师徒\r\n信息", {"delmaster\r\n"}, "清除当前人物拜师信息\r\n"},
    {19, {272, 148, 72, 32}, "调整封号", {"setranklevelname 封号\r\n"}, "如：setranklevelname %s[称号]\r\n想人物名字与称号分行显示，只需在%s后面加上\\，如：%s\\称号"},
    {20, {360, 147, 72, 32}, "调整人物\r\n金刚石", {"gamediamond\r\n"}, "如：gamediamond + 100\r\n操作符(+ - =) 数量(0-65535)"},
    {21, {360, 193, 72, 32}, "调整人物\r\nHP", {"humanhp + 数量\r\n"}, "如：humanhp + 100\r\n操作符(+ = -) 数值(0-65535)"},
    {22, {272, 193, 72, 32}, "攻击力\r\n倍力", {"POWERRATE 倍率 有效时间\r\n"}, "powerrate 3 1800\r\n单位 秒"},
    {23, {184, 193, 72, 32}, "杀怪经验\r\n倍数", {"killmonexprate 倍率 有效时间\r\n"}, "如：killmonexprate 3 1800\r\n单位 秒"},
    {24, {95, 194, 72, 32}, "调整人物\r\nPK点数", {"CHANGEPKPOINT = 数量\r\n"}, "如：CHANGEPKPOINT = 100\r\n控制符(=,+,-)  PK点数"},
    {25, {6, 194, 72, 32}, "调整人物\r\n点数", {"GAMEPOINT = 数量\r\n"}, "如：GAMEPOINT = 8\r\n控制符(=,+,-)  点数(1-100)"},
    {26, {361, 235, 72, 32}, "暂无", {}, std::nullopt},
    {27, {273, 235, 72, 32}, "暂无", {}, std::nullopt},
    {28, {185, 235, 72, 32}, "增加人物\r\n的属性点", {"bonuspoint +  数量\r\n"}, "如：bonuspoint + 100\r\n可用符号：+ - =\r\n#act\r\nbonuspoint + 100\r\nbreak\r\n"},
    {29, {96, 236, 72, 32}, "清楚人物\r\n的属性点", {"restbonuspoint\r\n"}, "清理当前人物所有属性点\r\n"},
    {30, {7, 236, 72, 32}, "调整人物\r\nMP", {"humanmp + 数量\r\n"}, "如：humanmp + 100\r\n操作符(+ = -) 数值(0-65535)"},
}};
static_assert(std::ranges::count_if(kActionCommands, &CatalogueEntry::isInert) == 2);

inline constexpr CommandCategory kActionCategory{"执行脚本命令代码", 438, 310, "标签9", kActionCommands, {}};
