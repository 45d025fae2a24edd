#pragma once
// The clock's text: the date, then as much of the time as is not zero from the right
// ("2011年3月5日20时5分", "2011年3月5日" at midnight).

#include <QDateTime>
#include <QString>

QString clockText(const QDateTime &moment);
