// Saving and opening a package with a 1 MB JavaScript program and 200 property definitions in
// the program's main window, as File > Save and File > Open do it (syntax check, declaration,
// fixture, archive). The baseline compresses and extracts the same members with the archive
// helper alone.

#include "programworld.h"

#include "corelib/archive/ziphelper.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QFile>

namespace {

constexpr int kRuns = 5;
constexpr int kDefinitions = 200;
constexpr int kScriptBytes = 1024 * 1024;
constexpr double kTargetMs = 150;

// About `size` bytes of the program's own JavaScript dialect: the two entry points and many
// helper functions with typed variables.
QString largeProgram(int size)
{
    QString program = QStringLiteral(
        "function jobArrived( s : Tavrix, job : Job )\n{\n    helper0( s, job );\n}\n\n"
        "function timerFired( s : Tavrix )\n{\n    s.setTimerInterval( 60 );\n}\n\n");
    for (int i = 0; program.size() < size; ++i) {
        program += QStringLiteral("function helper%1( s : Tavrix, job : Job )\n{\n"
                                  "    var name : String = job.getName();\n"
                                  "    if ( name.length > %1 ) {\n"
                                  "        s.log( 1, \"Long name \" + name );\n    }\n}\n\n")
                       .arg(i);
    }
    return program;
}

} // namespace

namespace {

int measure(const Bench::ProgramWorld &world)
{
    Scripter::ScripterWindow *window = world.window(0);
    Scripter::PackageProcessor *processor = world.processor();
    const QString program = largeProgram(kScriptBytes);
    if (!window->declaration()->loadFromXml(
            Bench::declarationWithDefinitions(*window->declaration(), kDefinitions))) {
        std::fprintf(stderr, "cannot build the declaration\n");
        return 1;
    }
    window->setScriptText(SRCore::XMLValues::JAVASCRIPT, program);
    // Saving under a name that exists is what Save does for a package that was opened.
    const QString path = world.filePath(QStringLiteral("large.tscript"));
    if (!QFile(path).open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(path));
        return 1;
    }
    window->setCurrentFile(path, false);

    const double save = Bench::bestMs(
        kRuns, [&] { return processor->save(Scripter::PackageProcessor::Save, window); });
    const double open = Bench::bestMs(
        kRuns,
        [&] {
            window->resetPackage();
            return true;
        },
        [&] { return processor->open(path, window); });
    if (window->scriptText(SRCore::XMLValues::JAVASCRIPT) != program
        || window->declaration()->elementPropertyTags().size() != kDefinitions) {
        std::fprintf(stderr, "the package did not come back as it was saved\n");
        return 1;
    }

    const QString members = world.filePath(QStringLiteral("members"));
    const QString archive = world.filePath(QStringLiteral("members.zip"));
    const double compress = Bench::bestMs(
        kRuns,
        [&] {
            return ZipHelper::extractFiles(path, members, false, QString(), false)
                   && (!QFile::exists(archive) || QFile::remove(archive));
        },
        [&] { return ZipHelper::compressFolderContents(members, archive, false, QString()); });
    const double extract = Bench::bestMs(
        kRuns, [&] { return QDir(members).removeRecursively(); },
        [&] { return ZipHelper::extractFiles(path, members, false, QString(), false); });

    std::printf("%d definitions, %.0f kB program, %.0f kB package, best of %d\n", kDefinitions,
                program.size() / 1024.0, QFileInfo(path).size() / 1024.0, kRuns);
    const bool saved =
        Bench::report("package saved", save, "members compressed", compress, kTargetMs);
    const bool opened =
        Bench::report("package opened", open, "members extracted", extract, kTargetMs);
    return saved && opened ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    return Bench::runInProgram(argc, argv, measure);
}
