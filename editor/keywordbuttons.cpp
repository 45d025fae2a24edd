#include "editor/keywordbuttons.h"

#include "editor/keywordtable.h"
#include "editor/scriptbox.h"
#include "editor/tabletext.h"
#include "platform/fonts.h"

#include <QPushButton>

void appendKeyword(const KeywordButton &button, ScriptBox &scriptBox, LowerCaseBox &explanationBox)
{
    scriptBox.appendKeywordLine(fromTable(*button.keyword));
    explanationBox.setBoxText(fromTable(*button.explanation));
}

void createKeywordButtons(QWidget *window, QWidget *keywordGroup, ScriptBox *scriptBox,
                          LowerCaseBox *explanationBox)
{
    for (const KeywordButton &row : kKeywordButtons) {
        // 按钮7 sits inside the group box; its place is given in the window, like the others'.
        const bool insideGroup = row.number == 7;
        auto *button = new QPushButton(captionText(row.caption), insideGroup ? keywordGroup : window);
        button->setObjectName(QStringLiteral("按钮%1").arg(row.number));
        button->setGeometry(insideGroup ? row.place.translated(-keywordGroup->pos()) : row.place);
        button->setFont(layoutFont(row.fontFamily, row.fontPixelSize));
        if (row.isPlaceholder()) {
            button->setEnabled(false);
            continue;
        }
        QObject::connect(button, &QPushButton::clicked, button,
                         [&row, scriptBox, explanationBox] { appendKeyword(row, *scriptBox, *explanationBox); });
    }
}
