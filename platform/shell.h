#pragma once
// The user's desktop: opening an address in the default web browser (or mail program).

#include <QUrl>

// True when the desktop accepted the address.
bool openAddress(const QUrl &address);
