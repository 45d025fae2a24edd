#pragma once
// The frame shared by the program's secondary windows: a fixed size, a caption with the close button
// alone, centred on the primary screen, modal for the whole program while it is open.

#include <QSize>
#include <QString>

class QDialog;
class QWidget;

// The client area of a window whose layout gives `outerSize`, border and caption included: the layouts
// were drawn with a 3-pixel fixed border and a 26-pixel caption.

// Gives `window` its title, fixed size, close-button-only caption and centred place.
void prepareModalWindow(QDialog &window, const QString &title, QSize outerSize);

// Runs `window` modally until it is closed, then destroys it (unless its parent took it along).
void runModalWindow(QDialog *window);

// Red text, RGB(255, 0, 0), on black: the information windows' colours, which the skin leaves alone.
void paintRedOnBlack(QWidget &widget);
