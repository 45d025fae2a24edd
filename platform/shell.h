#pragma once
// The desktop around the program: the user's web browser.

class QUrl;

// Opens `address` in the user's default browser; false when no browser took it.
bool openAddress(const QUrl &address);
