// A declaration of 500 property definitions in the program's main window: reading it, which
// builds the property set of every definition, and writing its XML again. The baseline reads
// and writes the same document with QDomDocument alone.

#include "programworld.h"

#include <QDomDocument>

namespace {

constexpr int kRuns = 5;
constexpr int kDefinitions = 500;
constexpr double kTargetMs = 100;

} // namespace

namespace {

int measure(const Bench::ProgramWorld &world)
{
    Scripter::Declaration *declaration = world.window(0)->declaration();
    const QString xml = Bench::declarationWithDefinitions(*declaration, kDefinitions);

    QString written;
    const double ours = Bench::bestMs(kRuns, [&] {
        written = QString();
        return declaration->loadFromXml(xml) && !(written = declaration->toXml()).isEmpty();
    });
    if (declaration->elementPropertyTags().size() != kDefinitions) {
        std::fprintf(stderr, "the declaration holds %d definitions instead of %d\n",
                     int(declaration->elementPropertyTags().size()), kDefinitions);
        return 1;
    }
    const double baseline = Bench::bestMs(kRuns, [&] {
        QDomDocument document;
        return bool(document.setContent(xml)) && !document.toString(4).isEmpty();
    });
    std::printf("%d definitions, %.0f kB of XML, best of %d\n", kDefinitions,
                written.toUtf8().size() / 1024.0, kRuns);
    return Bench::report("declaration read and written", ours, "QDomDocument read and written",
                         baseline, kTargetMs)
               ? 0
               : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    return Bench::runInProgram(argc, argv, measure);
}
