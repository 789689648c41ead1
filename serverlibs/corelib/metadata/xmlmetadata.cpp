#include "xmlmetadata.h"

#include "corelib/vocabulary/xmlvalues.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

#include <algorithm>
#include <limits>
#include <mutex>

namespace SRCore {

namespace {

// libxml2 sets up its global tables here; it must happen once before threads use the library.
void initializeLibxml()
{
    static std::once_flag once;
    std::call_once(once, [] { xmlInitParser(); });
}

QString fromXmlChar(const xmlChar *text)
{
    return text ? QString::fromUtf8(reinterpret_cast<const char *>(text)) : QString();
}

// Takes a string that libxml2 allocated for us.
QString takeXmlChar(xmlChar *text)
{
    const QString result = fromXmlChar(text);
    xmlFree(text);
    return result;
}

QString errorMessageOf(const xmlError *error)
{
    return error && error->message ? QString::fromUtf8(error->message).trimmed() : QString();
}

// Keeps XPath errors off stderr; the context's lastError holds them for us.
void ignoreXPathError(void *, xmlErrorPtr)
{}

void ignoreGenericError(void *, const char *, ...)
{}

// Some evaluation errors (an unknown function) also go to libxml2's generic error handler,
// which prints them. The handler belongs to the calling thread; it is restored afterwards.
class QuietGenericErrors
{
public:
    QuietGenericErrors()
        : m_handler(xmlGenericError)
        , m_context(xmlGenericErrorContext)
    {
        xmlSetGenericErrorFunc(nullptr, &ignoreGenericError);
    }
    ~QuietGenericErrors() { xmlSetGenericErrorFunc(m_context, m_handler); }

    QuietGenericErrors(const QuietGenericErrors &) = delete;
    QuietGenericErrors &operator=(const QuietGenericErrors &) = delete;

private:
    xmlGenericErrorFunc m_handler;
    void *m_context;
};

struct ParserContextDeleter
{
    void operator()(xmlParserCtxt *context) const { xmlFreeParserCtxt(context); }
};

struct XPathContextDeleter
{
    void operator()(xmlXPathContext *context) const { xmlXPathFreeContext(context); }
};

struct CompiledXPathDeleter
{
    void operator()(xmlXPathCompExpr *expression) const { xmlXPathFreeCompExpr(expression); }
};

struct XPathObjectDeleter
{
    void operator()(xmlXPathObject *object) const { xmlXPathFreeObject(object); }
};

using XPathContextPointer = std::unique_ptr<xmlXPathContext, XPathContextDeleter>;

XPathContextPointer newXPathContext(xmlDoc *document)
{
    XPathContextPointer context(xmlXPathNewContext(document));
    if (context) {
        context->error = &ignoreXPathError;
    }
    return context;
}

// The reason why `xpath` failed in `context`, with the position that libxml2 reports.
// libxml2 records XPath errors by code only; these say what the user got wrong.
QString xpathReason(int code)
{
    switch (code) {
    case XML_XPATH_NUMBER_ERROR:
        return XMLMetadata::tr("a number is malformed");
    case XML_XPATH_UNFINISHED_LITERAL_ERROR:
        return XMLMetadata::tr("a quoted text is not closed");
    case XML_XPATH_START_LITERAL_ERROR:
        return XMLMetadata::tr("a quoted text was expected");
    case XML_XPATH_VARIABLE_REF_ERROR:
    case XML_XPATH_UNDEF_VARIABLE_ERROR:
        return XMLMetadata::tr("it refers to a variable ($name), which queries can't have");
    case XML_XPATH_INVALID_PREDICATE_ERROR:
        return XMLMetadata::tr("a predicate [...] is malformed");
    case XML_XPATH_EXPR_ERROR:
        return XMLMetadata::tr("the expression is malformed");
    case XML_XPATH_UNCLOSED_ERROR:
        return XMLMetadata::tr("a bracket or parenthesis is not closed");
    case XML_XPATH_UNKNOWN_FUNC_ERROR:
        return XMLMetadata::tr("it calls a function that XPath 1.0 does not have");
    case XML_XPATH_INVALID_OPERAND:
    case XML_XPATH_INVALID_TYPE:
        return XMLMetadata::tr("a value is of the wrong type for its operator or function");
    case XML_XPATH_INVALID_ARITY:
        return XMLMetadata::tr("a function is given the wrong number of arguments");
    case XML_XPATH_UNDEF_PREFIX_ERROR:
        return XMLMetadata::tr("it uses a namespace prefix that is not declared; declare it "
                               "with the prefixes");
    case XML_XPATH_INVALID_CHAR_ERROR:
    case XML_XPATH_ENCODING_ERROR:
        return XMLMetadata::tr("it holds a character that XPath does not allow");
    case XML_XPATH_MEMORY_ERROR:
        return XMLMetadata::tr("there is not enough memory");
    default:
        return XMLMetadata::tr("libxml2 error %1").arg(code);
    }
}

// The reason why `xpath` failed in `context`, with the position that libxml2 reports.
QString xpathError(const xmlXPathContext &context, const QString &xpath)
{
    const xmlError &error = context.lastError;
    const QString reason = xpathReason(error.code);
    if (error.str1 && error.int1 >= 0) {
        return XMLMetadata::tr("The XPath '%1' is not valid at character %2: %3")
            .arg(xpath)
            .arg(error.int1 + 1)
            .arg(reason);
    }
    return XMLMetadata::tr("The XPath '%1' is not valid: %2").arg(xpath, reason);
}

XMLMetadata::NamespaceList declaredNamespaces(xmlNode *root)
{
    XMLMetadata::NamespaceList namespaces;
    QList<xmlNode *> pending{root};
    while (!pending.isEmpty()) {
        xmlNode *node = pending.takeLast();
        for (xmlNs *ns = node->nsDef; ns; ns = ns->next) {
            const QString prefix = fromXmlChar(ns->prefix);
            const bool known = std::any_of(namespaces.cbegin(), namespaces.cend(),
                                           [&prefix](const auto &p) { return p.first == prefix; });
            if (!prefix.isEmpty() && !known) {
                namespaces.append({prefix, fromXmlChar(ns->href)});
            }
        }
        // Children in reverse, so that the document order decides which declaration wins.
        for (xmlNode *child = xmlGetLastChild(node); child; child = child->prev) {
            if (child->type == XML_ELEMENT_NODE) {
                pending.append(child);
            }
        }
    }
    return namespaces;
}

} // namespace

// One evaluated XPath: owns the context, the compiled expression and the result.
class XMLMetadata::Query
{
public:
    XPathContextPointer context;
    std::unique_ptr<xmlXPathCompExpr, CompiledXPathDeleter> expression;
    std::unique_ptr<xmlXPathObject, XPathObjectDeleter> result;
    QString errorMessage;
};

void XMLMetadata::DocumentDeleter::operator()(_xmlDoc *document) const
{
    xmlFreeDoc(document);
}

XMLMetadata::XMLMetadata()
{
    initializeLibxml();
}

XMLMetadata::~XMLMetadata() = default;

QString XMLMetadata::getModel() const
{
    return XMLValues::MODEL_XML;
}

bool XMLMetadata::loadFromFile(const QString &path, QString *errorMessage)
{
    const auto fail = [errorMessage](const QString &message) {
        if (errorMessage) {
            *errorMessage = message;
        }
        return false;
    };
    QString problem = backingFileProblem(path);
    if (!problem.isEmpty()) {
        return fail(problem);
    }
    QFile file(path);
    // libxml2 takes the size of a document in memory as an int.
    if (file.size() > std::numeric_limits<int>::max()) {
        return fail(tr("The metadata backing file '%1' is larger than 2 GB").arg(path));
    }
    if (!file.open(QIODevice::ReadOnly)) {
        return fail(
            tr("Can't read the metadata backing file '%1': %2").arg(path, file.errorString()));
    }
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return fail(
            tr("Can't read the metadata backing file '%1': %2").arg(path, file.errorString()));
    }

    // No network, no external entities or DTDs: a dataset is data, never a fetch.
    const int options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
    std::unique_ptr<xmlParserCtxt, ParserContextDeleter> parser(xmlNewParserCtxt());
    if (!parser) {
        return fail(tr("Can't read the metadata backing file '%1': out of memory").arg(path));
    }
    const QByteArray url = QFileInfo(path).absoluteFilePath().toUtf8();
    std::unique_ptr<_xmlDoc, DocumentDeleter> document(xmlCtxtReadMemory(
        parser.get(), data.constData(), int(data.size()), url.constData(), nullptr, options));
    if (!document) {
        const xmlError *error = xmlCtxtGetLastError(parser.get());
        return fail(tr("'%1' is not an XML file: line %2: %3")
                        .arg(path)
                        .arg(error ? error->line : 0)
                        .arg(errorMessageOf(error)));
    }
    xmlNode *root = xmlDocGetRootElement(document.get());
    problem = checkDocumentKind(root->ns ? fromXmlChar(root->ns->href) : QString(),
                                fromXmlChar(root->name));
    if (!problem.isEmpty()) {
        return fail(tr("'%1' holds XML, but it is not %2: %3").arg(path, getModel(), problem));
    }
    m_documentNamespaces = declaredNamespaces(root);
    m_document = std::move(document);
    setPath(QFileInfo(path).absoluteFilePath());
    return true;
}

XMLMetadata::NamespaceList XMLMetadata::namespaces() const
{
    NamespaceList all = predefinedNamespaces();
    for (const auto &declared : m_documentNamespaces) {
        const auto same = std::find_if(all.begin(), all.end(), [&declared](const auto &p) {
            return p.first == declared.first;
        });
        if (same == all.end()) {
            all.append(declared);
        } else {
            *same = declared;
        }
    }
    return all;
}

XMLMetadata::NamespaceList XMLMetadata::predefinedNamespaces() const
{
    return {};
}

QString XMLMetadata::checkDocumentKind(const QString &, const QString &) const
{
    return QString();
}

void XMLMetadata::evaluate(Query &query, const QString &xpath, const QString &prefixes) const
{
    if (!m_document) {
        query.errorMessage = tr("No metadata backing file has been loaded");
        return;
    }
    NamespaceList callerNamespaces;
    if (!parsePrefixes(prefixes, &callerNamespaces, &query.errorMessage)) {
        return;
    }
    query.context = newXPathContext(m_document.get());
    if (!query.context) {
        query.errorMessage = tr("Can't evaluate the XPath '%1': out of memory").arg(xpath);
        return;
    }
    // Registering again replaces: the document's prefixes, then the caller's, win.
    for (const NamespaceList &list : {namespaces(), callerNamespaces}) {
        for (const auto &[prefix, uri] : list) {
            xmlXPathRegisterNs(query.context.get(),
                               reinterpret_cast<const xmlChar *>(prefix.toUtf8().constData()),
                               reinterpret_cast<const xmlChar *>(uri.toUtf8().constData()));
        }
    }
    const QByteArray expression = xpath.toUtf8();
    const QuietGenericErrors quiet;
    query.expression.reset(xmlXPathCtxtCompile(
        query.context.get(), reinterpret_cast<const xmlChar *>(expression.constData())));
    if (query.expression) {
        query.result.reset(xmlXPathCompiledEval(query.expression.get(), query.context.get()));
    }
    if (!query.result) {
        query.errorMessage = xpathError(*query.context, xpath);
    }
}

XPathResult<QString> XMLMetadata::evalToString(const QString &xpath, const QString &prefixes) const
{
    Query query;
    evaluate(query, xpath, prefixes);
    if (!query.result) {
        return {QString(), query.errorMessage};
    }
    return {takeXmlChar(xmlXPathCastToString(query.result.get())), QString()};
}

XPathResult<double> XMLMetadata::evalToNumber(const QString &xpath, const QString &prefixes) const
{
    Query query;
    evaluate(query, xpath, prefixes);
    if (!query.result) {
        return {0.0, query.errorMessage};
    }
    return {xmlXPathCastToNumber(query.result.get()), QString()};
}

XPathResult<bool> XMLMetadata::evalToBoolean(const QString &xpath, const QString &prefixes) const
{
    Query query;
    evaluate(query, xpath, prefixes);
    if (!query.result) {
        return {false, query.errorMessage};
    }
    return {xmlXPathCastToBoolean(query.result.get()) != 0, QString()};
}

XPathResult<QStringList> XMLMetadata::evalToStrings(const QString &xpath,
                                                    const QString &prefixes) const
{
    Query query;
    evaluate(query, xpath, prefixes);
    if (!query.result) {
        return {QStringList(), query.errorMessage};
    }
    QStringList strings;
    const xmlXPathObject &result = *query.result;
    if (result.type != XPATH_NODESET) {
        strings.append(takeXmlChar(xmlXPathCastToString(query.result.get())));
    } else if (result.nodesetval) {
        for (int i = 0; i < result.nodesetval->nodeNr; ++i) {
            strings.append(takeXmlChar(xmlXPathCastNodeToString(result.nodesetval->nodeTab[i])));
        }
    }
    return {strings, QString()};
}

bool XMLMetadata::checkXPath(const QString &xpath, QString *errorMessage)
{
    initializeLibxml();
    const XPathContextPointer context = newXPathContext(nullptr);
    const QByteArray expression = xpath.toUtf8();
    const QuietGenericErrors quiet;
    std::unique_ptr<xmlXPathCompExpr, CompiledXPathDeleter> compiled(xmlXPathCtxtCompile(
        context.get(), reinterpret_cast<const xmlChar *>(expression.constData())));
    if (compiled) {
        return true;
    }
    if (errorMessage) {
        *errorMessage = xpathError(*context, xpath);
    }
    return false;
}

bool XMLMetadata::parsePrefixes(const QString &text, NamespaceList *namespaces,
                                QString *errorMessage)
{
    static const QRegularExpression declaration(QStringLiteral(
        R"re(\G\s*xmlns:([A-Za-z_][A-Za-z0-9_.-]*)\s*=\s*(?:"([^"]*)"|'([^']*)'))re"));
    NamespaceList parsed;
    qsizetype position = 0;
    const auto fail = [&](const QString &message) {
        if (errorMessage) {
            *errorMessage = message;
        }
        return false;
    };
    while (!QStringView(text).mid(position).trimmed().isEmpty()) {
        const QRegularExpressionMatch match = declaration.match(text, position);
        if (!match.hasMatch()) {
            return fail(tr("The namespace prefixes '%1' can't be read at character %2: write "
                           "them as xmlns:prefix=\"URI\", separated by spaces")
                            .arg(text)
                            .arg(position + 1));
        }
        const QString uri = match.captured(2).isNull() ? match.captured(3) : match.captured(2);
        if (uri.trimmed().isEmpty()) {
            return fail(tr("The namespace prefix '%1' has no URI").arg(match.captured(1)));
        }
        parsed.append({match.captured(1), uri});
        position = match.capturedEnd();
    }
    *namespaces = parsed;
    return true;
}

} // namespace SRCore
