#pragma once

#include "xpathresult.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

namespace SRCore {

// A metadata dataset of a job: a model (XMLValues::MODEL_XML, MODEL_JDF, MODEL_XMP,
// MODEL_OPAQUE) and the backing file that holds its data. XML-based models answer XPath
// queries (XMLMetadata); an Opaque dataset has a path only, and its queries fail with a reason.
//
// Queries take namespace prefixes as text in the form of XML declarations,
// `xmlns:dc="http://purl.org/dc/elements/1.1/" xmlns:x='urn:x'`. They add to the prefixes that
// the model predefines and that the document declares; a prefix given by the caller wins.
//
// Not copyable. One object may be used by one thread at a time; separate objects, also of the
// same file, may be used on separate threads.
class Metadata
{
    Q_DECLARE_TR_FUNCTIONS(SRCore::Metadata)

public:
    virtual ~Metadata();

    Metadata(const Metadata &) = delete;
    Metadata &operator=(const Metadata &) = delete;

    virtual QString getModel() const = 0;
    // The absolute path of the backing file; empty before loadFromFile() succeeded.
    QString getPath() const { return m_path; }

    // Reads the backing file. False, with the reason (naming the file and, for XML, the line
    // and the cause), when it is missing, a folder, unreadable, not XML or not of the model's
    // kind; the object is then unchanged.
    virtual bool loadFromFile(const QString &path, QString *errorMessage = nullptr) = 0;

    // XPath 1.0 on the document. A node set gives the string value of its first node (empty
    // for an empty set); numbers are written as XPath writes them; booleans "true"/"false".
    virtual XPathResult<QString> evalToString(const QString &xpath,
                                              const QString &prefixes = QString()) const;
    // number(): NaN for a text that is not a number (not an error).
    virtual XPathResult<double> evalToNumber(const QString &xpath,
                                             const QString &prefixes = QString()) const;
    // boolean(): a node set is true when it is not empty.
    virtual XPathResult<bool> evalToBoolean(const QString &xpath,
                                            const QString &prefixes = QString()) const;
    // The string value of each node of a node set in document order; another result gives one
    // string.
    virtual XPathResult<QStringList> evalToStrings(const QString &xpath,
                                                   const QString &prefixes = QString()) const;

protected:
    Metadata() = default;
    void setPath(const QString &path) { m_path = path; }
    // The reason given by the queries of a model without XML.
    QString notQueryableMessage() const;
    // Why `path` cannot back a dataset (missing, a folder); empty when it is a file.
    static QString backingFileProblem(const QString &path);

private:
    QString m_path;
};

} // namespace SRCore
