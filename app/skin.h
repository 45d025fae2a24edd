#pragma once
// The window skin: a Qt style sheet applied to the whole application, so that every window, those
// created later included, is drawn in it. The sheet of the skin in use is kept as a hidden file in the
// program's own folder, written there when missing, so that an administrator can restyle the program
// by editing it; the compiled-in sheet stands in when that file cannot be written or read.

#include <QString>

// The one skin the program carries and uses.
inline constexpr int SKIN_IN_USE = 13;

enum class SkinSource {
    SkinFile,   // the sheet in the program's folder
    CompiledIn, // the folder could not be written or the file could not be read
    None,       // a skin number the program does not carry: the plain look
};

// The folder of the program file itself, not the current directory.
QString programFolder();

// The hidden skin file in `folder`.
QString skinFilePath(const QString &folder = programFolder());

// The sheet compiled into the program.
QString compiledInSkin();

// Writes the skin file into `folder` when no file of its name is there; a file that stands there is
// left exactly as it is (content, times, permissions). Returns whether the file is there afterwards.
bool ensureSkinLibraryFile(const QString &folder = programFolder());

// Makes sure the skin file exists, then gives the whole application its default font and the skin
// `skinNumber`.
SkinSource applySkin(int skinNumber, const QString &folder = programFolder());
