// Small inputs that once took seconds to minutes, read by the program in its main window:
// - a declaration of 1000 definitions that all have the same tag (each becomes a copy);
// - a declaration whose 5000 definitions each depend on the one before;
// - a declaration of 100 000 nested elements, which is refused;
// - a JavaScript program of 8000 unclosed "function(" whose type annotations are blanked.
// The baselines read the same texts without building anything: QDomDocument for the
// declarations, QXmlStreamReader for the nested document, the JavaScript lexer's tokens alone.

#include "programworld.h"

#include "qsa/jslexer.h"

#include "corelib/common/xmlerror.h"

#include <QDomDocument>
#include <QXmlStreamReader>

namespace {

constexpr int kRuns = 3;
constexpr double kTargetMs = 1000;

QString declaration(const QString &fields)
{
    return QStringLiteral("<Object><ElementFields>%1</ElementFields><ConnectionFields/></Object>")
        .arg(fields);
}

QString sameTagDeclaration()
{
    QString fields;
    for (int i = 0; i < 1000; ++i) {
        fields += QStringLiteral(
            R"(<Same Tooltip="t" LocalizedTagName="Same" Type="string" Editor="inline"/>)");
    }
    return declaration(fields);
}

QString chainDeclaration()
{
    QString fields;
    for (int i = 0; i < 5000; ++i) {
        const QString master =
            i == 0 ? QString()
                   : QStringLiteral(R"( Dependency="Link%1" Dependencyvalue="Yes")").arg(i - 1);
        fields +=
            QStringLiteral(
                R"(<Link%1 Tooltip="t" LocalizedTagName="Link%1" Type="string" Editor="inline"%2/>)")
                .arg(i)
                .arg(master);
    }
    return declaration(fields);
}

QString nestedDeclaration()
{
    const int depth = 100000;
    return QStringLiteral("<Object>") + QStringLiteral("<E>").repeated(depth)
           + QStringLiteral("</E>").repeated(depth) + QStringLiteral("</Object>");
}

bool domReads(const QString &xml)
{
    QDomDocument document;
    return bool(document.setContent(xml));
}

bool streamReads(const QString &xml)
{
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        reader.readNext();
    }
    return !reader.hasError();
}

} // namespace

namespace {

int measure(const Bench::ProgramWorld &world)
{
    Scripter::Declaration *panel = world.window(0)->declaration();
    bool ok = true;

    const QString sameTag = sameTagDeclaration();
    ok &= Bench::report("1000 definitions of one tag loaded",
                        Bench::bestMs(kRuns,
                                      [&] {
                                          return panel->loadFromXml(sameTag)
                                                 && panel->elementPropertyTags().size() == 1000;
                                      }),
                        "QDomDocument read",
                        Bench::bestMs(kRuns, [&] { return domReads(sameTag); }), kTargetMs);

    const QString chain = chainDeclaration();
    ok &= Bench::report("a chain of 5000 dependent definitions loaded",
                        Bench::bestMs(kRuns,
                                      [&] {
                                          return panel->loadFromXml(chain)
                                                 && panel->elementPropertyTags().size() == 5000;
                                      }),
                        "QDomDocument read", Bench::bestMs(kRuns, [&] { return domReads(chain); }),
                        kTargetMs);
    panel->reset();

    const QString nested = nestedDeclaration();
    ok &= Bench::report("100000 nested elements refused",
                        Bench::bestMs(kRuns,
                                      [&] {
                                          SRCore::XmlError error;
                                          return !panel->loadFromXml(nested, &error)
                                                 && error.line > 0;
                                      }),
                        "QXmlStreamReader read",
                        Bench::bestMs(kRuns, [&] { return streamReads(nested); }), kTargetMs);

    const QString program =
        QStringLiteral("function(").repeated(8000) + QStringLiteral("function f(a : Number) {}");
    ok &= Bench::report(
        "annotations of 8000 unclosed parameter lists blanked",
        Bench::bestMs(
            kRuns,
            [&] { return JsLexer(program).withoutTypeAnnotations().size() == program.size(); }),
        "tokens alone", Bench::bestMs(kRuns, [&] { return !JsLexer(program).tokens().isEmpty(); }),
        kTargetMs);
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    return Bench::runInProgram(argc, argv, measure);
}
