#include "scriptexecution.h"

#include "scriptinglib/scriptengines.h"
#include "scriptinglib/vbscript/ansicodepage.h"

#include "corelib/vocabulary/xmlvalues.h"

#include <QFile>
#include <QStringDecoder>
#include <QTextStream>

namespace Scripter {

ScriptExecution::ScriptExecution(QTextStream &out)
    : m_out(out)
{}

QString ScriptExecution::languageOf(const QString &path)
{
    if (path.endsWith(QLatin1String(".vbs"), Qt::CaseInsensitive)) {
        return SRCore::XMLValues::VBSCRIPT;
    }
    return QString();
}

bool ScriptExecution::run(const QString &path, QString *errorMessage)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *errorMessage = file.errorString();
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *errorMessage = file.errorString();
        return false;
    }
    const std::unique_ptr<IScriptEngine> engine =
        ScriptEngines::create(languageOf(path), errorMessage);
    if (!engine) {
        return false;
    }
    // Flushed at once: an error that ends the script goes to stderr after what it wrote.
    engine->addScriptHost([this](const QString &line) { m_out << line << Qt::endl; });
    const ScriptResult result = engine->runProgram(decode(bytes));
    if (!result.ok()) {
        *errorMessage = result.error.describe();
        return false;
    }
    return true;
}

QString ScriptExecution::decode(const QByteArray &bytes)
{
    if (const auto encoding = QStringConverter::encodingForData(bytes)) {
        QStringDecoder decoder(*encoding);
        return decoder.decode(bytes);
    }
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? VBScript::AnsiCodePage::decode(bytes) : text;
}

} // namespace Scripter
