#include "packagesession.h"

#include "headlessdocument.h"

#include "package/packageprocessor.h"
#include "package/scriptpackage.h"

#include "corelib/logging/iloginterface.h"
#include "corelib/logging/localizemanager.h"
#include "corelib/logging/logrecord.h"

#include <QFileInfo>
#include <QList>
#include <QRegularExpression>

namespace Scripter {

namespace {

// The message-pane texts whose argument says exactly what went wrong. They are the untranslated
// texts the package processor and the fixture log.
const QLatin1String manifestParseError(
    "Parse error in manifest from package '%11': line %12, column %13, message '%14'");
const QLatin1String declarationParseError(
    "Parse error in declaration from package '%11': line %12, column %13, message '%14'");
const QLatin1String fixtureParseError(
    "Parse error in fixture from package '%11': line %12, column %13, message '%14'");
const QLatin1String openError("Can't open script package: %1");
const QLatin1String saveError("Can't save script package: %1");

// "Router.tfixture: manifest.xml line 3, column 7: reason" from a parse error's argument
// "path,line,column,reason"; empty when the argument is not of that form.
QString parseErrorCause(const QString &operation, const QString &argument)
{
    static const QRegularExpression parts(QStringLiteral("^(.*?),(\\d+),(\\d+),(.*)$"),
                                          QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = parts.match(argument);
    if (!match.hasMatch()) {
        return QString();
    }
    const QString path = match.captured(1);
    // The fixture reports its own manifest with the package's text and the fixture's path.
    const QString fixture = ScriptPackage::isFixturePath(path)
                                ? QFileInfo(path).fileName() + QLatin1String(": ")
                                : QString();
    QString member;
    if (operation == manifestParseError) {
        member = fixture + QStringLiteral("manifest.xml");
    } else if (operation == declarationParseError) {
        member = PackageSession::tr("declaration");
    } else {
        member = QFileInfo(path).fileName();
    }
    return PackageSession::tr("%1 line %2, column %3: %4")
        .arg(member, match.captured(2), match.captured(3), match.captured(4));
}

} // namespace

// Keeps what the program would show in its message pane, for the reason of a failure, and
// passes it on to the tool's log.
class PackageSession::RecordingLog : public SRCore::ILogInterface
{
public:
    explicit RecordingLog(SRCore::ILogInterface *next)
        : m_next(next)
    {}

    void log(const SRCore::LogRecord &record, int flags) override
    {
        records.append(record);
        if (m_next) {
            m_next->log(record, flags);
        }
    }

    QList<SRCore::LogRecord> records;

private:
    SRCore::ILogInterface *m_next;
};

PackageSession::PackageSession(SRCore::ILogInterface *log)
    : m_log(std::make_unique<RecordingLog>(log))
{
    // The session's only window; numbered like the program's first one.
    m_processor = std::make_unique<PackageProcessor>(
        [this]() -> IPackageWindow * { return new HeadlessDocument(0, m_log.get()); });
    m_processor->setDialogs(&m_dialogs);
    // How long a save waits for another program's save of the same package to end; scripts and
    // tests that must not wait that long set it.
    bool waitGiven = false;
    const int wait = qEnvironmentVariableIntValue("TAVRIXSCRIPTER_LOCK_WAIT_MS", &waitGiven);
    if (waitGiven && wait >= 0) {
        m_processor->setLockWait(wait);
    }
    m_document = static_cast<HeadlessDocument *>(m_processor->newWindow());
}

PackageSession::~PackageSession() = default;

bool PackageSession::open(const QString &path)
{
    begin();
    const bool opened = m_processor->open(path, m_document);
    return finish(opened && m_document->fixtureError().isEmpty());
}

QString PackageSession::packagePath() const
{
    return m_document->isAlternatePath() ? m_document->displayPath()
                                         : m_document->packageFilePath();
}

bool PackageSession::isUnarchived() const
{
    return m_document->isAlternatePath();
}

bool PackageSession::save(bool withChecks)
{
    begin();
    return finish(m_processor->save(
        withChecks ? PackageProcessor::Save : PackageProcessor::SaveWithoutChecks, m_document));
}

bool PackageSession::saveAs(const QString &path, bool unarchived, bool withChecks)
{
    m_document->relocate(path, unarchived);
    return save(withChecks);
}

QString PackageSession::missingPasswordMessage()
{
    return tr("the package is protected by a password; give it with --password or in the "
              "environment variable TAVRIXSCRIPTER_PASSWORD");
}

QString PackageSession::wrongPasswordMessage()
{
    // The processor's own refusal, so that both storage forms are refused alike.
    return QCoreApplication::translate("Scripter::PackageProcessor",
                                       " Invalid password, the script can not be opened.")
        .trimmed();
}

void PackageSession::begin()
{
    m_log->records.clear();
    m_dialogs.clear();
    m_guard.clear();
    m_failure.clear();
}

bool PackageSession::finish(bool succeeded)
{
    // A dialog closed unanswered means the program wanted the user to decide something.
    if (succeeded && m_guard.closedDialogs().isEmpty()) {
        return true;
    }
    m_failure = cause();
    return false;
}

QString PackageSession::cause() const
{
    // The most precise report first: a position in a file, then the processor's own reason.
    for (const SRCore::LogRecord &record : m_log->records) {
        if (record.operation == manifestParseError || record.operation == declarationParseError
            || record.operation == fixtureParseError) {
            const QString cause = parseErrorCause(record.operation, record.argument);
            if (!cause.isEmpty()) {
                return cause;
            }
        }
    }
    if (!m_document->fixtureError().isEmpty()) {
        return QFileInfo(PackageProcessor::fixturePath(packagePath())).fileName()
               + QLatin1String(": ") + m_document->fixtureError();
    }
    for (const SRCore::LogRecord &record : m_log->records) {
        if (record.operation == openError || record.operation == saveError) {
            return record.argument;
        }
    }
    if (m_dialogs.passwordMissing()) {
        return missingPasswordMessage();
    }
    if (!m_dialogs.warnings().isEmpty()) {
        return m_dialogs.warnings().constLast();
    }
    if (!m_guard.closedDialogs().isEmpty()) {
        return m_guard.closedDialogs().constFirst();
    }
    if (!m_dialogs.questions().isEmpty()) {
        // Declined: the first line says what is wrong ("... contains syntax error(s).").
        return m_dialogs.questions().constFirst().section(QLatin1Char('\n'), 0, 0);
    }
    for (auto it = m_log->records.crbegin(); it != m_log->records.crend(); ++it) {
        if (it->level == SRCore::LogLevel::Error) {
            return SRCore::LocalizeManager::getMessage(*it);
        }
    }
    return tr("the operation failed; run with --verbose for the details");
}

} // namespace Scripter
