// The lossless GBK codec: whatever bytes a script file holds come back unchanged.
#include "platform/gbkcodec.h"

#include <QRandomGenerator>
#include <QTest>

class TestGbk : public QObject
{
    Q_OBJECT
private slots:
    void roundTrip_data();
    void roundTrip();
    void everyTwoBytePair();
    void randomBytes();
    void trailByteLettersStayCapital();
    void lowerCaseOnlyTouchesAsciiLetters();
    void unencodableCharactersAreNamedOnce();
};

void TestGbk::roundTrip_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expectedText"); // empty: not checked
    QTest::newRow("ascii") << QByteArray("give x 1") << QStringLiteral("give x 1");
    QTest::newRow("gbk text") << QByteArray("\xC4\xE3\xBA\xC3 ok") << QStringLiteral("你好 ok");
    QTest::newRow("trail byte in A-Z") << QByteArray("\x81\x41\x81\x5A") << QString();
    QTest::newRow("stray 0x80") << QByteArray("a\x80z") << QString();
    QTest::newRow("stray 0xFF") << QByteArray("\xFF\xFF") << QString();
    QTest::newRow("lead byte at end") << QByteArray("abc\xC4") << QString();
    QTest::newRow("lead byte before newline") << QByteArray("\xC4\r\n") << QString();
    QTest::newRow("utf-8 text") << QByteArray("\xE4\xBD\xA0\xE5\xA5\xBD\xE2\x82\xAC") << QString();
    QTest::newRow("crlf") << QByteArray("a\r\nb\r\n") << QStringLiteral("a\r\nb\r\n");
    QTest::newRow("lone lf") << QByteArray("a\nb") << QStringLiteral("a\nb");
    QTest::newRow("lone cr") << QByteArray("a\rb") << QStringLiteral("a\rb");
    QTest::newRow("mixed line ends") << QByteArray("a\r\nb\nc\rd\n\r\r\n") << QStringLiteral("a\r\nb\nc\rd\n\r\r\n");
    QTest::newRow("user-defined area") << QByteArray("\xAA\xA1\xFE\xFE") << QString();
    QTest::newRow("empty") << QByteArray() << QString();
}

void TestGbk::roundTrip()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expectedText);
    const QString text = gbk::decode(bytes);
    if (!expectedText.isEmpty())
        QCOMPARE(text, expectedText);
    QString unencodable;
    QCOMPARE(gbk::encode(text, &unencodable), bytes);
    QVERIFY(unencodable.isEmpty());
}

void TestGbk::everyTwoBytePair()
{
    int characters = 0;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F)
                continue;
            QByteArray pair;
            pair.append(char(lead)).append(char(trail));
            const QString text = gbk::decode(pair);
            if (text.size() == 1) {
                ++characters;
                QVERIFY2(!gbk::isEscape(text[0].unicode()), pair.toHex().constData());
            }
            QCOMPARE(gbk::encode(text), pair);
            // The same pair inside a line of text, with its capital-letter trail byte untouched.
            const QByteArray line = "X" + pair + "Y";
            QCOMPARE(gbk::encode(gbk::decode(line)), line);
        }
    }
    // GBK assigns well over 21,000 two-byte characters; the table must have found them.
    QVERIFY2(characters > 21000, QByteArray::number(characters).constData());
}

void TestGbk::randomBytes()
{
    QRandomGenerator random(20261211);
    for (int round = 0; round < 2000; ++round) {
        QByteArray bytes(int(random.bounded(1, 200)), Qt::Uninitialized);
        for (char &b : bytes)
            b = char(random.bounded(1, 256)); // no zero byte: files are cut there
        // Lean towards high bytes, where GBK lives, in half of the rounds.
        if (round % 2)
            for (char &b : bytes)
                b = char(quint8(b) | 0x80);
        QCOMPARE(gbk::encode(gbk::decode(bytes)), bytes);
    }
}

void TestGbk::trailByteLettersStayCapital()
{
    // 0x81 0x41 is a Chinese character whose trail byte is an ASCII "A"; the "B" is a letter.
    const QByteArray bytes("\x81\x41" "B\xC4", 4);
    const QString lowered = gbk::decode(bytes, gbk::Case::LowerAscii);
    QCOMPARE(gbk::encode(lowered), QByteArray("\x81\x41" "b\xC4", 4));
}

void TestGbk::lowerCaseOnlyTouchesAsciiLetters()
{
    QString text = QStringLiteral("#IF ÄΩ Ｚ [@Main]");
    gbk::lowerAscii(text);
    QCOMPARE(text, QStringLiteral("#if ÄΩ Ｚ [@main]"));
    QVERIFY(!gbk::hasUpperAscii(text));
}

void TestGbk::unencodableCharactersAreNamedOnce()
{
    QString unencodable;
    const QByteArray bytes = gbk::encode(QStringLiteral("a😀b😀€"), &unencodable);
    QCOMPARE(unencodable, QStringLiteral("😀€"));
    QCOMPARE(bytes, QByteArray("ab"));
}

QTEST_GUILESS_MAIN(TestGbk)
#include "test_gbk.moc"
