// Loading a fixture of 200 incoming jobs into the program's main window, against extracting
// the same ".tfixture" archive and parsing its document with QDomDocument alone.

#include "programworld.h"

#include "testing/fixture.h"
#include "testing/fixtureitem.h"
#include "testing/fixturetree.h"

#include "corelib/archive/ziphelper.h"

#include <QDirIterator>
#include <QDomDocument>
#include <QFile>

namespace {

constexpr int kRuns = 5;
constexpr int kJobs = 200;
constexpr double kTargetMs = 100;

bool parseFixtureDocument(const QString &folder)
{
    QDirIterator documents(folder, {QStringLiteral("*.xml")}, QDir::Files);
    while (documents.hasNext()) {
        QFile file(documents.next());
        QDomDocument document;
        if (!file.open(QIODevice::ReadOnly) || !document.setContent(&file)) {
            return false;
        }
    }
    return true;
}

} // namespace

namespace {

int measure(const Bench::ProgramWorld &world)
{
    Scripter::Fixture *fixture = world.window(0)->fixture();
    for (int i = 0; i < kJobs; ++i) {
        new Scripter::FixtureItem(fixture, Scripter::FixtureItem::IncomingJob,
                                  fixture->tree()->incomingGroup());
    }
    const QString path = world.filePath(QStringLiteral("jobs.tfixture"));
    QString error;
    if (!fixture->saveToFile(path, &error)) {
        std::fprintf(stderr, "cannot save the fixture: %s\n", qPrintable(error));
        return 1;
    }
    fixture->clear();

    const double ours = Bench::bestMs(kRuns, [&] { return fixture->loadFromFile(path); });
    if (fixture->tree()->incomingGroup()->childCount() != kJobs) {
        std::fprintf(stderr, "the fixture holds %d jobs instead of %d\n",
                     fixture->tree()->incomingGroup()->childCount(), kJobs);
        return 1;
    }
    const QString extracted = world.filePath(QStringLiteral("extracted"));
    const double baseline = Bench::bestMs(
        kRuns, [&] { return QDir(extracted).removeRecursively(); },
        [&] {
            return ZipHelper::extractFiles(path, extracted, false, QString(), false)
                   && parseFixtureDocument(extracted);
        });
    std::printf("%d incoming jobs, %.0f kB archive, best of %d\n", kJobs,
                QFileInfo(path).size() / 1024.0, kRuns);
    return Bench::report("fixture loaded", ours, "archive extracted and parsed", baseline,
                         kTargetMs)
               ? 0
               : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    return Bench::runInProgram(argc, argv, measure);
}
