#include "editor/tickermotion.h"

int nextTickerLeft(int left, int windowLeft)
{
    const int moved = left - kTickerStepPixels;
    return moved < -windowLeft ? windowLeft : moved;
}

int TickerColours::between(int low, int high)
{
    // Plain modulo rather than std::uniform_int_distribution, whose sequence differs between
    // standard libraries: the colours should be the same wherever the program was built.
    return low + int(m_generator() % std::mt19937::result_type(high - low + 1));
}

QColor TickerColours::next()
{
    const int red = between(0, kTickerColourBounds[0]);
    const int green = between(0, kTickerColourBounds[1]);
    const int blue = between(0, kTickerColourBounds[2]);
    return QColor(red, green, blue);
}
