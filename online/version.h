#pragma once
// The two version texts the checks compare the server's answer with, and the comparison itself.

#include <QByteArrayView>

// The program's own version, as the server names the newest one.
inline constexpr char CURRENT_VERSION[] = "V1.5";
// The online update window compares with a reference of its own, one version behind.
inline constexpr char UPDATE_WINDOW_VERSION[] = "V1.4";

// The part of a server body that counts as text: everything before its first zero byte.
QByteArrayView textUpToZero(QByteArrayView body);

// Equal only when both hold the same bytes (case, blanks and line ends count) up to the first zero byte.
bool sameVersion(QByteArrayView fetched, QByteArrayView reference);
