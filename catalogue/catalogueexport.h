#pragma once
// The catalogue and the keyword buttons as one JSON document (UTF-8), for users who keep their
// scripts in another editor. The format is described in README.md
// ("Catalogue export").

#include <QByteArray>

QByteArray catalogueJson();
