#include "junitreport.h"

#include "runreport.h"

#include "corelib/files/safefilewriter.h"

#include <QBuffer>
#include <QXmlStreamWriter>

namespace Scripter {

namespace {

QString seconds(qint64 milliseconds)
{
    return QString::number(double(milliseconds) / 1000.0, 'f', 3);
}

int failureCount(const TestRunResult &result)
{
    return (result.runFailures().isEmpty() ? 0 : 1) + result.failedExpectationCount();
}

void writeFailure(QXmlStreamWriter &xml, const QString &message, const QString &type,
                  const QString &details)
{
    xml.writeStartElement(QStringLiteral("failure"));
    xml.writeAttribute(QStringLiteral("message"), message);
    xml.writeAttribute(QStringLiteral("type"), type);
    xml.writeCharacters(details);
    xml.writeEndElement();
}

void writeTestCase(QXmlStreamWriter &xml, const TestRunResult &result)
{
    xml.writeStartElement(QStringLiteral("testcase"));
    xml.writeAttribute(QStringLiteral("name"), result.entryPoint);
    xml.writeAttribute(QStringLiteral("classname"), result.elementName);
    xml.writeAttribute(QStringLiteral("time"), seconds(result.milliseconds));
    const QStringList failures = result.runFailures();
    if (!failures.isEmpty()) {
        writeFailure(xml, failures.constFirst(), QStringLiteral("run"),
                     failures.join(QLatin1Char('\n')));
    }
    for (const ExpectationResult &expectation : result.expectations) {
        if (!expectation.passed) {
            writeFailure(xml, expectation.expectation, QStringLiteral("expectation"),
                         expectation.detail);
        }
    }
    QString out;
    for (const SRCore::LogRecord &record : result.messages) {
        out += RunReport::messageLine(record) + QLatin1Char('\n');
    }
    out += RunReport::summaryText(result);
    xml.writeTextElement(QStringLiteral("system-out"), out);
    xml.writeEndElement();
}

} // namespace

void JUnitReport::write(const QList<TestRunResult> &results, QIODevice *device)
{
    QXmlStreamWriter xml(device);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    int failures = 0;
    qint64 milliseconds = 0;
    for (const TestRunResult &result : results) {
        failures += failureCount(result);
        milliseconds += result.milliseconds;
    }
    xml.writeStartElement(QStringLiteral("testsuites"));
    xml.writeAttribute(QStringLiteral("name"), QStringLiteral("tavrixscripter-cli run"));
    xml.writeAttribute(QStringLiteral("tests"), QString::number(results.size()));
    xml.writeAttribute(QStringLiteral("failures"), QString::number(failures));
    xml.writeAttribute(QStringLiteral("errors"), QStringLiteral("0"));
    xml.writeAttribute(QStringLiteral("time"), seconds(milliseconds));
    for (const TestRunResult &result : results) {
        xml.writeStartElement(QStringLiteral("testsuite"));
        xml.writeAttribute(QStringLiteral("name"), result.elementName);
        xml.writeAttribute(QStringLiteral("package"), result.package);
        xml.writeAttribute(QStringLiteral("tests"), QStringLiteral("1"));
        xml.writeAttribute(QStringLiteral("failures"), QString::number(failureCount(result)));
        xml.writeAttribute(QStringLiteral("errors"), QStringLiteral("0"));
        xml.writeAttribute(QStringLiteral("time"), seconds(result.milliseconds));
        writeTestCase(xml, result);
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndDocument();
}

bool JUnitReport::save(const QList<TestRunResult> &results, const QString &path,
                       QString *errorMessage)
{
    QByteArray report;
    QBuffer buffer(&report);
    buffer.open(QIODevice::WriteOnly);
    write(results, &buffer);
    return SRCore::SafeFileWriter::writeFile(path, report, errorMessage);
}

} // namespace Scripter
