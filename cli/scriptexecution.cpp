#include "scriptexecution.h"

#include "scriptinglib/vbscript/ansicodepage.h"
#include "scriptinglib/vbscript/engine.h"

#include <QFile>
#include <QStringDecoder>
#include <QTextStream>

namespace Scripter {

ScriptExecution::ScriptExecution(QTextStream &out)
    : m_out(out)
{}

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
    VBScript::Engine engine;
    engine.setOutput(this);
    engine.addWScript();
    VBScript::ScriptError error;
    if (!engine.load(decode(bytes), &error)) {
        *errorMessage = error.toString();
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

void ScriptExecution::echo(const QString &text)
{
    // Flushed at once: an error that ends the script goes to stderr after what it wrote.
    m_out << text << Qt::endl;
}

} // namespace Scripter
