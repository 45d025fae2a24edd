#pragma once
// The layouts name Windows fonts (宋体, 宋体-PUA, 楷体_GB2312). Each maps to a family list that ends
// in CJK fonts present on Linux, so that every Chinese text renders.

#include <QFont>

#include <string_view>

// The font the layouts call `family` (UTF-8), `pixelSize` pixels high. An unknown name keeps its own
// family first, followed by the installed CJK fallbacks.
QFont layoutFont(std::string_view family, int pixelSize);

// The program's default font, for every control whose layout names no font: the size of the Windows
// GUI font (12 pixels) in a CJK sans family, so that Chinese and Latin text share one face.
QFont defaultFont();
