#include "platform/downloader.h"

// SUICHUAN_UPDATE_PUBLIC_KEY is set for this file alone, so that a new key rebuilds one file.
#ifndef SUICHUAN_UPDATE_PUBLIC_KEY
#define SUICHUAN_UPDATE_PUBLIC_KEY ""
#endif

std::string Downloader::defaultPublicKey() { return SUICHUAN_UPDATE_PUBLIC_KEY; }
