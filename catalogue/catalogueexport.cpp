#include "catalogue/catalogueexport.h"

#include "catalogue/catalogue.h"
#include "editor/keywordtable.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// Raised whenever the layout of the document changes, so that readers can tell.
constexpr int kFormatVersion = 1;

QString text(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

QJsonValue textOrNull(const std::optional<std::string_view> &utf8)
{
    return utf8 ? QJsonValue(text(*utf8)) : QJsonValue(QJsonValue::Null);
}

QString buttonName(int number)
{
    return QStringLiteral("按钮%1").arg(number);
}

QJsonObject placeJson(const QRect &place)
{
    return {{"left", place.x()}, {"top", place.y()}, {"width", place.width()}, {"height", place.height()}};
}

QJsonObject entryJson(const CatalogueEntry &entry)
{
    QJsonArray snippets;
    for (int i = 0; i < entry.snippetCount(); ++i)
        snippets.append(text(entry.snippets[i]));
    return {{"name", buttonName(entry.number)},
            {"place", placeJson(entry.place)},
            {"caption", text(entry.caption)},
            {"snippets", snippets},
            {"explanation", textOrNull(entry.explanation)}};
}

QJsonObject decorationJson(const Decoration &decoration)
{
    return {{"kind", decoration.kind == Decoration::Kind::GroupBox ? "groupBox" : "label"},
            {"name", text(decoration.name)},
            {"caption", text(decoration.caption)},
            {"place", placeJson(decoration.place)}};
}

QJsonObject categoryJson(const CommandCategory &category)
{
    QJsonArray buttons;
    for (const CatalogueEntry &entry : category.entries)
        buttons.append(entryJson(entry));
    QJsonArray decorations;
    for (const Decoration &decoration : category.decorations)
        decorations.append(decorationJson(decoration));
    return {{"title", text(category.title)},
            {"outerSize", QJsonObject{{"width", category.outerWidth}, {"height", category.outerHeight}}},
            {"openingLabel", text(category.openingLabel)},
            {"buttons", buttons},
            {"decorations", decorations}};
}

QJsonObject keywordButtonJson(const KeywordButton &button)
{
    return {{"name", buttonName(button.number)},
            {"place", placeJson(button.place)},
            {"caption", text(button.caption)},
            {"font", QJsonObject{{"family", text(button.fontFamily)}, {"pixelSize", button.fontPixelSize}}},
            {"keyword", textOrNull(button.keyword)},
            {"explanation", textOrNull(button.explanation)}};
}

} // namespace

QByteArray catalogueJson()
{
    QJsonArray categories;
    for (const CommandCategory &category : kCatalogue)
        categories.append(categoryJson(category));
    QJsonArray keywordButtons;
    for (const KeywordButton &button : kKeywordButtons)
        keywordButtons.append(keywordButtonJson(button));
    const QJsonObject root{{"formatVersion", kFormatVersion},
                           {"categories", categories},
                           {"keywordButtons", keywordButtons}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}
