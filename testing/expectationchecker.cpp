#include "expectationchecker.h"

#include "corelib/jobs/filemanager.h"
#include "corelib/logging/localizemanager.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace Scripter {

namespace {

QString quoted(const QString &text)
{
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

// A wildcard over a whole name or text: "*" any characters, "/" and line breaks included, "?"
// one, "[...]" (or "[!...]") one of a set. An unclosed "[" gives an invalid expression, whose
// error says so.
QRegularExpression wildcard(const QString &pattern)
{
    QString expression;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c == u'*') {
            expression += QLatin1String(".*");
        } else if (c == u'?') {
            expression += u'.';
        } else if (c == u'[') {
            // A "]" right after the opening bracket belongs to the set.
            const qsizetype first =
                i + 1 < pattern.size() && pattern.at(i + 1) == u'!' ? i + 2 : i + 1;
            const qsizetype end = pattern.indexOf(u']', first + 1);
            if (end < 0) {
                expression += u'[' + QRegularExpression::escape(pattern.mid(i + 1));
                break;
            }
            QString set = pattern.mid(first, end - first);
            set.replace(u'\\', QLatin1String("\\\\"));
            expression += QLatin1Char('[') + (first == i + 2 ? QLatin1String("^") : QLatin1String())
                          + set + QLatin1Char(']');
            i = end;
        } else {
            expression += QRegularExpression::escape(c);
        }
    }
    return QRegularExpression(QRegularExpression::anchoredPattern(expression),
                              QRegularExpression::DotMatchesEverythingOption);
}

// The names of what lies in `folder`, without the unique prefixes the run gave them.
QStringList namesIn(const QString &folder)
{
    QStringList names;
    const QStringList entries = QDir(folder).entryList(
        QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    for (const QString &entry : entries) {
        names.append(SRCore::FileManager::fileNameWithoutPrefix(entry));
    }
    return names;
}

ExpectationResult failed(const QString &expectation, const QString &detail)
{
    return {expectation, false, detail};
}

ExpectationResult held(const QString &expectation)
{
    return {expectation, true, QString()};
}

// Every name matches one of the patterns and every pattern matches a name; empty when so,
// else what went wrong.
QString unmatchedNames(const QStringList &patterns, const QStringList &names)
{
    QList<QRegularExpression> expressions;
    for (const QString &pattern : patterns) {
        const QRegularExpression expression = wildcard(pattern);
        if (pattern.contains(QLatin1Char('/')) || !expression.isValid()) {
            return ExpectationChecker::tr("the invalid wildcard %1 (%2)")
                .arg(quoted(pattern), expression.isValid()
                                          ? ExpectationChecker::tr("a file name holds no '/'")
                                          : expression.errorString());
        }
        expressions.append(expression);
    }
    for (const QString &name : names) {
        const bool matched =
            std::any_of(expressions.cbegin(), expressions.cend(),
                        [&name](const QRegularExpression &e) { return e.match(name).hasMatch(); });
        if (!matched) {
            return ExpectationChecker::tr("the file %1, which matches none of them")
                .arg(quoted(name));
        }
    }
    for (qsizetype i = 0; i < expressions.size(); ++i) {
        const QRegularExpression &expression = expressions.at(i);
        if (std::none_of(names.cbegin(), names.cend(), [&expression](const QString &name) {
                return expression.match(name).hasMatch();
            })) {
            return ExpectationChecker::tr("no file matching %1").arg(quoted(patterns.at(i)));
        }
    }
    return QString();
}

QString levelName(int level)
{
    return SRCore::LogRecord::typeWord(level);
}

} // namespace

ExpectationResults ExpectationChecker::check(const FixtureExpectations &expected, const Run &run)
{
    ExpectationResults results;
    for (const FixtureExpectations::Connection &connection : expected.connections) {
        checkConnection(connection, run, results);
    }
    for (const FixtureExpectations::Job &job : expected.jobs) {
        checkJob(job, run, results);
    }
    for (const FixtureExpectations::Message &message : expected.messages) {
        results.append(checkMessage(message, run));
    }
    if (expected.noErrors) {
        results.append(checkNoErrors(run));
    }
    return results;
}

void ExpectationChecker::checkConnection(const FixtureExpectations::Connection &expected,
                                         const Run &run, ExpectationResults &results)
{
    QStringList expectations;
    if (expected.fileCount) {
        expectations.append(tr("connection %1 receives %n file(s)", nullptr, *expected.fileCount)
                                .arg(quoted(expected.name)));
    }
    if (!expected.fileNames.isEmpty()) {
        expectations.append(tr("the files of connection %1 match %2")
                                .arg(quoted(expected.name), expected.fileNames.join(u';')));
    }
    const auto folder = run.outgoingFolders.constFind(expected.name);
    QString missing;
    if (folder == run.outgoingFolders.cend()) {
        missing = tr("no such connection in the test flow (removed, renamed or disabled)");
    } else if (!QFileInfo(*folder).isDir()) {
        missing =
            tr("no folder %1 of the connection").arg(quoted(QDir::toNativeSeparators(*folder)));
    }
    if (!missing.isEmpty()) {
        for (const QString &expectation : expectations) {
            results.append(failed(expectation, missing));
        }
        return;
    }

    const QStringList names = namesIn(*folder);
    if (expected.fileCount) {
        results.append(
            names.size() == *expected.fileCount
                ? held(expectations.first())
                : failed(expectations.first(), tr("%n file(s)", nullptr, int(names.size()))));
    }
    if (!expected.fileNames.isEmpty()) {
        const QString unmatched = unmatchedNames(expected.fileNames, names);
        results.append(unmatched.isEmpty() ? held(expectations.last())
                                           : failed(expectations.last(), unmatched));
    }
}

void ExpectationChecker::checkJob(const FixtureExpectations::Job &expected, const Run &run,
                                  ExpectationResults &results)
{
    const auto data = run.privateData.constFind(expected.name);
    for (const auto &[key, value] : expected.privateData) {
        const QString expectation = tr("job %1 has the private data %2 = %3")
                                        .arg(quoted(expected.name), key, quoted(value));
        if (data == run.privateData.cend()) {
            results.append(failed(expectation, tr("no such job in the run")));
        } else if (!data->contains(key)) {
            results.append(failed(expectation, tr("no value")));
        } else if (data->value(key) != value) {
            results.append(failed(expectation, quoted(data->value(key))));
        } else {
            results.append(held(expectation));
        }
    }
}

ExpectationResult ExpectationChecker::checkMessage(const FixtureExpectations::Message &expected,
                                                   const Run &run)
{
    const QString expectation =
        tr("a message of type %1 like %2").arg(levelName(expected.level), quoted(expected.pattern));
    const QRegularExpression expression = wildcard(expected.pattern);
    if (!expression.isValid()) {
        return failed(expectation, tr("the invalid wildcard %1 (%2)")
                                       .arg(quoted(expected.pattern), expression.errorString()));
    }
    for (const SRCore::LogRecord &message : run.messages) {
        if (message.level == expected.level
            && expression.match(SRCore::LocalizeManager::getMessage(message)).hasMatch()) {
            return held(expectation);
        }
    }
    return failed(expectation, tr("no such message"));
}

ExpectationResult ExpectationChecker::checkNoErrors(const Run &run)
{
    const QString expectation = tr("no message of type error");
    QStringList errors;
    for (const SRCore::LogRecord &message : run.messages) {
        if (message.level == SRCore::LogLevel::Error) {
            errors.append(SRCore::LocalizeManager::getMessage(message));
        }
    }
    // A run that ended on an error says so in its summary, whatever reached the log.
    if (errors.isEmpty() && !run.summary.succeeded()) {
        errors.append(run.summary.errorMessage());
    }
    if (errors.isEmpty()) {
        return held(expectation);
    }
    return failed(expectation,
                  tr("%1 error(s), the first %2").arg(errors.size()).arg(quoted(errors.first())));
}

} // namespace Scripter
