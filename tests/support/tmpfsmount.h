#pragma once
// A small tmpfs mounted for one test, to make real faults: a full disk, a read-only folder.
// Needs root; where mounting is refused, isMounted() is false and reason() says why.

#include <QString>
#include <QTemporaryDir>

class TmpfsMount
{
public:
    enum class Mode { ReadWrite, ReadOnly };
    TmpfsMount(qint64 sizeBytes, Mode mode = Mode::ReadWrite);
    ~TmpfsMount();
    TmpfsMount(const TmpfsMount &) = delete;
    TmpfsMount &operator=(const TmpfsMount &) = delete;

    bool isMounted() const { return m_mounted; }
    QString reason() const { return m_reason; }
    QString path() const { return m_dir.path(); }
    // Turns a mounted read-write tmpfs read-only, so that files put there first stay.
    bool remountReadOnly();

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
    QString m_reason;
};
