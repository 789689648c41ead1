#pragma once

// Faults of the file system that tests inject to prove that a failure loses nothing: a file
// system that is full (a small tmpfs), entries that can't be removed (the immutable flag, a
// read-only mount) and a mount point, which can't be moved. Mounting needs root, the immutable
// flag root and a file system that has it; a fault that can't be set up says why, for QSKIP.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <unistd.h>

namespace FileSystemFaults {

// Runs `program`; empty when it exited with 0, else what it said on stderr.
inline QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000)) {
        return program + QStringLiteral(" did not finish: ") + process.errorString();
    }
    if (process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0) {
        return QString();
    }
    const QString error = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
    return program + QStringLiteral(" failed: ")
           + (error.isEmpty() ? process.errorString() : error);
}

// Takes every free byte of the file system that holds `folder` by writing the file "filler"
// into it; false when the disk never became full.
inline bool fill(const QString &folder)
{
    QFile filler(folder + QStringLiteral("/filler"));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return false;
    }
    const QByteArray chunk(4096, 'f');
    for (int i = 0; i < 1 << 20; ++i) {
        if (filler.write(chunk) != chunk.size()) {
            return true;
        }
    }
    return false;
}

// The faults of one test, undone together, newest first, when it goes. Each setter returns
// false when the fault can't be set up here; reason() then says why.
class Faults
{
public:
    Faults() = default;
    Faults(const Faults &) = delete;
    Faults &operator=(const Faults &) = delete;
    ~Faults()
    {
        for (auto undo = m_undo.crbegin(); undo != m_undo.crend(); ++undo) {
            run(undo->first, undo->second);
        }
    }

    QString reason() const { return m_reason; }

    // A tmpfs of `bytes` bytes at `path` (created).
    bool smallFileSystem(const QString &path, qint64 bytes)
    {
        QDir().mkpath(path);
        return mount(path, {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                            QStringLiteral("size=%1").arg(bytes), QStringLiteral("tmpfs"), path});
    }
    // `path` mounted on itself: it can't be moved or removed, and with `readOnly` nothing in it
    // can be changed.
    bool mountOnItself(const QString &path, bool readOnly)
    {
        return mount(path, {QStringLiteral("--bind"), path, path})
               && (!readOnly
                   || succeeded(
                       run(QStringLiteral("mount"),
                           {QStringLiteral("-o"), QStringLiteral("remount,bind,ro"), path})));
    }
    // The immutable flag on `path`: not even root can change, rename or remove it.
    bool immutable(const QString &path)
    {
        if (!succeeded(run(QStringLiteral("chattr"), {QStringLiteral("+i"), path}))) {
            return false;
        }
        m_undo.append({QStringLiteral("chattr"), {QStringLiteral("-i"), path}});
        return true;
    }

private:
    bool mount(const QString &path, const QStringList &arguments)
    {
        if (::geteuid() != 0) {
            m_reason = QStringLiteral("mounting needs root");
            return false;
        }
        if (!succeeded(run(QStringLiteral("mount"), arguments))) {
            return false;
        }
        m_undo.append({QStringLiteral("umount"), {QStringLiteral("-l"), path}});
        return true;
    }
    bool succeeded(const QString &error)
    {
        m_reason = error;
        return error.isEmpty();
    }

    QString m_reason;
    QList<QPair<QString, QStringList>> m_undo;
};

} // namespace FileSystemFaults
