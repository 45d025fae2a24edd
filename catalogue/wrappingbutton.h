#pragma once
// A push button whose caption may run over several lines: "\n" starts a new line and a caption too
// wide for the button wraps onto further lines (QPushButton draws one line per "\n" and never wraps).

#include <QPushButton>

class WrappingButton : public QPushButton
{
    Q_OBJECT
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent *event) override;
};
