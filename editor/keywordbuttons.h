#pragma once
// The eighteen buttons below the explanation box: each acting one puts its keyword on a new last
// line of the script box and shows its explanation.

class QWidget;
class ScriptBox;
class LowerCaseBox;
struct KeywordButton;

void appendKeyword(const KeywordButton &button, ScriptBox &scriptBox, LowerCaseBox &explanationBox);

// Creates the buttons on `window` (按钮7 inside `keywordGroup`, the others over its area).
void createKeywordButtons(QWidget *window, QWidget *keywordGroup, ScriptBox *scriptBox,
                          LowerCaseBox *explanationBox);
