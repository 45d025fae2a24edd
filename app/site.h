#pragma once
// Where the update server and the web site are: the base address (scheme and host, no trailing "/"),
// the site host (its host part) and the site domain (the host without its first label).

#include <QString>

struct Site {
    QString baseAddress; // "http://www.example.com"
    QString host;        // "www.example.com"
    QString domain;      // "example.com"

    // Empty fields when `address` is not an http or https address with a host.
    static Site fromBaseAddress(const QString &address);
};

// The site in use: the compiled-in default until setCurrentSite (the --server option) replaces it.
const Site &currentSite();
void setCurrentSite(const Site &site);
