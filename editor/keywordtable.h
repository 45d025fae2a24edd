#pragma once
// The eighteen buttons in and around the group box "常用脚本功能", texts exactly as inserted.
// Four texts end in a blank; backslashes are single in the script ("\\" here).

#include "editor/keywordbutton.h"

#include <array>

inline constexpr auto kNone = std::nullopt;

inline constexpr std::array<KeywordButton, 18> kKeywordButtons{{
    // number, place, font, size, caption, keyword, explanation
    {7, {20, 516, 80, 32}, "宋体-PUA", 19, "[@main]", "[@main]", "与NPC对话必加代码"},
    {8, {108, 516, 80, 32}, "宋体-PUA", 19, "#if", "#if", "判断命令和检查命令"},
    {10, {196, 516, 80, 32}, "宋体-PUA", 19, "#act", "#act", "执行命令"},
    {9, {284, 516, 80, 32}, "宋体-PUA", 19, "#say", "#say", "执行命令,一般会用在添加一些特殊的命令，\r\n比如：玩家看的的和GM看到的不一样,但是必须得做两个"},
    {12, {372, 516, 80, 32}, "宋体-PUA", 19, "#elseact", "#elseact", "检测不通过"},
    {11, {460, 516, 80, 32}, "宋体-PUA", 19, "#elsesay", "#elsesay", "检测不通过显示对话"},
    {22, {21, 556, 80, 32}, "宋体-PUA", 16, "#call", "#call", "执行某个脚本命令\r\n比如：#CALL [\\\\天下第一\\男战士.txt] @天下第一战男"},
    {17, {108, 557, 80, 32}, "宋体-PUA", 19, "close", "close", "在装备改名或其他时候用 "},
    {16, {196, 557, 80, 32}, "宋体-PUA", 14, "人物名字\r\n加入文本", "ADDNAMELIST ..\\QuestDiary\\会员系统\\帐号名单.txt", "把人物名字加入账号名单中 "},
    {15, {284, 557, 80, 32}, "宋体", 14, "人物名字\r\n删除文本", "DELNAMELIST ..\\QuestDiary\\会员系统\\帐号名单.txt", "把人物名字从 账号名单里删除 "},
    {14, {372, 557, 80, 32}, "宋体-PUA", 19, "goto", "goto @命令", "调用段落,不符合条件的自动跳到下个段落,但是必须有相应的脚本"},
    {13, {460, 557, 80, 32}, "宋体-PUA", 19, "关闭按扭", "<关闭/@exit>", "关闭对话框窗口"},
    {24, {20, 596, 80, 32}, "宋体", 14, "break", "break", "停止后面的脚本"},
    {18, {108, 597, 80, 32}, "宋体", 14, "[自定义/@自定义]", "[自定义/@自定义]", "游戏里点击的黄字内容 比如传送员：<盟重土城/@盟重土城> "},
    {23, {196, 596, 80, 32}, "宋体", 14, "暂无", kNone, kNone},
    {21, {284, 596, 80, 32}, "宋体", 14, "暂无", kNone, kNone},
    {20, {372, 596, 80, 32}, "宋体-PUA", 19, "暂无", kNone, kNone},
    {19, {460, 596, 80, 32}, "宋体-PUA", 19, "暂无", kNone, kNone},
}};
