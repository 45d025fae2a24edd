#pragma once
// Texts the program reads from its update server: the newest version's name and the notice.

#include "platform/httpreader.h"

#include <QByteArray>
#include <QString>

inline constexpr char kVersionTextPath[] = "/vxmr/gx.txt";
inline constexpr char kNoticeTextPath[] = "/vxmr/up.txt";

struct ServerText {
    QByteArray bytes; // the body up to its first zero byte; empty on failure
    QString text;     // the same bytes as GBK text
    http::Failure failure = http::Failure::None;
    QString reason;   // why nothing came, for the user

    bool ok() const { return failure == http::Failure::None; }
};

// GET of the base address followed by `path`. A failed read (no connection, time-out, an error
// status, an oversized body) or a body with no text before its first zero byte gives the empty text.
ServerText fetchServerText(const QString &path);
ServerText fetchNoticeText();

// Both texts the start-up needs, read at the same time: a server that never answers costs one
// time-out, not two.
struct StartupTexts {
    ServerText version;
    ServerText notice;
};
StartupTexts fetchStartupTexts();

// Turns a server response into its text (exposed for the start-up and the tests).
ServerText serverTextFrom(const http::Response &response);
