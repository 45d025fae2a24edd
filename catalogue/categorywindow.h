#pragma once
// The category windows: each is built from its CommandCategory at every opening, and each of its
// acting buttons appends its snippets to the script box and shows its explanation.

struct CatalogueEntry;
struct CommandCategory;
class LowerCaseBox;
class MainWindow;
class ScriptBox;

// Builds the window, centres it on the primary screen and runs it modally, the program's other
// windows disabled meanwhile; returns when the user has closed it. The window is destroyed then.
void openCategory(const CommandCategory &category, ScriptBox &scriptBox, LowerCaseBox &explanationBox);

// One click on an acting button: every snippet appended at the end of the script box, each as its own
// append, then the explanation (when the entry has one) replaces the explanation box's text.
void applyEntry(const CatalogueEntry &entry, ScriptBox &scriptBox, LowerCaseBox &explanationBox);

// The six opening labels of `window` open their category windows over its two boxes.
void openCategoriesFromLabels(MainWindow &window);
