#pragma once
// Fonts named by the window layouts (宋体, 宋体-PUA, 楷体_GB2312), mapped to family lists that end in
// CJK fonts installed on Linux, so that every Chinese character has a glyph.

#include <QFont>
#include <QString>

// The font the layouts call `layoutName`, `pixelSize` pixels high. An unknown name keeps its own family
// first, followed by the installed CJK fallbacks.
QFont scriptFont(const QString &layoutName, int pixelSize);

// The program's default font, for every control whose layout names no font: the size of the Windows
// GUI font (12 pixels) in a CJK sans family, so that Chinese and Latin text share one face.
QFont defaultFont();
