#pragma once

// Helpers of the command-line tool's tests: the built tool run as a user runs it, in a sandbox
// of its own (working folder, per-user data and settings, temporary folder), and snapshots of
// folders and archives to tell what a run wrote.

#include "common/pythonzip.h"
#include "common/testfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMap>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>

namespace CliTest {

using PythonZip::contents;
using TestFiles::copyFolder;
using TestFiles::entriesBelow;
using TestFiles::readFile;
using TestFiles::snapshot;
using TestFiles::writeFile;

// `before` in the file `path` becomes `after`; false when the file does not hold it.
inline bool replaceIn(const QString &path, const QByteArray &before, const QByteArray &after)
{
    QByteArray content = readFile(path);
    return content.contains(before) && writeFile(path, content.replace(before, after));
}

// What one run of the tool left behind.
struct Run
{
    int exitCode = -1;
    bool finished = false;
    QString out;
    QString err;

    // The lines written to stderr, without the final line break.
    QStringList errorLines() const
    {
        return err.isEmpty()
                   ? QStringList()
                   : err.chopped(err.endsWith(QLatin1Char('\n')) ? 1 : 0).split(QLatin1Char('\n'));
    }
    // "exit N, stderr: ..." for the failure message of a check.
    QByteArray describe() const
    {
        return QStringLiteral("exit %1, stdout: %2, stderr: %3")
            .arg(exitCode)
            .arg(out, err)
            .toLocal8Bit();
    }
};

// snapshot() with every zip archive replaced by its entries ("Router.tfixture!manifest.xml"):
// an archive written again holds the same entries, but their time stamps differ.
inline QMap<QString, QByteArray> contentSnapshot(const QString &folder)
{
    QMap<QString, QByteArray> files;
    const QMap<QString, QByteArray> plain = snapshot(folder);
    for (auto it = plain.constBegin(); it != plain.constEnd(); ++it) {
        if (!it.value().startsWith("PK\x03\x04")) {
            files.insert(it.key(), it.value());
            continue;
        }
        const QMap<QString, QByteArray> entries = contents(folder + QLatin1Char('/') + it.key());
        for (auto entry = entries.constBegin(); entry != entries.constEnd(); ++entry) {
            files.insert(it.key() + QLatin1Char('!') + entry.key(), entry.value());
        }
    }
    return files;
}

// The members of the package at `path` by name: the entries of an archive, or the files in the
// folder of an unarchived package's marker, without the fixture that lives there too.
inline QMap<QString, QByteArray> packageMembers(const QString &path)
{
    const QFileInfo package(path);
    if (package.size() != 0) {
        return contents(path);
    }
    QMap<QString, QByteArray> members = snapshot(package.absolutePath());
    members.remove(package.completeBaseName() + QStringLiteral(".tfixture"));
    return members;
}

// What Python's xml module finds in a JUnit report, the elements and attributes CI systems
// read, as JSON; an object with "error" when it is not such a report.
inline QJsonObject readJUnit(const QString &path)
{
    const PythonZip::ToolResult read = PythonZip::runPython(
        QStringLiteral(
            "import sys, json, xml.etree.ElementTree as ET\n"
            "root = ET.parse(sys.argv[1]).getroot()\n"
            "assert root.tag == 'testsuites', root.tag\n"
            "def need(e, *names):\n"
            "    for n in names: assert n in e.attrib, (e.tag, n)\n"
            "need(root, 'tests', 'failures')\n"
            "suites = []\n"
            "for s in root.findall('testsuite'):\n"
            "    need(s, 'name', 'tests', 'failures')\n"
            "    cases = []\n"
            "    for c in s.findall('testcase'):\n"
            "        need(c, 'name', 'classname')\n"
            "        for f in c.findall('failure'): need(f, 'message')\n"
            "        cases.append({'name': c.get('name'), 'classname': c.get('classname'),\n"
            "                      'failures': [f.get('message') for f in c.findall('failure')],\n"
            "                      'out': c.findtext('system-out') or ''})\n"
            "    suites.append({'name': s.get('name'), 'tests': int(s.get('tests')),\n"
            "                   'failures': int(s.get('failures')), 'cases': cases})\n"
            "print(json.dumps({'tests': int(root.get('tests')),\n"
            "                  'failures': int(root.get('failures')), 'suites': suites}))\n"),
        {path});
    return read.exitCode == 0
               ? QJsonDocument::fromJson(read.output).object()
               : QJsonObject{{QStringLiteral("error"), QString::fromUtf8(read.output)}};
}

// Every command that takes a package, each with the options that make it write into "out"
// below the working folder (which must exist). The package goes after the command's name.
inline QList<QStringList> packageCommands()
{
    return {
        {QStringLiteral("info"), QStringLiteral("--json")},
        {QStringLiteral("check")},
        {QStringLiteral("pack"), QStringLiteral("--output"), QStringLiteral("out/Packed.tscript")},
        {QStringLiteral("unpack"), QStringLiteral("--output"), QStringLiteral("out/Unpacked")},
        {QStringLiteral("resave")},
        {QStringLiteral("run")},
    };
}

// A sandbox for runs of the built tool: a working folder that relative paths start from, and a
// home of its own, so that the tool's message database, settings and temporary files never mix
// with the user's or another test's.
class Sandbox
{
public:
    Sandbox()
    {
        for (const char *folder : {"work", "data", "config", "tmp", "runtime"}) {
            QDir(m_root.path()).mkpath(QLatin1String(folder));
        }
        QFile::setPermissions(m_root.filePath(QStringLiteral("runtime")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    bool isValid() const { return m_root.isValid(); }
    // `relative` inside the working folder.
    QString path(const QString &relative = QString()) const
    {
        const QString work = m_root.filePath(QStringLiteral("work"));
        return relative.isEmpty() ? work : work + QLatin1Char('/') + relative;
    }
    QString dataFolder() const { return m_root.filePath(QStringLiteral("data")); }
    // The program's settings, where its preferences are kept (the tool keeps settings of its own).
    QString programSettingsFile() const
    {
        return m_root.filePath(QStringLiteral("config/Tavrix/TavrixScripter.conf"));
    }
    QString systemTemporaryFolder() const { return m_root.filePath(QStringLiteral("tmp")); }
    // Where the tool's runs keep their temporary folders: "temp" in the per-user data folder.
    QString temporaryFolder() const
    {
        return dataFolder() + QStringLiteral("/Tavrix/TavrixScripter/temp");
    }

    // Starts the tool with `arguments` in the working folder, without waiting for it;
    // `environment` adds to or overrides the sandbox's variables.
    std::shared_ptr<QProcess>
    start(const QStringList &arguments,
          const QProcessEnvironment &environment = QProcessEnvironment()) const
    {
        QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
        variables.remove(QStringLiteral("TAVRIXSCRIPTER_PASSWORD"));
        variables.remove(QStringLiteral("TAVRIXSCRIPTER_LOCK_WAIT_MS"));
        variables.remove(QStringLiteral("QT_QPA_PLATFORM"));
        variables.insert(QStringLiteral("XDG_DATA_HOME"), dataFolder());
        variables.insert(QStringLiteral("XDG_CONFIG_HOME"),
                         m_root.filePath(QStringLiteral("config")));
        variables.insert(QStringLiteral("TMPDIR"), systemTemporaryFolder());
        // Else Qt makes a runtime folder of its own in the temporary folder.
        variables.insert(QStringLiteral("XDG_RUNTIME_DIR"),
                         m_root.filePath(QStringLiteral("runtime")));
        variables.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
        for (const QString &name : environment.keys()) {
            variables.insert(name, environment.value(name));
        }
        auto process = std::make_shared<QProcess>();
        process->setProcessEnvironment(variables);
        process->setWorkingDirectory(path());
        process->start(QStringLiteral(TAVRIX_CLI), arguments);
        return process;
    }

    // Runs the tool with `arguments` in the working folder and waits for it to end.
    Run run(const QStringList &arguments,
            const QProcessEnvironment &environment = QProcessEnvironment()) const
    {
        const std::shared_ptr<QProcess> process = start(arguments, environment);
        Run run;
        run.finished = process->waitForFinished(120000);
        if (!run.finished) {
            process->kill();
            process->waitForFinished();
        }
        run.exitCode = process->exitStatus() == QProcess::NormalExit ? process->exitCode() : -1;
        run.out = QString::fromUtf8(process->readAllStandardOutput());
        run.err = QString::fromUtf8(process->readAllStandardError());
        return run;
    }

private:
    QTemporaryDir m_root;
};

inline QProcessEnvironment variable(const QString &name, const QString &value)
{
    QProcessEnvironment environment;
    environment.insert(name, value);
    return environment;
}

// Packages that many tests start from, made once per test program by running the tool in a
// sandbox of their own and copied into each test's working folder: a start of the tool costs
// far more than a copy.
class PreparedFiles
{
public:
    using Make = std::function<bool(const Sandbox &)>;

    // What `make` writes into an empty working folder, copied into `sandbox`'s; false when
    // making it failed.
    bool copy(const QString &key, const Make &make, const Sandbox &sandbox)
    {
        if (!m_made.contains(key)) {
            const Sandbox maker;
            if (!make(maker)) {
                return false;
            }
            m_made.insert(key, snapshot(maker.path()));
        }
        const QMap<QString, QByteArray> files = m_made.value(key);
        for (auto it = files.constBegin(); it != files.constEnd(); ++it) {
            const QString target = sandbox.path(it.key());
            if (!(it.key().endsWith(QLatin1Char('/')) ? QDir().mkpath(target)
                                                      : writeFile(target, it.value()))) {
                return false;
            }
        }
        return true;
    }

    // The package that `new` writes with `arguments`.
    bool copyNew(const QStringList &arguments, const Sandbox &sandbox)
    {
        return copy(
            arguments.join(QLatin1Char(' ')),
            [&arguments](const Sandbox &maker) {
                return maker.run(QStringList{QStringLiteral("new")} + arguments).exitCode == 0;
            },
            sandbox);
    }

private:
    QHash<QString, QMap<QString, QByteArray>> m_made;
};

} // namespace CliTest
