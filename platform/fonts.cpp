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

} // namespace

QFont scriptFont(const QString &layoutName, int pixelSize)
{
    QStringList families;
    for (const FontMapping &mapping : FONT_MAPPINGS) {
        if (layoutName != QStringView(mapping.layoutName))
            continue;
        for (const char16_t *family : mapping.families)
            if (family)
                families << QString::fromUtf16(family);
    }
    if (families.isEmpty()) {
        families << layoutName;
        for (const char16_t *family : LAST_RESORT)
            families << QString::fromUtf16(family);
    }
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(pixelSize);
    return font;
}
