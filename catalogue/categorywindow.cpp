#include "catalogue/categorywindow.h"

#include "catalogue/catalogue.h"
#include "catalogue/wrappingbutton.h"
#include "editor/mainwindow.h"
#include "editor/modalwindow.h"
#include "editor/scriptbox.h"
#include "editor/tabletext.h"
#include "platform/fonts.h"

#include <QApplication>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QList>
#include <QPointer>

namespace {

// While a category window is open every other window of the program takes no input; each gets back
// the enabled state it had before, so a window that was already disabled stays so.
class OtherWindowsDisabled
{
public:
    explicit OtherWindowsDisabled(const QWidget *modal)
    {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            const Qt::WindowType type = window->windowType();
            if (window == modal || !window->isVisible() || (type != Qt::Window && type != Qt::Dialog))
                continue; // menus and tool tips are not windows the user works in
            m_windows.append({window, window->isEnabled()});
            window->setEnabled(false);
        }
    }
    ~OtherWindowsDisabled() { restore(); }
    OtherWindowsDisabled(const OtherWindowsDisabled &) = delete;
    OtherWindowsDisabled &operator=(const OtherWindowsDisabled &) = delete;

    void restore()
    {
        for (const auto &[window, wasEnabled] : m_windows) {
            if (window)
                window->setEnabled(wasEnabled);
        }
        m_windows.clear();
    }

private:
    struct Disabled {
        QPointer<QWidget> window;
        bool wasEnabled;
    };
    QList<Disabled> m_windows;
};

void addDecorations(QDialog &window, const CommandCategory &category)
{
    for (const Decoration &decoration : category.decorations) {
        QWidget *control = decoration.kind == Decoration::Kind::GroupBox
            ? static_cast<QWidget *>(new QGroupBox(fromTable(decoration.caption), &window))
            : new QLabel(captionText(decoration.caption), &window);
        control->setObjectName(fromTable(decoration.name));
        control->setGeometry(decoration.place);
    }
}

void addButtons(QDialog &window, const CommandCategory &category, ScriptBox &scriptBox, LowerCaseBox &explanationBox)
{
    // The boxes belong to the main window; a click after it has gone does nothing.
    const QPointer<ScriptBox> script(&scriptBox);
    const QPointer<LowerCaseBox> explanation(&explanationBox);
    for (const CatalogueEntry &entry : category.entries) {
        // Made after the decorations, so a button lies above the group box that frames it.
        auto *button = new WrappingButton(captionText(entry.caption), &window);
        button->setObjectName(QStringLiteral("按钮%1").arg(entry.number));
        button->setGeometry(entry.place);
        // A Song face at 12 px: its lines are tight enough for two-line captions in 32-pixel buttons.
        button->setFont(layoutFont("宋体", 12));
        if (entry.isInert()) {
            button->setEnabled(false);
            continue;
        }
        QObject::connect(button, &QPushButton::clicked, button, [&entry, script, explanation] {
            if (script && explanation)
                applyEntry(entry, *script, *explanation);
        });
    }
}

} // namespace

void openCategory(const CommandCategory &category, ScriptBox &scriptBox, LowerCaseBox &explanationBox)
{
    // No parent: the window belongs to no other window; modality alone keeps the main window still.
    auto *window = new QDialog;
    prepareModalWindow(*window, fromTable(category.title), {category.outerWidth, category.outerHeight});
    addDecorations(*window, category);
    addButtons(*window, category, scriptBox, explanationBox);
    // The window's "created" step has nothing to do.

    OtherWindowsDisabled others(window);
    // Given back before the window goes, so the main window is the one activated after it.
    QObject::connect(window, &QDialog::finished, window, [&others] { others.restore(); });
    runModalWindow(window);
}

void applyEntry(const CatalogueEntry &entry, ScriptBox &scriptBox, LowerCaseBox &explanationBox)
{
    for (int i = 0; i < entry.snippetCount(); ++i)
        scriptBox.appendSnippet(fromTable(entry.snippets[i]));
    if (entry.explanation)
        explanationBox.setBoxText(fromTable(*entry.explanation));
}

void openCategoriesFromLabels(MainWindow &window)
{
    QObject::connect(&window, &MainWindow::categoryRequested, &window, [&window](int index) {
        openCategory(kCatalogue.at(size_t(index)), *window.scriptBox(), *window.explanationBox());
    });
}
