#include "platform/fonts.h"

#include <QStringList>

#include <array>

namespace {

struct FontMapping {
    const char16_t *layoutName;
    std::array<const char16_t *, 5> families; // first match wins; unused slots are null
};

// The Windows families first, for a machine that has them; the Noto CJK families (fonts-noto-cjk)
// last, because they are what a Debian desktop has.
constexpr std::array<FontMapping, 3> FONT_MAPPINGS{{
    {u"宋体", {u"SimSun", u"NSimSun", u"Noto Serif CJK SC", u"Noto Sans CJK SC", nullptr}},
    {u"宋体-PUA", {u"SimSun-PUA", u"SimSun", u"Noto Serif CJK SC", u"Noto Sans CJK SC", nullptr}},
    {u"楷体_GB2312", {u"KaiTi_GB2312", u"KaiTi", u"AR PL UKai CN", u"Noto Serif CJK SC", u"Noto Sans CJK SC"}},
}};

const char16_t *const LAST_RESORT[] = {u"Noto Serif CJK SC", u"Noto Sans CJK SC"};

constexpr int DEFAULT_PIXEL_SIZE = 12;
const char16_t *const DEFAULT_FAMILIES[] = {u"Microsoft YaHei", u"Noto Sans CJK SC", u"Noto Serif CJK SC"};

QStringList familyList(const auto &families)
{
    QStringList list;
    for (const char16_t *family : families)
        if (family)
            list << QString::fromUtf16(family);
    return list;
}

} // namespace

QFont scriptFont(const QString &layoutName, int pixelSize)
{
    QStringList families;
    for (const FontMapping &mapping : FONT_MAPPINGS)
        if (layoutName == QStringView(mapping.layoutName))
            families = familyList(mapping.families);
    if (families.isEmpty())
        families = QStringList{layoutName} + familyList(LAST_RESORT);
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(pixelSize);
    return font;
}

QFont defaultFont()
{
    QFont font;
    font.setFamilies(familyList(DEFAULT_FAMILIES));
    font.setPixelSize(DEFAULT_PIXEL_SIZE);
    return font;
}
