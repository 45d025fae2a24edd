#include "platform/fonts.h"

#include <QStringList>

#include <array>

namespace {

struct FontMapping {
    std::string_view layoutName;
    std::array<const char16_t *, 5> families; // first match wins; unused slots are null
};

// The Windows families first, for a machine that has them; then the Debian packages' faces of the same
// style (AR PL, fonts-arphic-*), and the Noto CJK families (fonts-noto-cjk) last. For the Song faces
// a Times-like serif comes before AR PL UMing, whose own Latin letters are monospaced and hard to read
// ("l" looks like "1"); Chinese characters fall through to UMing.
constexpr std::array<FontMapping, 3> FONT_MAPPINGS{{
    {"宋体", {u"SimSun", u"NSimSun", u"Liberation Serif", u"AR PL UMing CN", u"Noto Serif CJK SC"}},
    {"宋体-PUA", {u"SimSun-PUA", u"SimSun", u"Liberation Serif", u"AR PL UMing CN", u"Noto Serif CJK SC"}},
    {"楷体_GB2312", {u"KaiTi_GB2312", u"KaiTi", u"AR PL UKai CN", u"Noto Serif CJK SC", u"Noto Sans CJK SC"}},
}};

constexpr std::array<const char16_t *, 2> LAST_RESORT{u"Noto Serif CJK SC", u"Noto Sans CJK SC"};

constexpr int DEFAULT_PIXEL_SIZE = 12;
constexpr std::array<const char16_t *, 3> DEFAULT_FAMILIES{u"Microsoft YaHei", u"Noto Sans CJK SC", u"Noto Serif CJK SC"};

template <std::size_t N>
QStringList familyList(const std::array<const char16_t *, N> &families)
{
    QStringList list;
    for (const char16_t *family : families)
        if (family)
            list << QString::fromUtf16(family);
    return list;
}

} // namespace

QFont layoutFont(std::string_view family, int pixelSize)
{
    QStringList families;
    for (const FontMapping &mapping : FONT_MAPPINGS)
        if (family == mapping.layoutName)
            families = familyList(mapping.families);
    if (families.isEmpty())
        families = QStringList{QString::fromUtf8(family.data(), qsizetype(family.size()))} + familyList(LAST_RESORT);
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
