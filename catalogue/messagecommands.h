#pragma once
// The message commands: "sendmsg" with its thirteen message types, and the centred message.
// Window "信息提示", opened by 标签13. Texts exactly as inserted; backslashes are single in the script.

#include "catalogue/catalogueentry.h"

#include <algorithm>
#include <array>
#include <optional>

inline constexpr std::array<CatalogueEntry, 14> kMessageCommands{{
    // number, place, caption, snippets (appended in order), explanation
    {1, {8, 16, 72, 32}, "信息0", {"sendmsg 0\r\n"}, "发布蓝色信息\r\n"},
    {2, {95, 16, 72, 32}, "信息1", {"sendmsg 1\r\n"}, "发送普通红色广播信息\r\n"},
    {3, {184, 16, 72, 32}, "信息2", {"sendmsg 2\r\n"}, "发送普通红色广播信息，并显示NPC名称\r\n"},
    {4, {272, 17, 72, 32}, "信息3", {"sendmsg 3\r\n"}, "发送普通红色广播信息，并人物NPC名称\r\n"},
    {5, {8, 64, 72, 32}, "信息4", {"sendmsg 4\r\n"}, "在NPC头顶，显示普通说话信息\r\n"},
    {6, {183, 64, 72, 32}, "信息6", {"sendmsg 6\r\n"}, "发送绿色信息给人物\r\n"},
    {7, {94, 64, 72, 32}, "信息5", {"sendmsg 5\r\n"}, "发送红色信息给人物\r\n"},
    {8, {273, 64, 72, 32}, "信息7", {"sendmsg 7\r\n"}, "发送蓝色信息给人物\r\n"},
    {9, {8, 114, 72, 32}, "信息8", {"sendmsg 8\r\n"}, "发送绿色信息给行会成员\r\n"},
    {10, {94, 114, 72, 32}, "信息9", {"sendmsg 9\r\n"}, "发送蓝色信息给行会成员\r\n"},
    {11, {183, 114, 72, 32}, "信息10", {"sendmsg 10\r\n"}, "发送红色信息给行会成员\r\n"},
    {12, {273, 114, 72, 32}, "信息11", {"sendmsg 11\r\n"}, "发送喊话信息(范围为原来2倍)\r\n"},
    {13, {8, 163, 72, 32}, "信息12", {"sendmsg 12\r\n"}, "发送组队的信息\r\n"},
    {14, {94, 163, 72, 32}, "中间信息", {"SENDCENTERMSG 0 232 玩家[<$USERNAME>]输入显示字母 . 3 5\r\n"}, "在中间显示信息\r\n"},
}};
static_assert(std::ranges::count_if(kMessageCommands, &CatalogueEntry::isInert) == 0);

inline constexpr CommandCategory kMessageCategory{"信息提示", 355, 227, "标签13", kMessageCommands, {}};
