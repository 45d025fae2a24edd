// The fonts the layouts name resolve to installed faces that hold every Chinese character we show.
#include "platform/fonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QRawFont>
#include <QTest>

class TestFonts : public QObject
{
    Q_OBJECT
private slots:
    void chineseTextHasGlyphs_data();
    void chineseTextHasGlyphs();
};

void TestFonts::chineseTextHasGlyphs_data()
{
    QTest::addColumn<QFont>("font");
    QTest::addColumn<int>("pixelSize");
    QTest::newRow("宋体") << layoutFont("宋体", 16) << 16;
    QTest::newRow("宋体-PUA") << layoutFont("宋体-PUA", 14) << 14;
    QTest::newRow("楷体_GB2312") << layoutFont("楷体_GB2312", 16) << 16;
    QTest::newRow("unknown name") << layoutFont("黑体-不存在", 13) << 13;
    QTest::newRow("default") << defaultFont() << 12;
}

void TestFonts::chineseTextHasGlyphs()
{
    QFETCH(QFont, font);
    QFETCH(int, pixelSize);
    QCOMPARE(QFontInfo(font).pixelSize(), pixelSize);
    // Qt draws each character in the first family of the list that holds it: one installed family
    // of the list, not the system's last resort, must hold every Chinese character we show.
    QList<QRawFont> faces;
    for (const QString &family : font.families()) {
        if (!QFontDatabase::hasFamily(family))
            continue;
        QFont single(family);
        single.setPixelSize(pixelSize);
        faces << QRawFont::fromFont(single);
    }
    QVERIFY2(!faces.isEmpty(), qPrintable(font.families().join(u',')));
    for (const QChar c : QStringLiteral("燧川脚本编辑器关于作者信息确定更新版本历史：（）#elseact")) {
        const bool held = std::any_of(faces.cbegin(), faces.cend(), [c](const QRawFont &f) { return f.supportsCharacter(c); });
        QVERIFY2(held, qPrintable(font.families().join(u',') + u' ' + c));
    }
}

QTEST_MAIN(TestFonts)
#include "test_fonts.moc"
