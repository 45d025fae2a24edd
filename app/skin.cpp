#include "app/skin.h"

#include "platform/fonts.h"
#include "platform/hiddenfile.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QWidget>

#include <optional>

namespace {

const char *const COMPILED_IN_SKIN = ":/skins/skin13.qss";
const char *const SKIN_FILE_NAME = "suichuan-skin13.qss";

// The skin file's text; nothing when it cannot be read as a file. An empty file is a valid sheet.
std::optional<QString> readSkinFile(const QString &path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return QString::fromUtf8(bytes);
}

} // namespace

QString programFolder() { return QCoreApplication::applicationDirPath(); }

QString skinFilePath(const QString &folder)
{
    return QDir(folder).filePath(hiddenFileName(QString::fromLatin1(SKIN_FILE_NAME)));
}

QString compiledInSkin()
{
    QFile file(QString::fromLatin1(COMPILED_IN_SKIN));
    file.open(QIODevice::ReadOnly); // compiled in: cannot fail
    return QString::fromUtf8(file.readAll());
}

bool ensureSkinLibraryFile(const QString &folder)
{
    const QString path = skinFilePath(folder);
    const QFileInfo existing(path);
    if (existing.exists() || existing.isSymLink())
        return true;

    // Written beside the target and renamed into place without replacing, so that a full disk never
    // leaves half a sheet behind and a file that appeared meanwhile is not overwritten.
    QTemporaryFile temporary(path + QStringLiteral(".XXXXXX"));
    if (!temporary.open())
        return false;
    const QByteArray sheet = compiledInSkin().toUtf8();
    if (temporary.write(sheet) != sheet.size() || !temporary.flush())
        return false;
    temporary.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                             | QFileDevice::ReadOther);
    if (!temporary.rename(path))
        return QFileInfo::exists(path);
    temporary.setAutoRemove(false);
    markHidden(path);
    return true;
}

SkinSource applySkin(int skinNumber, const QString &folder)
{
    ensureSkinLibraryFile(folder);
    // Without it, Chinese text in unnamed fonts falls back to whatever face fontconfig picks first.
    QApplication::setFont(defaultFont());
    // Qt hands a new application font to existing widgets only once the event loop runs, and the main
    // window exists before that: hand it over now.
    for (QWidget *widget : QApplication::allWidgets()) {
        QEvent fontChange(QEvent::ApplicationFontChange);
        QCoreApplication::sendEvent(widget, &fontChange);
    }
    if (skinNumber != SKIN_IN_USE) {
        qApp->setStyleSheet(QString());
        return SkinSource::None;
    }
    const std::optional<QString> fromFile = readSkinFile(skinFilePath(folder));
    if (!fromFile) {
        qApp->setStyleSheet(compiledInSkin());
        return SkinSource::CompiledIn;
    }
    qApp->setStyleSheet(*fromFile);
    return SkinSource::SkinFile;
}
