#pragma once

#include "corelib/package/scriptpackagemanifest.h"

#include <QCoreApplication>
#include <QHash>
#include <QString>
#include <QStringList>

namespace Scripter {

// What a package on disk says about itself beyond what an opened package keeps: the manifest's
// fields and the entry points that its declaration lists. Read through the package processor's
// own unpacking and member reader, after the processor has opened the same package, so a
// package that the program refuses never gets this far.
class PackageListing
{
    Q_DECLARE_TR_FUNCTIONS(Scripter::PackageListing)

public:
    // Reads the package at `packagePath`: an archive, or with `unarchived` the marker file of a
    // package folder. False, with the reason, when its members can't be read.
    bool read(const QString &packagePath, bool unarchived, QString *errorMessage = nullptr);

    const SRCore::ScriptPackageManifest &manifest() const { return m_manifest; }
    // Protected packages store their password in the manifest; it is never shown.
    bool isProtected() const;
    // `password` is the package's own, compared exactly, letter case included.
    bool acceptsPassword(const QString &password) const;

    QString declarationFileName() const;
    // The member that holds the program of `language` (XMLValues::JAVASCRIPT, ...); empty when
    // the package has none.
    QString programFileName(const QString &language) const;
    // The entry points that the declaration lists for the program of `language`, in order.
    QStringList declaredFunctions(const QString &language) const;

private:
    SRCore::ScriptPackageManifest m_manifest;
    QHash<QString, QStringList> m_declaredFunctions;
};

} // namespace Scripter
