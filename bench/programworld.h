#pragma once

// The program as the benchmarks of its windows drive it: the running core with its first
// window, in a private home. Also the test data they share.

#include "benchsupport.h"

#include "app/scriptercore.h"
#include "app/scripterwindow.h"

#include "package/declaration.h"
#include "package/ipackagewindow.h"
#include "package/packageprocessor.h"

#include <QApplication>
#include <QString>

#include <functional>
#include <memory>

namespace Bench {

class ProgramWorld
{
public:
    ProgramWorld()
    {
        if (m_home.isValid()) {
            m_core = std::make_unique<Scripter::ScripterCore>();
        }
    }
    ~ProgramWorld()
    {
        m_core.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    ProgramWorld(const ProgramWorld &) = delete;
    ProgramWorld &operator=(const ProgramWorld &) = delete;

    bool isValid() const { return m_core && window(0); }
    QString filePath(const QString &name) const { return m_home.filePath(name); }
    Scripter::PackageProcessor *processor() const { return m_core->packageProcessor(); }

    // The window at `index`, created when there are fewer.
    Scripter::ScripterWindow *window(int index) const
    {
        while (processor()->windows().size() <= index) {
            processor()->newWindow();
        }
        return qobject_cast<Scripter::ScripterWindow *>(processor()->windows().at(index)->widget());
    }

private:
    PrivateHome m_home;
    std::unique_ptr<Scripter::ScripterCore> m_core;
};

// Runs `benchmark` against the program's core started in a private home, on the offscreen
// platform unless another one was chosen. Its result is the exit status.
inline int runInProgram(int argc, char *argv[],
                        const std::function<int(const ProgramWorld &)> &benchmark)
{
    preferOffscreenPlatform();
    QApplication application(argc, argv);
    const ProgramWorld world;
    if (!world.isValid()) {
        std::fprintf(stderr, "cannot start the program's core\n");
        return 1;
    }
    return benchmark(world);
}

// The declaration document of `declaration` with `count` more element property definitions
// of the common kinds; every fifth depends on the one before it.
inline QString declarationWithDefinitions(const Scripter::Declaration &declaration, int count)
{
    static const QStringList kinds = {
        QStringLiteral(R"(Type="string" Editor="inline;sltextwithvar" Default="none")"),
        QStringLiteral(R"(Type="enum:Fast;Safe;Exact" Editor="inline" Default="Safe")"),
        QStringLiteral(R"(Type="number" Editor="inline;scriptexp" Default="10")"),
        QStringLiteral(R"(Type="bool" Editor="inline" Default="Yes")"),
        QStringLiteral(R"(Type="string" Editor="choosefolder;automatic" Default="")")};
    QString fields;
    for (int i = 0; i < count; ++i) {
        const QString dependency =
            i % 5 == 4 ? QStringLiteral(R"(Dependency="Field%1" Dependencyvalue="Yes" )").arg(i - 1)
                       : QString();
        fields += QStringLiteral(R"(<Field%1 %2Validation="Standard" LocalizedTagName="Field %1" )"
                                 R"(Tooltip="The field %1" %3 Subtype="inline"/>)")
                      .arg(i)
                      .arg(dependency, kinds.at(i % kinds.size()));
    }
    QString xml = declaration.toXml();
    const QString end = QStringLiteral("</ElementFields>");
    return xml.replace(xml.indexOf(end), end.size(), fields + end);
}

} // namespace Bench
