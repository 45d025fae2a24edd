#include "editor/historytext.h"

#include <QStringList>

#include <array>
#include <string_view>

namespace {

// The last line is completed by the site domain.
constexpr std::array<std::u16string_view, 42> UPDATE_HISTORY_LINES{
    u"燧川脚本工具版本更新历史",
    u"",
    u"V1.0版本：",
    u"2010年12月22日：开始编写本程序",
    u"2010年12月22日：加入了一些新手比较常用的按钮",
    u"2010年12月22日：添加个几个信息",
    u"2010年12月22日：增加脚本命令解释（方便新手）",
    u"2010年12月22日：测试成功运行",
    u"",
    u"V1.1版本：",
    u"2010年12月25日：对V1.1版本进行的美观",
    u"2010年12月25日：归类的版窗",
    u"2010年12月25日：增加了英雄代码",
    u"2010年12月25日：添加了合成版脚本代码",
    u"2010年12月27日：修复了保存时出现的点",
    u"2010年12月27日：对命令进行了归类",
    u"2010年12月27日：对脚本解释进一步修改",
    u"",
    u"",
    u"V1.2版本：",
    u"2011年1月12日：修复了保存是出现了错误",
    u"2011年1月12日：对解释进一步修复",
    u"2011年1月12日：对命令进行汉化，有助于新手",
    u"",
    u"",
    u"V1.3版本：",
    u"2011年1月17日：添加了以下功能",
    u"2011年1月17日：人物登录脚本",
    u"2011年1月17日：记录坐标脚本",
    u"2011年1月17日：文字颜色代码",
    u"2011年1月17日：图标功能代码",
    u"2011年1月17日：物品位置代码",
    u"2011年1月17日：物品极品属性详解",
    u"2011年1月17日：拍卖行脚本",
    u"2011年1月17日：特殊怪物设置",
    u"",
    u"V1.4版本：",
    u"2011年1月24日：没有多大更新内容",
    u"2011年1月24日：修正了信息提示不能使用的原因",
    u"2011年1月24日：添加了时间式",
    u"",
    u"以后我会推出更新的版本",
};

} // namespace

QString updateHistoryText(const QString &siteDomain)
{
    QStringList lines;
    for (const std::u16string_view line : UPDATE_HISTORY_LINES)
        lines << QString::fromUtf16(line.data(), qsizetype(line.size()));
    return lines.join(QStringLiteral("\r\n")) + siteDomain;
}
