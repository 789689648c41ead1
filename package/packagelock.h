#pragma once

#include <QCoreApplication>
#include <QLockFile>
#include <QString>

namespace Scripter {

// Keeps two saves of one package apart, whether they come from two windows, two starts of the
// program or the command-line tool: a lock file beside the package file (in the package folder
// for the unarchived form, beside the archive otherwise). Reading an unarchived package takes
// it as well, so that it never sees a save half-way.
//
// A lock left by a process that is gone does not block: QLockFile finds its owner dead and takes
// it over. Released when the object goes.
class PackageLock
{
    Q_DECLARE_TR_FUNCTIONS(Scripter::PackageLock)

public:
    // `packagePath`: the archive, or the marker file of an unarchived package.
    explicit PackageLock(const QString &packagePath);
    PackageLock(const PackageLock &) = delete;
    PackageLock &operator=(const PackageLock &) = delete;

    // Saving a package takes a moment; a save that takes longer is not waited for.
    static constexpr int kWaitMs = 3000;

    // Waits up to `waitMs` for another save to end; false, with the reason, when it does not.
    // Where no lock file can be made at all (a read-only folder, a full disk) nothing can be
    // saved either: that goes on unlocked, to fail with its own, more precise, cause.
    bool lock(int waitMs, QString *errorMessage = nullptr);

    // The name of the lock file beside `packagePath`; a package folder keeps it when it is
    // cleaned.
    static QString fileName(const QString &packagePath);

private:
    QString m_packagePath;
    QLockFile m_lock;
};

} // namespace Scripter
