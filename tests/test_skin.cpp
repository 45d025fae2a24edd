// The skin: its hidden file in the program's folder is written once and then left alone, the
// compiled-in sheet stands in when that folder or file fails, and the whole application wears it.
#include "app/skin.h"
#include "platform/fonts.h"

#include "testfiles.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

namespace {

bool holdsColour(const QImage &image, QColor colour)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y).rgb() == colour.rgb())
                return true;
    return false;
}

// Unmounts, when it goes, what it was given, before the folder under it is removed.
struct MountGuard {
    QString mountPoint;
    ~MountGuard()
    {
        if (!mountPoint.isEmpty())
            QProcess::execute(QStringLiteral("umount"), {mountPoint});
    }
};

} // namespace

class TestSkin : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();
    void firstStartWritesHiddenFile();
    void secondStartLeavesFileUntouched_data();
    void secondStartLeavesFileUntouched();
    void failingFolderOrFileFallsBackToCompiledIn_data();
    void failingFolderOrFileFallsBackToCompiledIn();
    void programFolderNotWorkingDirectory();
    void laterWindowsWearSkinAndRedLabelsStayRed();
    void otherSkinNumbersGiveThePlainLook();
    void existingWindowsTakeDefaultFont();
};

void TestSkin::cleanup()
{
    qApp->setStyleSheet(QString());
}

void TestSkin::firstStartWritesHiddenFile()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());

    QCOMPARE(applySkin(SKIN_IN_USE, folder.path()), SkinSource::SkinFile);

    const QFileInfo written(skinFilePath(folder.path()));
    QVERIFY(written.isFile());
    QVERIFY(written.isHidden());
    QVERIFY(written.fileName().startsWith(u'.'));
    QCOMPARE(written.absolutePath(), QFileInfo(folder.path()).absoluteFilePath());
    QCOMPARE(QString::fromUtf8(readFile(written.filePath())), compiledInSkin());
    QVERIFY(written.permissions().testFlag(QFileDevice::ReadOther)); // not left private like a temporary
    QCOMPARE(qApp->styleSheet(), compiledInSkin());
    // Nothing else is left behind in the program's folder.
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{written.fileName()});
}

void TestSkin::secondStartLeavesFileUntouched_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("permissions");
    QTest::newRow("restyled, read-only") << QByteArray("QDialog { background-color: #123456; }\n")
                                         << int(QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    QTest::newRow("restyled, private") << QByteArray("QPushButton { color: #00ff00; }")
                                       << int(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QTest::newRow("emptied by the administrator") << QByteArray()
                                                  << int(QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                         | QFileDevice::ReadGroup | QFileDevice::WriteGroup
                                                         | QFileDevice::ReadOther);
}

void TestSkin::secondStartLeavesFileUntouched()
{
    QFETCH(QByteArray, content);
    QFETCH(int, permissions);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = skinFilePath(folder.path());
    QVERIFY(writeFile(path, content));
    QFile file(path);
    const QDateTime lastYear = QDateTime::currentDateTime().addYears(-1);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(lastYear, QFileDevice::FileModificationTime));
    QVERIFY(file.setFileTime(lastYear, QFileDevice::FileAccessTime));
    file.close();
    QVERIFY(file.setPermissions(QFileDevice::Permissions(permissions)));
    const QFileInfo before(path);

    QCOMPARE(applySkin(SKIN_IN_USE, folder.path()), SkinSource::SkinFile);

    const QFileInfo after(path);
    QCOMPARE(readFile(path), content);
    QCOMPARE(after.lastModified(), before.lastModified());
    QCOMPARE(after.metadataChangeTime(), before.metadataChangeTime());
    QCOMPARE(int(after.permissions()), int(before.permissions()));
    QCOMPARE(qApp->styleSheet(), QString::fromUtf8(content));
}

void TestSkin::failingFolderOrFileFallsBackToCompiledIn_data()
{
    QTest::addColumn<bool>("readOnlyFolder");
    QTest::newRow("program folder cannot be written") << true;
    QTest::newRow("skin file cannot be read") << false;
}

void TestSkin::failingFolderOrFileFallsBackToCompiledIn()
{
    QFETCH(bool, readOnlyFolder);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    MountGuard mounted;
    if (readOnlyFolder) {
        // A real read-only file system: as root, permission bits alone would not stop a write.
        QProcess mount;
        mount.start(QStringLiteral("mount"),
                    {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                     QStringLiteral("ro,size=1m"), QStringLiteral("tmpfs"), folder.path()});
        if (!mount.waitForFinished() || mount.exitStatus() != QProcess::NormalExit || mount.exitCode() != 0)
            QSKIP(qPrintable(QStringLiteral("cannot mount a read-only tmpfs here (needs root and mount rights): ")
                             + QString::fromLocal8Bit(mount.readAllStandardError()).trimmed()));
        mounted.mountPoint = folder.path();
    } else {
        // Something of the skin file's name stands there but cannot be read as a file.
        QVERIFY(QDir(folder.path()).mkdir(QFileInfo(skinFilePath(folder.path())).fileName()));
    }

    QCOMPARE(applySkin(SKIN_IN_USE, folder.path()), SkinSource::CompiledIn);

    QCOMPARE(qApp->styleSheet(), compiledInSkin());
    QCOMPARE(QFileInfo(skinFilePath(folder.path())).isFile(), false);
}

void TestSkin::programFolderNotWorkingDirectory()
{
    const QString inProgramFolder = skinFilePath();
    QCOMPARE(QFileInfo(inProgramFolder).absolutePath(), QCoreApplication::applicationDirPath());
    QFile::remove(inProgramFolder);
    QTemporaryDir elsewhere;
    QVERIFY(elsewhere.isValid());
    const QString startDirectory = QDir::currentPath();
    QVERIFY(QDir::setCurrent(elsewhere.path()));

    const SkinSource source = applySkin(SKIN_IN_USE);

    QDir::setCurrent(startDirectory);
    const bool written = QFileInfo(inProgramFolder).isFile();
    QFile::remove(inProgramFolder);
    QCOMPARE(source, SkinSource::SkinFile);
    QVERIFY(written);
    QCOMPARE(QDir(elsewhere.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList());
}

void TestSkin::laterWindowsWearSkinAndRedLabelsStayRed()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    applySkin(SKIN_IN_USE, folder.path());

    QDialog window;
    auto *label = new QLabel(QStringLiteral("██████"), &window);
    QFont big = label->font();
    big.setPixelSize(32);
    label->setFont(big);
    QPalette red = label->palette();
    red.setColor(QPalette::WindowText, QColor(255, 0, 0));
    label->setPalette(red);
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(label);
    window.resize(300, 100);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    const QImage image = window.grab().toImage();
    QCOMPARE(image.pixelColor(2, 2), QColor(0xe6, 0xe1, 0xd6)); // the skin's window background
    QVERIFY(holdsColour(image, QColor(255, 0, 0)));              // the label's own red
}

void TestSkin::otherSkinNumbersGiveThePlainLook()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    qApp->setStyleSheet(compiledInSkin());

    QCOMPARE(applySkin(1, folder.path()), SkinSource::None);

    QCOMPARE(qApp->styleSheet(), QString());
    QVERIFY(QFileInfo(skinFilePath(folder.path())).isFile()); // the file is still made sure of
}

void TestSkin::existingWindowsTakeDefaultFont()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9)); // what the desktop gave us
    QDialog window; // built before the skin, as the main window is
    auto *label = new QLabel(QStringLiteral("通知："), &window);
    window.show();

    applySkin(SKIN_IN_USE, folder.path());

    QCOMPARE(label->font().families(), defaultFont().families());
    QCOMPARE(label->font().pixelSize(), defaultFont().pixelSize());
}

QTEST_MAIN(TestSkin)
#include "test_skin.moc"
