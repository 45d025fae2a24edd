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
    for (const KeywordButton &spec : kKeywordButtons) {
        // 按钮7 sits inside the group box; its place is given in the window, like the others'.
        const bool insideGroup = spec.number == 7;
        auto *button = new QPushButton(captionText(spec.caption), insideGroup ? keywordGroup : window);
        button->setObjectName(QStringLiteral("按钮%1").arg(spec.number));
        button->setGeometry(insideGroup ? spec.place.translated(-keywordGroup->pos()) : spec.place);
        button->setFont(layoutFont(spec.fontFamily, spec.fontPixelSize));
        if (spec.isPlaceholder()) {
            button->setEnabled(false);
            continue;
        }
        QObject::connect(button, &QPushButton::clicked, button,
                         [&spec, scriptBox, explanationBox] { appendKeyword(spec, *scriptBox, *explanationBox); });
    }
}
