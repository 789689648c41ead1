#include "externalvalueeditor.h"

#include "iappproxy.h"

#include "corelib/files/filehandler.h"
#include "corelib/vocabulary/xmlkey.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QProcess>

namespace GuiLib {

namespace {

namespace XMLKey = SRCore::XMLKey;

// A new numbered folder in a fresh temporary folder; empty when it cannot be made.
QString makeWorkFolder()
{
    const QString base = SRCore::FileHandler::getTempFilePath(QStringLiteral("tempPropertySet"));
    if (base.isEmpty() || !QDir().mkpath(base)) {
        return {};
    }
    for (int number = 1;; ++number) {
        const QString folder = base + QLatin1Char('/') + QString::number(number);
        if (!QFileInfo::exists(folder)) {
            return QDir().mkpath(folder) ? folder : QString();
        }
    }
}

} // namespace

ExternalValueEditor::ExternalValueEditor(const ValueEditorRequest &request)
    : m_request(request)
{}

void ExternalValueEditor::setTimeouts(int startMs, int finishMs)
{
    m_startTimeoutMs = startMs;
    m_finishTimeoutMs = finishMs;
}

void ExternalValueEditor::warn(const QString &text) const
{
    QMessageBox::warning(m_request.parent, tr("External editor"), text);
}

QString ExternalValueEditor::findApplication() const
{
    const QString application = m_request.fieldAttributes.value(XMLKey::EXTERNALAPPLICATION);
    const QFileInfo info(application);
    if (!application.isEmpty() && info.isAbsolute() && info.isFile()) {
        return info.absoluteFilePath();
    }
    if (info.fileName().isEmpty()) {
        return {};
    }
    return SRCore::FileHandler::findFileDepthFirst(QCoreApplication::applicationDirPath(),
                                                   info.fileName());
}

bool ExternalValueEditor::exec()
{
    const QString application = findApplication();
    if (application.isEmpty()) {
        warn(tr("Can not find application '%1'")
                 .arg(QFileInfo(m_request.fieldAttributes.value(XMLKey::EXTERNALAPPLICATION))
                          .fileName()));
        return false;
    }
    const QString folder = makeWorkFolder();
    if (folder.isEmpty()) {
        warn(tr("Failed to start '%1'").arg(application));
        return false;
    }
    const QFileInfo current(m_request.currentValue);
    const QString suffix =
        current.suffix().isEmpty() ? QString() : QLatin1Char('.') + current.suffix();
    const QString file = folder + QStringLiteral("/PropertySet") + suffix;
    const bool copied = !m_request.currentValue.isEmpty() && current.isFile()
                        && QFile::copy(current.absoluteFilePath(), file);

    const QString argumentTemplate = m_request.fieldAttributes.value(
        copied ? XMLKey::EXTERNALARGFOREDIT : XMLKey::EXTERNALARGFORNEW);
    QStringList arguments;
    if (argumentTemplate.contains(QLatin1String("%1"))) {
        arguments.append(QFileInfo(file).absoluteFilePath());
    }
    if (argumentTemplate.contains(QLatin1String("%2"))) {
        const IAppProxy *proxy = IAppProxy::instance();
        arguments.append((proxy ? proxy->documentationFolder() : QString())
                         + QLocale::system().name().right(2));
    }

    QProcess process;
    process.start(application, arguments);
    if (!process.waitForStarted(m_startTimeoutMs)) {
        warn(tr("Failed to start '%1'").arg(application));
        return false;
    }
    if (!process.waitForFinished(m_finishTimeoutMs)) {
        warn(tr("%1 exceeded timeout and will be aborted").arg(QFileInfo(application).baseName()));
        process.kill();
        process.waitForFinished();
        return false;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0
        || !QFileInfo(file).isFile()) {
        return false;
    }
    m_value = QFileInfo(file).absoluteFilePath();
    return true;
}

} // namespace GuiLib
