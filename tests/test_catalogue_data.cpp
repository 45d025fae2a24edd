// The catalogue's data: properties that catch a slip in copying a text or a place, without a second
// copy of the tables.
#include "catalogue/catalogue.h"
#include "platform/gbkcodec.h"

#include <QSet>
#include <QTest>

namespace {

QString text(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

QString where(const CommandCategory &category, const CatalogueEntry &entry)
{
    return text(category.title) + QStringLiteral(" 按钮%1").arg(entry.number);
}

// Every text of one entry: caption, snippets and explanation.
QList<std::string_view> textsOf(const CatalogueEntry &entry)
{
    QList<std::string_view> texts{entry.caption};
    for (int i = 0; i < entry.snippetCount(); ++i)
        texts.append(entry.snippets[i]);
    if (entry.explanation)
        texts.append(*entry.explanation);
    return texts;
}

const CatalogueEntry *findEntry(const CommandCategory &category, int number)
{
    for (const CatalogueEntry &entry : category.entries)
        if (entry.number == number)
            return &entry;
    return nullptr;
}

const CommandCategory &examples = kCatalogue[5];

using SnippetCounts = QMap<int, int>; // button number -> snippets it appends

} // namespace

class TestCatalogueData : public QObject
{
    Q_OBJECT
private slots:
    void windows_data();
    void windows();
    void totals();
    void inertExactlyWhenCaptionedNone();
    void snippetsAreWholeLines();
    void lineBreaksAreCrLfAndTextsAreGbk();
    void buttonNamesUniquePerWindow();
    void placesInsideClientArea();
    void buttonsDoNotOverlapAndSitInTheirGroups();
    void snippetCounts_data();
    void snippetCounts();
    void exampleTextLengths_data();
    void exampleTextLengths();
};

void TestCatalogueData::windows_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("openingLabel");
    QTest::addColumn<QSize>("outerSize");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("acting");
    QTest::addColumn<int>("inert");
    QTest::addColumn<int>("decorations");
    QTest::addColumn<QSize>("buttonSize");
    QTest::newRow("actions") << 0 << "执行脚本命令代码" << "标签9" << QSize(438, 310) << 30 << 28 << 2 << 0 << QSize(72, 32);
    QTest::newRow("hero") << 1 << "合计版脚本命令" << "标签10" << QSize(438, 310) << 12 << 11 << 1 << 2 << QSize(96, 32);
    QTest::newRow("triggers") << 2 << "触发脚本命令代码" << "标签11" << QSize(438, 310) << 19 << 19 << 0 << 2 << QSize(72, 32);
    QTest::newRow("conditions") << 3 << "判断脚本命令代码" << "标签12" << QSize(437, 345) << 35 << 32 << 3 << 0 << QSize(72, 32);
    QTest::newRow("messages") << 4 << "信息提示" << "标签13" << QSize(355, 227) << 14 << 14 << 0 << 0 << QSize(72, 32);
    QTest::newRow("examples") << 5 << "经典脚本和介绍" << "标签14" << QSize(384, 159) << 12 << 8 << 4 << 0 << QSize(88, 32);
}

void TestCatalogueData::windows()
{
    QFETCH(int, index);
    QFETCH(QString, title);
    QFETCH(QString, openingLabel);
    QFETCH(QSize, outerSize);
    QFETCH(int, buttons);
    QFETCH(int, acting);
    QFETCH(int, inert);
    QFETCH(int, decorations);
    QFETCH(QSize, buttonSize);

    const CommandCategory &category = kCatalogue[index];
    QCOMPARE(text(category.title), title);
    QCOMPARE(text(category.openingLabel), openingLabel);
    QCOMPARE(QSize(category.outerWidth, category.outerHeight), outerSize);
    QCOMPARE(int(category.entries.size()), buttons);
    QCOMPARE(int(std::ranges::count_if(category.entries, &CatalogueEntry::isInert)), inert);
    QCOMPARE(buttons - inert, acting);
    QCOMPARE(int(category.decorations.size()), decorations);
    for (const CatalogueEntry &entry : category.entries)
        QVERIFY2(entry.place.size() == buttonSize, qPrintable(where(category, entry)));
}

void TestCatalogueData::totals()
{
    int buttons = 0, inert = 0;
    for (const CommandCategory &category : kCatalogue) {
        buttons += int(category.entries.size());
        inert += int(std::ranges::count_if(category.entries, &CatalogueEntry::isInert));
    }
    QCOMPARE(buttons, 122);
    QCOMPARE(buttons - inert, 112);
    QCOMPARE(inert, 10);
}

void TestCatalogueData::inertExactlyWhenCaptionedNone()
{
    QStringList withoutExplanation;
    for (const CommandCategory &category : kCatalogue) {
        for (const CatalogueEntry &entry : category.entries) {
            QCOMPARE(entry.isInert(), entry.caption == "暂无");
            if (!entry.isInert())
                QVERIFY2(entry.snippetCount() >= 1, qPrintable(where(category, entry)));
            if (!entry.isInert() && !entry.explanation)
                withoutExplanation.append(where(category, entry));
        }
    }
    // One acting button leaves the explanation box alone: the trigger window's equipment lines.
    QCOMPARE(withoutExplanation, QStringList{QStringLiteral("触发脚本命令代码 按钮21")});
}

void TestCatalogueData::snippetsAreWholeLines()
{
    for (const CommandCategory &category : kCatalogue) {
        for (const CatalogueEntry &entry : category.entries) {
            const int count = entry.snippetCount();
            for (int i = 0; i < count; ++i)
                QVERIFY2(entry.snippets[i].ends_with("\r\n"), qPrintable(where(category, entry)));
            // A gap in the list would hide the snippets after it.
            for (int i = count; i < kMaxSnippets; ++i)
                QVERIFY2(entry.snippets[i].empty(), qPrintable(where(category, entry)));
        }
    }
}

void TestCatalogueData::lineBreaksAreCrLfAndTextsAreGbk()
{
    for (const CommandCategory &category : kCatalogue) {
        for (const CatalogueEntry &entry : category.entries) {
            for (std::string_view utf8 : textsOf(entry)) {
                const QString t = text(utf8);
                const QString context = where(category, entry) + QLatin1String(": ") + t.left(40);
                for (qsizetype i = 0; i < t.size(); ++i) {
                    const QChar c = t[i];
                    if (c == u'\r')
                        QVERIFY2(i + 1 < t.size() && t[i + 1] == u'\n', qPrintable(context));
                    else if (c == u'\n')
                        QVERIFY2(i > 0 && t[i - 1] == u'\r', qPrintable(context));
                    else
                        QVERIFY2(c.unicode() >= 0x20, qPrintable(context));
                }
                QString unencodable;
                const QByteArray bytes = gbk::encode(t, &unencodable);
                QVERIFY2(unencodable.isEmpty(), qPrintable(context + QLatin1String(" cannot hold ") + unencodable));
                QCOMPARE(gbk::decode(bytes), t);
            }
        }
    }
}

void TestCatalogueData::buttonNamesUniquePerWindow()
{
    for (const CommandCategory &category : kCatalogue) {
        QSet<QString> names;
        for (const CatalogueEntry &entry : category.entries) {
            QVERIFY2(entry.number > 0, qPrintable(where(category, entry)));
            const QString name = QStringLiteral("按钮%1").arg(entry.number);
            QVERIFY2(!names.contains(name), qPrintable(where(category, entry)));
            names.insert(name);
        }
        QSet<QString> decorationNames;
        for (const Decoration &decoration : category.decorations)
            decorationNames.insert(text(decoration.name));
        QCOMPARE(decorationNames.size(), qsizetype(category.decorations.size()));
    }
}

void TestCatalogueData::placesInsideClientArea()
{
    // The outer size holds the frame and caption bar. The condition window's right-hand buttons come
    // within three pixels of its outer edge, so allow no more than a one-pixel border at each side,
    // and a caption bar with borders of 30 pixels.
    constexpr int kFrameWidth = 2;
    constexpr int kFrameHeight = 30;
    for (const CommandCategory &category : kCatalogue) {
        const QRect client(0, 0, category.outerWidth - kFrameWidth, category.outerHeight - kFrameHeight);
        for (const CatalogueEntry &entry : category.entries)
            QVERIFY2(client.contains(entry.place), qPrintable(where(category, entry)));
        for (const Decoration &decoration : category.decorations) {
            QVERIFY2(client.contains(decoration.place), qPrintable(text(decoration.name)));
            QVERIFY(!decoration.caption.empty());
        }
    }
}

void TestCatalogueData::buttonsDoNotOverlapAndSitInTheirGroups()
{
    for (const CommandCategory &category : kCatalogue) {
        for (auto a = category.entries.begin(); a != category.entries.end(); ++a) {
            for (auto b = a + 1; b != category.entries.end(); ++b)
                QVERIFY2(!a->place.intersects(b->place),
                         qPrintable(where(category, *a) + QStringLiteral(" / 按钮%1").arg(b->number)));
        }
        const bool grouped = std::ranges::any_of(category.decorations, [](const Decoration &d) {
            return d.kind == Decoration::Kind::GroupBox;
        });
        for (const CatalogueEntry &entry : category.entries) {
            int groups = 0;
            for (const Decoration &decoration : category.decorations) {
                if (decoration.kind == Decoration::Kind::Label)
                    QVERIFY2(!decoration.place.intersects(entry.place), qPrintable(where(category, entry)));
                else if (decoration.place.contains(entry.place))
                    ++groups;
            }
            if (grouped)
                QVERIFY2(groups == 1, qPrintable(where(category, entry)));
        }
    }
}

void TestCatalogueData::snippetCounts_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("usual");             // snippets of an acting button
    QTest::addColumn<SnippetCounts>("others"); // where they differ from the usual
    QTest::newRow("actions") << 0 << 1 << SnippetCounts{{14, 4}};
    QTest::newRow("hero") << 1 << 1 << SnippetCounts{};
    QTest::newRow("triggers") << 2 << 2 << SnippetCounts{{21, 13}};
    QTest::newRow("conditions") << 3 << 1 << SnippetCounts{{8, 2}};
    QTest::newRow("messages") << 4 << 1 << SnippetCounts{};
    QTest::newRow("examples") << 5 << 1 << SnippetCounts{};
}

void TestCatalogueData::snippetCounts()
{
    QFETCH(int, index);
    QFETCH(int, usual);
    QFETCH(SnippetCounts, others);
    const CommandCategory &category = kCatalogue[index];
    for (const CatalogueEntry &entry : category.entries) {
        const int expected = entry.isInert() ? 0 : others.value(entry.number, usual);
        QVERIFY2(entry.snippetCount() == expected,
                 qPrintable(where(category, entry) + QStringLiteral(": %1 snippets").arg(entry.snippetCount())));
    }
}

void TestCatalogueData::exampleTextLengths_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("explanation"); // false: the snippet
    QTest::addColumn<int>("gbkBytes");
    QTest::addColumn<int>("lines");        // line breaks; -1: not stated
    QTest::newRow("login script") << 1 << false << 211 << 12;
    QTest::newRow("recall points") << 2 << false << 1199 << 67;
    QTest::newRow("text colours") << 3 << false << 297 << 15;
    QTest::newRow("icons") << 4 << false << 403 << 27;
    QTest::newRow("item positions") << 5 << false << 131 << 15;
    QTest::newRow("added attributes") << 6 << false << 590 << 77;
    QTest::newRow("auction house") << 7 << false << 1062 << 33;
    QTest::newRow("special monsters") << 8 << false << 483 << 18;
    QTest::newRow("added attributes, explanation") << 6 << true << 949 << -1;
}

void TestCatalogueData::exampleTextLengths()
{
    QFETCH(int, button);
    QFETCH(bool, explanation);
    QFETCH(int, gbkBytes);
    QFETCH(int, lines);
    const CatalogueEntry *entry = findEntry(examples, button);
    QVERIFY(entry);
    QCOMPARE(entry->snippetCount(), 1);
    QVERIFY(entry->explanation);
    const std::string_view utf8 = explanation ? *entry->explanation : entry->snippets[0];
    QCOMPARE(gbk::encode(text(utf8)).size(), gbkBytes);
    if (lines >= 0)
        QCOMPARE(text(utf8).count(QLatin1String("\r\n")), lines);
}

QTEST_GUILESS_MAIN(TestCatalogueData)
#include "test_catalogue_data.moc"
