#pragma once

#include "commandline.h"

#include <QCoreApplication>
#include <QString>

#include <memory>

class QTextStream;

namespace Scripter {

class PackageListing;
class PackageSession;

// tavrixscripter-cli: creates, inspects, checks and converts script packages through the
// program's own package processor, declaration and fixture, and runs VBScript files (see
// CommandLine::helpText()).
//
// Results go to `out`; errors go to `err`, one line each: "tavrixscripter-cli: FILE: cause".
// A failed command writes nothing: a package or folder that it was about to create is removed
// again, and the processor never replaces a package before the new one is complete.
//
// Needs a QApplication (the program's panels are widgets; the offscreen platform will do).
// One run per process: it sets the process's temporary folder and message log.
class CliTool
{
    Q_DECLARE_TR_FUNCTIONS(Scripter::CliTool)

public:
    enum ExitStatus { Success = 0, Failure = 1, UsageError = 2 };

    // The streams must outlive the tool.
    CliTool(QTextStream &out, QTextStream &err);
    ~CliTool();
    CliTool(const CliTool &) = delete;
    CliTool &operator=(const CliTool &) = delete;

    // Runs the command line `arguments` (the program's name first); an ExitStatus.
    int run(const QStringList &arguments);

private:
    class Environment;

    int runCommand();
    int createPackage();
    int showInfo();
    int checkPackage();
    int packPackage();
    int unpackPackage();
    int resavePackage();
    int execScript();

    // Opens the command's package and reads its listing; false after reporting why.
    bool openPackage(PackageSession &session, PackageListing &listing);
    // pack and unpack hand out the package in another form: its password is needed even for
    // the unarchived folder, which the program opens without asking.
    bool checkFolderPassword(const PackageSession &session, const PackageListing &listing);
    // Refuses to replace an existing file or a folder with contents unless --force is given.
    bool mayReplace(const QString &path);

    int usageError(const QString &error);
    int fail(const QString &cause) { return fail(m_commandLine.path(), cause); }
    int fail(const QString &file, const QString &cause);
    void report(const QString &file, const QString &message);

    QTextStream &m_out;
    QTextStream &m_err;
    CommandLine m_commandLine;
    // --password, else the environment's; null when neither.
    QString m_password;
    std::unique_ptr<Environment> m_environment;
};

} // namespace Scripter
