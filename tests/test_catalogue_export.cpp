// The catalogue export: the JSON document parses back into the same windows, buttons and texts.
#include "catalogue/catalogue.h"
#include "catalogue/catalogueexport.h"
#include "editor/keywordtable.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

namespace {

QString text(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

QJsonValue textOrNull(const std::optional<std::string_view> &utf8)
{
    return utf8 ? QJsonValue(text(*utf8)) : QJsonValue(QJsonValue::Null);
}

QJsonObject placeOf(const QRect &r)
{
    return {{"left", r.x()}, {"top", r.y()}, {"width", r.width()}, {"height", r.height()}};
}

QStringList sortedKeys(const QJsonObject &object)
{
    QStringList keys = object.keys();
    keys.sort();
    return keys;
}

QJsonObject parsedDocument()
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(catalogueJson(), &error);
    if (error.error != QJsonParseError::NoError)
        qFatal("export does not parse: %s", qPrintable(error.errorString()));
    return document.object();
}

} // namespace

class TestCatalogueExport : public QObject
{
    Q_OBJECT
private slots:
    void documentHoldsTheWholeCatalogue();
    void keywordButtonsFollow();
    void textWithEscapesRoundTrips();
    void programWritesItWithoutADisplay_data();
    void programWritesItWithoutADisplay();
};

void TestCatalogueExport::documentHoldsTheWholeCatalogue()
{
    const QJsonObject root = parsedDocument();
    QCOMPARE(sortedKeys(root), (QStringList{"categories", "formatVersion", "keywordButtons"}));
    QCOMPARE(root["formatVersion"].toInt(), 1);

    const QJsonArray categories = root["categories"].toArray();
    QCOMPARE(categories.size(), qsizetype(kCatalogue.size()));
    for (qsizetype c = 0; c < categories.size(); ++c) {
        const CommandCategory &category = kCatalogue[c];
        const QJsonObject window = categories[c].toObject();
        QCOMPARE(sortedKeys(window), (QStringList{"buttons", "decorations", "openingLabel", "outerSize", "title"}));
        QCOMPARE(window["title"].toString(), text(category.title));
        QCOMPARE(window["openingLabel"].toString(), text(category.openingLabel));
        QCOMPARE(window["outerSize"].toObject(),
                 (QJsonObject{{"width", category.outerWidth}, {"height", category.outerHeight}}));

        const QJsonArray buttons = window["buttons"].toArray();
        QCOMPARE(buttons.size(), qsizetype(category.entries.size()));
        for (qsizetype b = 0; b < buttons.size(); ++b) {
            const CatalogueEntry &entry = category.entries[b];
            const QJsonObject button = buttons[b].toObject();
            QCOMPARE(sortedKeys(button), (QStringList{"caption", "explanation", "name", "place", "snippets"}));
            QCOMPARE(button["name"].toString(), QStringLiteral("按钮%1").arg(entry.number));
            QCOMPARE(button["place"].toObject(), placeOf(entry.place));
            QCOMPARE(button["caption"].toString(), text(entry.caption));
            QJsonArray snippets;
            for (int i = 0; i < entry.snippetCount(); ++i)
                snippets.append(text(entry.snippets[i]));
            QCOMPARE(button["snippets"].toArray(), snippets);
            QCOMPARE(button["explanation"], textOrNull(entry.explanation));
        }

        const QJsonArray decorations = window["decorations"].toArray();
        QCOMPARE(decorations.size(), qsizetype(category.decorations.size()));
        for (qsizetype d = 0; d < decorations.size(); ++d) {
            const Decoration &decoration = category.decorations[d];
            const QJsonObject object = decorations[d].toObject();
            QCOMPARE(object["kind"].toString(),
                     decoration.kind == Decoration::Kind::GroupBox ? "groupBox" : "label");
            QCOMPARE(object["name"].toString(), text(decoration.name));
            QCOMPARE(object["caption"].toString(), text(decoration.caption));
            QCOMPARE(object["place"].toObject(), placeOf(decoration.place));
        }
    }

    // The shapes a reader must handle: an inert button, and the thirteen appends without explanation.
    const QJsonObject inert = categories[0]["buttons"][25].toObject();
    QCOMPARE(inert["name"].toString(), "按钮26");
    QVERIFY(inert["snippets"].toArray().isEmpty());
    QVERIFY(inert["explanation"].isNull());
    const QJsonObject equipment = categories[2]["buttons"][18].toObject();
    QCOMPARE(equipment["name"].toString(), "按钮21");
    QCOMPARE(equipment["snippets"].toArray().size(), 13);
    QVERIFY(equipment["explanation"].isNull());
}

void TestCatalogueExport::keywordButtonsFollow()
{
    const QJsonArray buttons = parsedDocument()["keywordButtons"].toArray();
    QCOMPARE(buttons.size(), qsizetype(kKeywordButtons.size()));
    for (qsizetype i = 0; i < buttons.size(); ++i) {
        const KeywordButton &expected = kKeywordButtons[i];
        const QJsonObject button = buttons[i].toObject();
        QCOMPARE(sortedKeys(button), (QStringList{"caption", "explanation", "font", "keyword", "name", "place"}));
        QCOMPARE(button["name"].toString(), QStringLiteral("按钮%1").arg(expected.number));
        QCOMPARE(button["place"].toObject(), placeOf(expected.place));
        QCOMPARE(button["caption"].toString(), text(expected.caption));
        QCOMPARE(button["font"].toObject(),
                 (QJsonObject{{"family", text(expected.fontFamily)}, {"pixelSize", expected.fontPixelSize}}));
        QCOMPARE(button["keyword"], textOrNull(expected.keyword));
        QCOMPARE(button["explanation"], textOrNull(expected.explanation));
        QCOMPARE(button["keyword"].isNull(), expected.isPlaceholder());
    }
}

void TestCatalogueExport::textWithEscapesRoundTrips()
{
    // Backslashes, full-width characters and CR LF come back exactly, and the file is plain UTF-8.
    const QByteArray json = catalogueJson();
    QVERIFY(json.contains("\"title\": \"执行脚本命令代码\""));
    const QJsonObject rankTitle = parsedDocument()["categories"][0]["buttons"][18].toObject();
    QCOMPARE(rankTitle["name"].toString(), "按钮19");
    QCOMPARE(rankTitle["explanation"].toString(),
             QStringLiteral("如：setranklevelname %s[称号]\r\n"
                            "想人物名字与称号分行显示，只需在%s后面加上\\，如：%s\\称号"));
}

void TestCatalogueExport::programWritesItWithoutADisplay_data()
{
    QTest::addColumn<QString>("outputFile"); // empty: a pipe to this test
    QTest::addColumn<int>("exitCode");
    QTest::newRow("to a pipe: the whole document, exit 0") << QString() << 0;
    QTest::newRow("to a full disk: a message and exit 1") << QStringLiteral("/dev/full") << 1;
}

void TestCatalogueExport::programWritesItWithoutADisplay()
{
    QFETCH(QString, outputFile);
    QFETCH(int, exitCode);
    QProcess editor;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    editor.setProcessEnvironment(environment);
    if (!outputFile.isEmpty())
        editor.setStandardOutputFile(outputFile);
    editor.start(QStringLiteral(SUICHUAN_EDITOR_BINARY), {QStringLiteral("--export-catalogue")});
    QVERIFY(editor.waitForFinished(30000));
    QCOMPARE(editor.exitStatus(), QProcess::NormalExit);
    QCOMPARE(editor.exitCode(), exitCode);
    const QByteArray errors = editor.readAllStandardError();
    if (exitCode == 0) {
        QCOMPARE(editor.readAllStandardOutput(), catalogueJson());
        QCOMPARE(errors, QByteArray());
    } else {
        QVERIFY2(errors.contains("could not be written"), errors.constData());
    }
}

QTEST_GUILESS_MAIN(TestCatalogueExport)
#include "test_catalogue_export.moc"
