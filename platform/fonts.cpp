#include "platform/fonts.h"

#include <QStringList>

QFont layoutFont(std::string_view family, int pixelSize)
{
    static const QStringList song{QStringLiteral("SimSun"), QStringLiteral("NSimSun"),
                                  QStringLiteral("AR PL UMing CN"), QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC")};
    static const QStringList kai{QStringLiteral("KaiTi_GB2312"), QStringLiteral("KaiTi"),
                                 QStringLiteral("AR PL UKai CN"), QStringLiteral("Noto Serif CJK SC"),
                                 QStringLiteral("Noto Sans CJK SC")};
    QFont font;
    font.setFamilies(family.starts_with("楷体") ? kai : song);
    font.setPixelSize(pixelSize);
    return font;
}
