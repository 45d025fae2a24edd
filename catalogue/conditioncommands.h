#pragma once
// The condition commands: tests that stand under a block's "#if" line.
// Window "判断脚本命令代码", opened by 标签12. Texts exactly as inserted; backslashes are single in the script.

#include "catalogue/catalogueentry.h"

#include <algorithm>
#include <array>
#include <optional>

inline constexpr std::array<CatalogueEntry, 35> kConditionCommands{{
    // number, place, caption, snippets (appended in order), explanation
    {1, {8, 16, 72, 32}, "金钱代码", {"checkgold > 99\r\n"}, "checkgold 符号 数量\r\n操作符：  < > =\r\n"},
    {2, {95, 16, 72, 32}, "元宝代码", {"checkgamegold > 99\r\n"}, "checkgamegold 符号 数量\r\n操作符：< > =，一般都是 >\r\n"},
    {3, {184, 16, 72, 32}, "物品代码", {"checkitem 物品名字 数量\r\n"}, "如：checkitem 圣战戒指 1\r\n合成版燧川 合成师必用代码\r\n"},
    {4, {272, 17, 72, 32}, "声望代码", {"checkcreditpoint > 数量\r\n"}, "如：checkcreditpoint > 99\r\n操作符：  < > =\r\n"},
    {5, {360, 16, 72, 32}, "等级代码", {"checklevelex > 等级\r\n"}, "如：checklevelex > 45\r\n操作符： < > =\r\n限制等级进入的地图必须于检测大一级\r\n"},
    {6, {95, 60, 72, 32}, "泡点代码", {"checkgamepoint >  数量\r\n"}, "如：checkgamepoint > 49\r\n操作符： < > =\r\n"},
    {7, {7, 60, 72, 32}, "职业代码", {"checkjob Warr\r\n"}, "Warr=战 Taos=道 wizard=法\r\n"},
    {8, {185, 60, 72, 32}, "幸运代码", {"checkluckypoint  2        3K引擎\r\n", "CheckLuckPoint > 2    hero引擎\r\n"}, "检查人物幸运值大于2\r\nhero引擎：操作符：  > = <  数值(0-10)\r\n"},
    {9, {272, 60, 72, 32}, "是否为队长", {"isgroupmaster\r\n"}, "检查人物是否为编组的组长\r\n使用方法：\r\n#if\r\nisgroupmaster\r\n#say：\r\n你是组长\r\n#elsesay\r\n你不是组长\r\n"},
    {10, {360, 60, 72, 32}, "组队人数", {"CheckGroupCount = 人数\r\n"}, "如：CheckGroupCount = 3\r\n操作符：  > = <\r\n此项功能支持变量操作\r\n"},
    {11, {6, 104, 72, 32}, "是否为管理员", {"isadmin\r\n"}, "此项命令输入在#if项下面\r\n要用此命令必须有两个选择一个在#act显示 一个用#say显示\r\n"},
    {12, {95, 104, 72, 32}, "有无行会", {"haveguild\r\n"}, "检查人物是否加入行会\r\n"},
    {13, {184, 104, 72, 32}, "行会老大", {"isguildmaster\r\n"}, "检查是否为行会老大\r\n"},
    {14, {272, 104, 72, 32}, "沙城主", {"iscastlemaster\r\n"}, "检查是否为沙巴克城主\r\n"},
    {15, {360, 104, 72, 32}, "沙成员", {"iscastleguild\r\n"}, "检查是否为沙巴克成员\r\n"},
    {16, {6, 150, 72, 32}, "转生等级", {"checkrenewlevel > 等级\r\n"}, "如：checkrenewlevel > 1 \r\n操作符：< > =\r\n"},
    {17, {95, 150, 72, 32}, "身上装备", {"checkitemw 物品\r\n"}, "checkitemw 圣战戒指\r\n"},
    {18, {184, 149, 72, 32}, "地图人数", {"checkhum 地图编号 数量\r\n"}, "如：checkhum 3 1\r\n3代表土城\r\n"},
    {19, {272, 148, 72, 32}, "技能等级", {"checkskill 技能名字 > 等级 \r\n"}, "如：checkskill 魔法盾 > 1\r\n操作符：  < > =\r\n"},
    {20, {360, 147, 72, 32}, "已修炼技能", {"checkmagic 技能名称\r\n"}, "如：checkmagic 魔法盾\r\n"},
    {21, {360, 193, 72, 32}, "人物攻击\r\n上限下限", {"checkdc \r\n"}, "如：checkdc > 20 > 70\r\n操作符：< > =\r\n"},
    {22, {272, 193, 72, 32}, "人物\r\n在线时间", {"onlinelongmin \r\n"}, "如：checkexp > 60\r\n操作符：< > =\r\n单位应该是 分钟\r\n"},
    {23, {184, 193, 72, 32}, "人物经验", {"checkexp\r\n"}, "如：checkexp > 20000\r\n操作符：可以符号：< > =\r\n"},
    {24, {95, 194, 72, 32}, "是否被\r\n玩家杀死", {"KillByHum\r\n"}, "使用方法：\r\n#if\r\nKillByHum\r\n#act\r\nSendMsg 5 玩家 <$KILLER> 在%m 把你干死了!\r\n此功能用于触发脚本人物死亡段\r\n"},
    {25, {6, 194, 72, 32}, "是不是\r\n被怪打死", {"KillByHum\r\n"}, "使用方法：\r\n#if\r\nKillByHum\r\n#act\r\n#ELSEACT\r\nSendMsg 5 怪物 <$MONKILLER> 在%m 把你干死了!\r\n此功能用于触发脚本人物死亡段\r\n"},
    {26, {361, 235, 72, 32}, "宝宝等级", {"checkslavelevel > 等级\r\n"}, "如：checkslavelevel > 5\r\n操作符：< > =\r\n"},
    {27, {273, 235, 72, 32}, "人物MP\r\n上限下限", {"checkmp \r\n"}, "如：checkmp > 20 > 70\r\n操作符：< > =\r\n"},
    {28, {185, 235, 72, 32}, "人物HP\r\n上限下限", {"checkhp \r\n"}, "如：checkhp > 20 > 70\r\n操作符：< > =\r\n"},
    {29, {96, 236, 72, 32}, "人物道术\r\n上限下限", {"checksc \r\n"}, "如：checksc > 20 > 70\r\n操作符：< > =\r\n"},
    {30, {7, 236, 72, 32}, "人物魔法\r\n上限下限", {"checkmc\r\n"}, "如：checkmc > 20 > 70\r\n操作符：< > =\r\n"},
    {31, {362, 279, 72, 32}, "暂无", {}, std::nullopt},
    {32, {274, 279, 72, 32}, "暂无", {}, std::nullopt},
    {33, {186, 279, 72, 32}, "暂无", {}, std::nullopt},
    {34, {97, 280, 72, 32}, "检查身上\r\n装备属性", {"CHECKITEMADDVALUE 0 0 > 防御数\r\n"}, "如：CHECKITEMADDVALUE 0 0 > 1\r\n物品位置(0-13) 属性位置(0-14) (符号 < > =) 值\r\n"},
    {35, {8, 280, 72, 32}, "宝宝数量", {"checkslavecount <  数量\r\n"}, "如：checkslavecount < 5\r\n操作符：< > =\r\n"},
}};
static_assert(std::ranges::count_if(kConditionCommands, &CatalogueEntry::isInert) == 3);

inline constexpr CommandCategory kConditionCategory{"判断脚本命令代码", 437, 345, "标签12", kConditionCommands, {}};
