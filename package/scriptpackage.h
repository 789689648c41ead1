#pragma once

#include <QCoreApplication>
#include <QHash>
#include <QString>
#include <QStringList>

namespace SRCore {
class ILogInterface;
}

namespace Scripter {

class Declaration;

// The members of a script package in one folder (docs/script-package.md): the manifest, the
// declaration XML, the program of each included language, the icon, the compiled AppleScript
// and the empty marker file. Both storage forms hold exactly these; the package processor packs
// them into the archive or copies them into the unarchived folder.
class ScriptPackage
{
    Q_DECLARE_TR_FUNCTIONS(Scripter::ScriptPackage)

public:
    ScriptPackage() = delete;

    struct Content
    {
        QString instanceName;
        // The user's password; null when the package is not protected.
        QString password;
        // Language (XMLValues::JAVASCRIPT, VBSCRIPT, APPLESCRIPT) → program text, for exactly
        // the languages that the package includes.
        QHash<QString, QString> programs;
        // Writing: files to copy in, empty for none. Reading: the members in the folder.
        QString iconPath;
        QString compiledAppleScriptPath;
        // Reading only: the declaration member, checked to be well-formed XML.
        QString declarationPath;
    };

    static const QString &manifestFileName();
    static const QString &compiledAppleScriptFileName();
    // ".js", ".vbs" or ".scpt"; empty for an unknown language.
    static QString programSuffix(const QString &language);

    // Whether `path` ends in ".tscript", respectively ".tfixture", in any letter case.
    static bool isPackagePath(const QString &path);
    static bool isFixturePath(const QString &path);
    // The version-control folders (".svn", "_svn") that saving never removes from a package
    // folder.
    static const QStringList &versionControlNames();

    // Refuses a package folder that can't be read as a package safely: one that holds a symbolic
    // link anywhere (it would be followed, and what it points to taken into the package), or
    // more than an archive of the package may hold (ArchiveLimits). The reason names the link
    // or the limit.
    static bool checkFolder(const QString &folder, QString *errorMessage = nullptr);

    // Writes the members of the package `baseName` into the empty `folder`: the programs, the
    // icon, the compiled AppleScript, the manifest, the marker file and `declaration`'s XML.
    // `members` receives their paths in that order. Fails, naming the cause, when two members
    // would share a name (a package called "manifest"), a file to copy in is missing, a value
    // can't be stored in the manifest, or the members would be more than a package may hold.
    static bool write(const QString &folder, const QString &baseName, const Content &content,
                      const Declaration &declaration, QStringList *members,
                      QString *errorMessage = nullptr);

    // Reads the package whose members are in `folder`. The manifest and the declaration must be
    // well-formed, and every member the manifest names must be a file in `folder` (a name
    // reaching elsewhere is refused) no larger than a package may hold. Parse errors go to `log` as
    // well, with `packagePath`, line, column and reason, so that the user can find the fault.
    static bool read(const QString &folder, const QString &packagePath, Content &content,
                     SRCore::ILogInterface *log, QString *errorMessage = nullptr);
};

} // namespace Scripter
