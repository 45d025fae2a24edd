#pragma once
// The trigger blocks: each button appends a label line and its condition header; one appends
// thirteen equipment lines and leaves the explanation box alone.
// Window "触发脚本命令代码", opened by 标签11. Texts exactly as inserted; backslashes are single in the script.

#include "catalogue/catalogueentry.h"

#include <algorithm>
#include <array>
#include <optional>

inline constexpr std::array<Decoration, 2> kTriggerDecorations{{
    {Decoration::Kind::Label, "标签1", "人物触发脚本命令", {7, 8, 112, 16}},
    {Decoration::Kind::Label, "标签2", "英雄触发脚本命令", {8, 197, 112, 16}},
}};

inline constexpr std::array<CatalogueEntry, 19> kTriggerCommands{{
    // number, place, caption, snippets (appended in order), explanation
    {1, {97, 122, 72, 32}, "物品触发", {"[@StdModeFunc166]\r\n", "#IF\r\n"}, "物品数据库 物品anicount项 数值为166\r\n使用方法：\r\n[@StdModeFunc166]\r\n#if\r\n#act\r\nKILLMONEXPRATE 1000 3600\r\nmessagebox 『兑换10倍经验卷成功』\\当前为10倍杀怪经验,时间为１小时。\\注意：中间下线即恢复正常经验倍数！\r\n"},
    {2, {187, 76, 72, 32}, "技能对本人的触发", {"[@MagSelfFunc60]\r\n", "#IF\r\n"}, "未知，60似乎是指ID\r\n"},
    {3, {96, 76, 72, 32}, "技能对非本人的触发", {"[@MagTagFunc60]\r\n", "#IF\r\n"}, "未知，60似乎是指ID\r\n"},
    {4, {274, 31, 72, 32}, "升级触发", {"[@PlayLevelUp]\r\n", "#IF\r\n"}, "升级到XX级 送东西。使用方式：\r\n[@PlayLevelUp]\r\n#IF\r\nchecklevelex = 40    判断等级\r\ncheckjob warrior     判断职业\r\ngender Woman     判断性别\r\n#act\r\ngive 新人神剑 1    ；给予武器\r\nAutoTakeOnItem 新人神剑 1       ；自动带上武器\r\ntake 乌木剑 1     ；拿掉武器\r\nbreak\r\n"},
    {5, {8, 32, 72, 32}, "杀人触发", {"[@KillPlay]\r\n", "#IF\r\n"}, "杀人触发事件\r\n"},
    {6, {187, 31, 72, 32}, "小退触发", {"[@PlayReconnection]\r\n", "#IF\r\n"}, "小退后触发事件\r\n"},
    {7, {96, 32, 72, 32}, "死亡触发", {"[@PlayDie]\r\n", "#IF\r\n"}, "某人死亡触发事件\r\n"},
    {8, {358, 31, 72, 32}, "套装触发", {"[@SuitItem8]\r\n", "#IF\r\n"}, "物品数据库 reserved项 数值为8(可以重复).\r\n"},
    {9, {10, 226, 72, 32}, "英雄学习\r\n技能触发", {"[@playSkill]\r\n", "#IF\r\n"}, "英雄学习技能后触发事件.\r\n"},
    {10, {7, 76, 72, 32}, "人物学习\r\n技能触发", {"[@HeroplaySkill]\r\n", "#IF\r\n"}, "人物学习技能后触发事件.\r\n"},
    {11, {95, 226, 72, 32}, "宝宝杀怪\r\n触发", {"[@KillMissionMob]\r\n", "#if\r\n"}, "宝宝杀死某怪后触发事件.\r\n"},
    {12, {359, 76, 72, 32}, "人物杀怪\r\n触发", {"[@KillMonster]\r\n", "#IF\r\n"}, "人物杀死某怪后触发事件.\r\n"},
    {13, {275, 76, 72, 32}, "人物获得\r\n经验触发", {"[@GetExp]\r\n", "#IF\r\n"}, "人物杀死某怪后触发事件.\r\n"},
    {14, {187, 226, 72, 32}, "英雄获得\r\n经验触发\r\n", {"[@HeroGetExp]\r\n", "#IF\r\n"}, "人物杀死某怪后触发事件.\r\n"},
    {15, {276, 226, 72, 32}, "商店购买\r\n触发", {"[@BuyShop]\r\n", "#if\r\n"}, "使用方法：\r\n[@BuyShop]\r\n#If\r\n#Act\r\nSendMsg 5 [提示]:商铺购买，赠送触发,使用元宝：<$BUYSHOP>.!\r\n"},
    {16, {187, 122, 72, 32}, "灵符使用\r\n触发", {"[@usegamegird]\r\n", "#if\r\n"}, "使用灵符触发\r\n"},
    {17, {7, 122, 72, 32}, "人物内功\r\n升级触发", {"[@PlayNGLevelUp]\r\n", "#IF\r\n"}, "人物内功升级后触发事件\r\n"},
    {18, {361, 226, 72, 32}, "英雄内功\r\n升级触发", {"[@HeroNGLevelUp]\r\n", "#if\r\n"}, "英雄内功升级后触发事件\r\n"},
    {21, {276, 122, 72, 32}, "自动换装备代码",
     {"AutoTakeOnItem 物品名字 1\r\n",
      "AutoTakeOnItem 衣服名字 0\r\n",
      "AutoTakeOnItem 头盔名字 4\r\n",
      "AutoTakeOnItem 项链名字 3\r\n",
      "AutoTakeOnItem 戒指名字 7\r\n",
      "AutoTakeOnItem 戒指名字 8\r\n",
      "AutoTakeOnItem 手镯名字 5\r\n",
      "AutoTakeOnItem 手镯名字 6\r\n",
      "AutoTakeOnItem 勋章名字 2\r\n",
      "AutoTakeOnItem 符文之类 9\r\n",
      "AutoTakeOnItem 腰带名字 10\r\n",
      "AutoTakeOnItem 鞋子之类 11\r\n",
      "AutoTakeOnItem 宝石之类 12\r\n"},
     std::nullopt},
}};
static_assert(std::ranges::count_if(kTriggerCommands, &CatalogueEntry::isInert) == 0);

inline constexpr CommandCategory kTriggerCategory{"触发脚本命令代码", 438, 310, "标签11", kTriggerCommands, kTriggerDecorations};
