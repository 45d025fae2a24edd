#pragma once
// The catalogue and the keyword buttons as one JSON document (UTF-8), for users who keep their
// scripts in another editor. The format is described in docs/catalogue-export.md.

#include <QByteArray>

QByteArray catalogueJson();
