#pragma once
// The icon of the update windows (online update window, update prompt, progress window): five
// images, 16 to 128 pixels, painted by the program itself.

#include <QIcon>

QIcon updateWindowIcon();
