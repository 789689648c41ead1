#pragma once

#include "metadata.h"

#include <QList>
#include <QPair>

#include <memory>

struct _xmlDoc;

namespace SRCore {

// A dataset of the XML model: any well-formed XML document, queried with libxml2's XPath. The
// document is read without network access and without expanding external entities.
class XMLMetadata : public Metadata
{
    Q_DECLARE_TR_FUNCTIONS(SRCore::XMLMetadata)

public:
    using NamespaceList = QList<QPair<QString, QString>>; // prefix, URI

    XMLMetadata();
    ~XMLMetadata() override;

    QString getModel() const override;
    bool loadFromFile(const QString &path, QString *errorMessage = nullptr) override;

    XPathResult<QString> evalToString(const QString &xpath,
                                      const QString &prefixes = QString()) const override;
    XPathResult<double> evalToNumber(const QString &xpath,
                                     const QString &prefixes = QString()) const override;
    XPathResult<bool> evalToBoolean(const QString &xpath,
                                    const QString &prefixes = QString()) const override;
    XPathResult<QStringList> evalToStrings(const QString &xpath,
                                           const QString &prefixes = QString()) const override;

    // The prefixes of every namespace declared in the document, the first declaration of a
    // prefix winning, after the model's predefined ones. A default namespace (xmlns="...") has
    // no prefix in XPath 1.0 and is not among them.
    NamespaceList namespaces() const;

    // False, with libxml2's reason, when `xpath` does not compile. Needs no document, so texts
    // with variables can be checked before any job exists.
    static bool checkXPath(const QString &xpath, QString *errorMessage = nullptr);
    // Reads prefixes in the form `xmlns:p="uri" xmlns:q='uri'`. False, with the reason, for
    // anything else (a missing quote, a bad prefix, an empty URI).
    static bool parsePrefixes(const QString &text, NamespaceList *namespaces,
                              QString *errorMessage = nullptr);

protected:
    // The prefixes that the model binds before the document's own ones.
    virtual NamespaceList predefinedNamespaces() const;
    // An empty text when the parsed document is of the model's kind, else why it is not
    // (JDF and XMP look at the root element).
    virtual QString checkDocumentKind(const QString &rootNamespace, const QString &rootName) const;

private:
    struct DocumentDeleter
    {
        void operator()(_xmlDoc *document) const;
    };
    class Query;

    // Fills `query` with the result of `xpath`, or its error.
    void evaluate(Query &query, const QString &xpath, const QString &prefixes) const;

    std::unique_ptr<_xmlDoc, DocumentDeleter> m_document;
    NamespaceList m_documentNamespaces; // declared in the document, read once at loading
};

} // namespace SRCore
