#pragma once
// How the notice ticker moves and recolours itself at every tick, apart from any widget.

#include <QColor>

#include <array>
#include <random>

inline constexpr int kTickerStepPixels = 5;
inline constexpr int kTickerPeriodMs = 150;

// The ticker's next left edge: 5 pixels further left, and back to W once it has passed −W, where W
// is the main window's outer left edge on the screen. With W ≤ 0 the ticker comes to rest at W.
int nextTickerLeft(int left, int windowLeft);

// The upper bounds (included) of red, green and blue, drawn in this order.
inline constexpr std::array<int, 3> kTickerColourBounds{255, 224, 253};

// The ticker's colours: never seeded, so every run shows the same sequence.
class TickerColours
{
public:
    QColor next();

private:
    int between(int low, int high); // both bounds included
    std::mt19937 m_generator;       // default seed
};
