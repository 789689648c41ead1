#include "scriptexecution.h"

#include "scriptinglib/scriptrun.h"
#include "scriptinglib/vbscript/ansicodepage.h"

#include "supportlib/baseframeworkenvironment.h"

#include "corelib/logging/iloginterface.h"
#include "corelib/logging/localizemanager.h"
#include "corelib/logging/logrecord.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QTextStream>

namespace Scripter {

namespace XMLValues = SRCore::XMLValues;

// The messages of the script's objects as lines of its output: console.log and information as
// they are, warnings and errors after their type. The script runs on the caller's thread, so
// they come in order with what it echoes.
class ScriptExecution::PrintingLog : public SRCore::ILogInterface
{
public:
    explicit PrintingLog(QTextStream &out)
        : m_out(out)
    {}

    void log(const SRCore::LogRecord &record, int flags) override
    {
        Q_UNUSED(flags)
        const QString message = SRCore::LocalizeManager::getMessage(record);
        if (record.level == SRCore::LogLevel::Warning || record.level == SRCore::LogLevel::Error) {
            m_out << SRCore::LogRecord::typeWord(record.level) << ": ";
        }
        m_out << message << Qt::endl;
    }

private:
    QTextStream &m_out;
};

ScriptExecution::ScriptExecution(QTextStream &out)
    : m_out(out)
{}

QString ScriptExecution::languageOf(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("vbs")) {
        return XMLValues::VBSCRIPT;
    }
    if (suffix == QLatin1String("js")) {
        return XMLValues::JAVASCRIPT;
    }
    return QString();
}

bool ScriptExecution::runsLanguage(const QString &language)
{
    return language == XMLValues::VBSCRIPT || language == XMLValues::JAVASCRIPT;
}

bool ScriptExecution::run(const QString &path, const QString &language, QString *errorMessage)
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
    // The script file stands where a package program would: its folder is the package folder.
    IFrameworkEnvironment::AdditionalServerData serverData;
    serverData.packageFolder = QFileInfo(path).absolutePath();
    BaseFrameworkEnvironment environment(serverData);
    PrintingLog log(m_out);
    ScriptRun run({decode(bytes), language}, &environment, &log);
    if (IScriptEngine *engine = run.engine()) {
        // Flushed at once: an error that ends the script goes to stderr after what it wrote.
        engine->addScriptHost([this](const QString &line) { m_out << line << Qt::endl; });
    }
    const ScriptResult result = run.start();
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
