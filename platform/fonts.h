#pragma once
// The layouts name Windows fonts (宋体, 宋体-PUA, 楷体_GB2312). Each maps to a family list that ends
// in CJK fonts present on Linux, so that every Chinese text renders.

#include <QFont>

#include <string_view>

QFont layoutFont(std::string_view family, int pixelSize);
