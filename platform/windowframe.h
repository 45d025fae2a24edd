#pragma once
// Window sizes in the layouts are outer sizes: frame and caption bar included. Qt sizes the client
// area, and the window system only tells the frame once the window is on screen, so the client size
// is worked out from a nominal frame first and corrected when the real one is known.

#include <QMargins>
#include <QSize>

class QWidget;

// A thin border and a one-line caption bar.
inline constexpr QMargins kNominalFrame{3, 25, 3, 3};

// Fixes the window's size so that its outer size is `outer`. Call once when the window is built
// and again from its showEvent (then the real frame is used where the window system reports one).
void setFixedOuterSize(QWidget *window, QSize outer);

// Puts the window's outer rectangle in the middle of the primary screen, remainders dropped.
void centreOnPrimaryScreen(QWidget *window);
