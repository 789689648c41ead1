#include "jobvariables.h"

#include "variablearguments.h"
#include "variablecontext.h"
#include "variabletext.h"

#include "corelib/flow/flow.h"
#include "corelib/jobs/filemanager.h"
#include "corelib/jobs/ijt.h"
#include "corelib/metadata/metadatamanager.h"
#include "corelib/vocabulary/xmlkey.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QSysInfo>

#include <cmath>
#include <optional>

namespace SRCore {

namespace {

using Kind = VariableProblem::Kind;

// One evaluation of one variable, with what its computations share.
struct Request
{
    const VariableTextPart &part;
    const VariableContext &context;
};

VariableValue failed(const QString &reason)
{
    return VariableValue::failure(Kind::EvaluationFailed, reason);
}

VariableValue noJob()
{
    return failed(JobVariables::tr("There is no job to take the value from"));
}

// The job's file or folder on disk; null with `failure` filled when it is not there.
std::optional<QFileInfo> jobFile(const Request &request, VariableValue *failure)
{
    if (!request.context.ticket) {
        *failure = noJob();
        return std::nullopt;
    }
    const QString path = request.context.ticket->getActiveFilePath();
    QFileInfo info(path);
    if (path.isEmpty() || !info.exists()) {
        *failure =
            failed(JobVariables::tr("The job's file or folder '%1' does not exist").arg(path));
        return std::nullopt;
    }
    return info;
}

// Runs `compute` on the job's file, or passes on why there is none.
template<typename Compute>
VariableValue withJobFile(const Request &request, Compute compute)
{
    VariableValue failure;
    const std::optional<QFileInfo> info = jobFile(request, &failure);
    return info ? compute(*info) : failure;
}

template<typename Compute>
VariableValue withTicket(const Request &request, Compute compute)
{
    return request.context.ticket ? compute(*request.context.ticket) : noJob();
}

// The job name without its prefix, and where its extension starts (-1 without one). A folder
// has no extension; a name that starts with its only dot (".profile") has none either.
qsizetype extensionDot(const QString &name, const QString &path)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot > 0 && !QFileInfo(path).isDir() ? dot : -1;
}

VariableValue jobName(const Request &request, bool withExtension, bool extensionOnly)
{
    return withTicket(request, [=](const IJT &ticket) {
        const QString path = ticket.getActiveFilePath();
        const QString name = FileManager::fileNameWithoutPrefix(path);
        const qsizetype dot = extensionDot(name, path);
        if (extensionOnly) {
            return VariableValue::text(dot < 0 ? QString() : name.mid(dot + 1));
        }
        return VariableValue::text(withExtension || dot < 0 ? name : name.left(dot));
    });
}

// Size and count of the files of a job: the file itself, or every file inside the folder.
VariableValue fileTotals(const Request &request, bool size)
{
    return withJobFile(request, [size](const QFileInfo &info) {
        if (!info.isDir()) {
            return size ? VariableValue::integer(info.size()) : VariableValue::integer(1);
        }
        qint64 bytes = 0;
        qint64 files = 0;
        QDirIterator it(info.absoluteFilePath(), QDir::Files | QDir::Hidden | QDir::System,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            it.next();
            bytes += it.fileInfo().size();
            ++files;
        }
        return VariableValue::integer(size ? bytes : files);
    });
}

QStringList splitList(const QString &text, const QString &separators)
{
    QStringList items;
    QString item;
    const auto flush = [&] {
        const QString trimmed = item.trimmed();
        if (!trimmed.isEmpty()) {
            items.append(trimmed);
        }
        item.clear();
    };
    for (const QChar c : text) {
        if (separators.contains(c)) {
            flush();
        } else {
            item.append(c);
        }
    }
    flush();
    return items;
}

VariableValue emailAddresses(const Request &request)
{
    return withTicket(request, [](const IJT &ticket) {
        QStringList addresses;
        for (const IJT::EmailInfo &info : ticket.getEmailInfos()) {
            addresses += splitList(info.addresses, QStringLiteral(";,"));
        }
        return VariableValue::list(addresses, QStringLiteral(";"));
    });
}

VariableValue emailBody(const Request &request)
{
    return withTicket(request, [](const IJT &ticket) {
        QStringList bodies;
        for (const IJT::EmailInfo &info : ticket.getEmailInfos()) {
            if (!info.body.isEmpty()) {
                bodies.append(info.body);
            }
        }
        return VariableValue::text(bodies.join(QLatin1Char('\n')));
    });
}

VariableValue privateData(const Request &request)
{
    const QString key = request.part.argument(VariableArgumentName::KEY);
    return withTicket(request, [&key](const IJT &ticket) {
        return ticket.hasPrivateData(key)
                   ? VariableValue::text(ticket.getPrivateData(key))
                   : failed(
                       JobVariables::tr("The job has no private data with the key '%1'").arg(key));
    });
}

QString elementId(const VariableContext &context)
{
    // A location "1-/-Script Element" names the element by its id before the marker.
    const qsizetype marker = context.elementId.indexOf(QStringLiteral("-/-"));
    return marker < 0 ? context.elementId : context.elementId.left(marker);
}

VariableValue flowName(const Request &request)
{
    if (request.context.flow) {
        return VariableValue::text(request.context.flow->getFlowName());
    }
    if (request.context.ticket) {
        return VariableValue::text(request.context.ticket->getFlowName());
    }
    return failed(JobVariables::tr("There is no flow to take the name from"));
}

VariableValue elementName(const Request &request)
{
    const QString id = elementId(request.context);
    const FlowObject element =
        request.context.flow ? request.context.flow->getFlowObject(id) : FlowObject();
    if (element.isNull()) {
        return failed(JobVariables::tr("The flow has no element with the id '%1'").arg(id));
    }
    return VariableValue::text(element.getName());
}

// The connection that brought the job to the element: from the folder where the ticket says the
// job was last detected, to the evaluating element.
VariableValue connectionName(const Request &request)
{
    const VariableContext &context = request.context;
    if (!context.ticket) {
        return noJob();
    }
    const QList<IJT::Occurrence> occurrences = context.ticket->getOccurrences();
    const QString source = occurrences.isEmpty() ? QString() : occurrences.constLast().objectId;
    const QString destination = elementId(context);
    if (context.flow && !source.isEmpty()) {
        for (const FlowObject &object : context.flow->getFlowObjects()) {
            if (object.getField(XMLKey::SOURCEOBJECT).getValue() == source
                && object.getField(XMLKey::DESTOBJECT).getValue() == destination) {
                return VariableValue::text(object.getName());
            }
        }
    }
    return failed(JobVariables::tr("No connection of the flow leads from where the job was "
                                   "detected to the element '%1'")
                      .arg(destination));
}

VariableValue fileFormat(const Request &request)
{
    return withJobFile(request, [](const QFileInfo &info) {
        if (info.isDir()) {
            return failed(JobVariables::tr("The job is a folder; only files have a file format"));
        }
        const QMimeType type = QMimeDatabase().mimeTypeForFile(info, QMimeDatabase::MatchContent);
        // The names a printer or a prepress operator uses for the common formats.
        static const QList<QPair<QString, QString>> names{
            {QStringLiteral("application/pdf"), QStringLiteral("PDF")},
            {QStringLiteral("image/jpeg"), QStringLiteral("JPEG")},
            {QStringLiteral("image/tiff"), QStringLiteral("TIFF")},
            {QStringLiteral("image/png"), QStringLiteral("PNG")},
            {QStringLiteral("application/postscript"), QStringLiteral("PostScript")},
            {QStringLiteral("image/x-eps"), QStringLiteral("EPS")},
            {QStringLiteral("application/xml"), QStringLiteral("XML")},
            {QStringLiteral("application/zip"), QStringLiteral("ZIP")},
            {QStringLiteral("text/plain"), QStringLiteral("Text")},
        };
        for (const auto &[mime, name] : names) {
            if (type.inherits(mime)) {
                return VariableValue::text(name);
            }
        }
        return failed(JobVariables::tr("The format of '%1' is not one that can be told from "
                                       "its content")
                          .arg(info.fileName()));
    });
}

// The metadata variables: an XPath on one of the job's datasets, read as the variable's type.
VariableValue metadata(const Request &request, Variable::DataType type, bool list)
{
    if (!request.context.ticket) {
        return noJob();
    }
    const QString dataset = request.part.argument(VariableArgumentName::DATASET);
    const QString path = request.part.argument(VariableArgumentName::PATH);
    const QString prefixes = request.part.argument(VariableArgumentName::PREFIXES);
    QString error;
    const std::unique_ptr<Metadata> data =
        MetadataManager::instance()->openDataset(*request.context.ticket, dataset, &error);
    if (!data) {
        return failed(error);
    }
    if (list) {
        const XPathResult<QStringList> strings = data->evalToStrings(path, prefixes);
        return strings.ok() ? VariableValue::list(strings.value, QStringLiteral(", "))
                            : failed(strings.errorMessage);
    }
    if (type == Variable::DataType::Boolean) {
        const XPathResult<bool> truth = data->evalToBoolean(path, prefixes);
        return truth.ok() ? VariableValue::boolean(truth.value) : failed(truth.errorMessage);
    }
    if (type == Variable::DataType::Integer || type == Variable::DataType::Rational) {
        const XPathResult<double> number = data->evalToNumber(path, prefixes);
        if (!number.ok()) {
            return failed(number.errorMessage);
        }
        if (!std::isfinite(number.value)) {
            return failed(JobVariables::tr("The XPath '%1' gives no number").arg(path));
        }
        if (type == Variable::DataType::Rational) {
            return VariableValue::rational(number.value);
        }
        if (number.value != std::trunc(number.value) || std::abs(number.value) > 9.0e15) {
            return failed(JobVariables::tr("The XPath '%1' gives %2, not a whole number")
                              .arg(path)
                              .arg(number.value));
        }
        return VariableValue::integer(qint64(number.value));
    }
    const XPathResult<QString> text = data->evalToString(path, prefixes);
    if (!text.ok()) {
        return failed(text.errorMessage);
    }
    if (type == Variable::DataType::Date) {
        const QDateTime date = VariableValue::parseDate(text.value);
        return date.isValid() ? VariableValue::date(date)
                              : failed(JobVariables::tr("The XPath '%1' gives '%2', which is "
                                                        "not a date such as 2024-05-06T14:30")
                                           .arg(path, text.value));
    }
    return VariableValue::text(text.value);
}

using Compute = VariableValue (*)(const Request &);

struct Source
{
    const char *name;
    Compute compute;
    JobVariables::ArgumentFlags arguments = JobVariables::NoArguments;
};

const QList<Source> &sources()
{
    using T = Variable::DataType;
    static const QList<Source> table{
        {"Job.Name",
         [](const Request &r) {
             return jobName(r, true, false);
         }},
        {"Job.NameProper",
         [](const Request &r) {
             return jobName(r, false, false);
         }},
        {"Job.Extension",
         [](const Request &r) {
             return jobName(r, false, true);
         }},
        {"Job.Path",
         [](const Request &r) {
             return withTicket(
                 r, [](const IJT &t) { return VariableValue::text(t.getActiveFilePath()); });
         }},
        {"Job.Size",
         [](const Request &r) {
             return fileTotals(r, true);
         }},
        {"Job.FileCount",
         [](const Request &r) {
             return fileTotals(r, false);
         }},
        {"Job.IsFile",
         [](const Request &r) {
             return withJobFile(
                 r, [](const QFileInfo &i) { return VariableValue::boolean(!i.isDir()); });
         }},
        {"Job.IsFolder",
         [](const Request &r) {
             return withJobFile(
                 r, [](const QFileInfo &i) { return VariableValue::boolean(i.isDir()); });
         }},
        {"Job.CreationDate",
         [](const Request &r) {
             return withJobFile(r, [](const QFileInfo &i) {
                 const QDateTime born = i.birthTime();
                 return born.isValid()
                            ? VariableValue::date(born)
                            : VariableValue::failure(
                                Kind::Unavailable,
                                JobVariables::tr("The file system of '%1' does not record "
                                                 "when files are created")
                                    .arg(i.absoluteFilePath()));
             });
         }},
        {"Job.ModificationDate",
         [](const Request &r) {
             return withJobFile(
                 r, [](const QFileInfo &i) { return VariableValue::date(i.lastModified()); });
         }},
        {"Job.Hierarchy",
         [](const Request &r) {
             return withTicket(r, [](const IJT &t) {
                 return VariableValue::list(splitList(t.getLocationPath(), QStringLiteral("/\n")),
                                            QStringLiteral("/"));
             });
         },
         JobVariables::ListArguments},
        {"Job.EmailAddress", emailAddresses, JobVariables::ListArguments},
        {"Job.EmailBody", emailBody},
        {"Job.PrivateData", privateData, JobVariables::KeyArgument},
        {"Job.FamilyId",
         [](const Request &r) {
             return withTicket(r,
                               [](const IJT &t) { return VariableValue::text(t.getFamilyID()); });
         }},
        {"Job.Prefix",
         [](const Request &r) {
             return withTicket(r, [](const IJT &t) {
                 return VariableValue::text(FileManager::getPrefix(t.getActiveFilePath()));
             });
         }},
        {"Job.State",
         [](const Request &r) {
             return withTicket(r,
                               [](const IJT &t) { return VariableValue::text(t.getJobState()); });
         }},
        {"Job.ArrivalStamp",
         [](const Request &r) {
             return withTicket(
                 r, [](const IJT &t) { return VariableValue::integer(t.getArrivalStamp()); });
         }},
        {"Server.Date",
         [](const Request &r) {
             return VariableValue::date(r.context.now);
         }},
        {"Server.Time",
         [](const Request &r) {
             return VariableValue::text(r.context.now.toString(QStringLiteral("hh:mm:ss")));
         }},
        {"Server.FlowName", flowName},
        {"Server.ElementName", elementName},
        {"Server.ServerName",
         [](const Request &) {
             return VariableValue::text(QSysInfo::machineHostName());
         }},
        {"Connection.Name", connectionName},
        {"Stats.FileFormat", fileFormat},
        {"Metadata.Text", [](const Request &r) { return metadata(r, T::Text, false); },
         JobVariables::MetadataArguments},
        {"Metadata.TextList", [](const Request &r) { return metadata(r, T::Text, true); },
         JobVariables::MetadataArguments | JobVariables::ListArguments},
        {"Metadata.Integer", [](const Request &r) { return metadata(r, T::Integer, false); },
         JobVariables::MetadataArguments},
        {"Metadata.Rational", [](const Request &r) { return metadata(r, T::Rational, false); },
         JobVariables::MetadataArguments},
        {"Metadata.Boolean", [](const Request &r) { return metadata(r, T::Boolean, false); },
         JobVariables::MetadataArguments},
        {"Metadata.Date", [](const Request &r) { return metadata(r, T::Date, false); },
         JobVariables::MetadataArguments},
    };
    return table;
}

const Source *findSource(const QString &fullName)
{
    for (const Source &source : sources()) {
        if (fullName == QLatin1String(source.name)) {
            return &source;
        }
    }
    return nullptr;
}

} // namespace

JobVariables::ArgumentFlags JobVariables::argumentsOf(const QString &fullName)
{
    const Source *source = findSource(fullName);
    return source ? source->arguments : NoArguments;
}

QString JobVariables::unavailableReason(const QString &fullName)
{
    if (findSource(fullName)) {
        return QString();
    }
    if (fullName == QLatin1String("Job.Priority")) {
        return tr("The server assigns job priorities while it runs a flow; a test job has none");
    }
    if (fullName.startsWith(QLatin1String("Stats."))) {
        return tr("%1 needs the server's analysis of documents and images, which this program "
                  "does not have")
            .arg(fullName);
    }
    if (fullName.startsWith(QLatin1String("Mail."))) {
        return tr("%1 belongs to jobs that the server receives by e-mail; a test job has no "
                  "mail message")
            .arg(fullName);
    }
    return tr("This program does not compute %1").arg(fullName);
}

VariableValue JobVariables::value(const VariableTextPart &part, const VariableContext &context)
{
    Q_ASSERT(context.now.isValid());
    const Source *source = findSource(part.fullName());
    if (!source) {
        return VariableValue::failure(Kind::Unavailable, unavailableReason(part.fullName()));
    }
    return source->compute(Request{part, context});
}

} // namespace SRCore
