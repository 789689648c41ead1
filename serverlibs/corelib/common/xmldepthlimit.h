#pragma once

#include "corelib/common/xmlerror.h"

#include <QCoreApplication>
#include <QString>

class QByteArray;
class QXmlStreamReader;

namespace SRCore {

// The deepest nesting of elements that the program reads from an XML file. The program's own
// documents nest a few levels; a document nested deeper is refused before anything is built
// from it, so that a small hostile file cannot make a reader take minutes or exhaust the stack.
// Every XML reader of the program applies it: the document parser (parseXmlDocument), the data
// file reader (XmlDataReader) and the flow document reader.
class XmlDepthLimit
{
    Q_DECLARE_TR_FUNCTIONS(SRCore::XmlDepthLimit)

public:
    static constexpr int MaxDepth = 256;

    XmlDepthLimit() = delete;

    // Reads the document through to its end or to its first element nested deeper than
    // MaxDepth. False, with the position of that element in `error`, only for the latter: a
    // document that is not well-formed is left for the reader that follows to report.
    static bool check(const QByteArray &data, XmlError *error = nullptr);
    static bool check(const QString &text, XmlError *error = nullptr);

    // The reason given for a document nested too deeply.
    static QString tooDeepMessage();

private:
    static bool check(QXmlStreamReader &reader, XmlError *error);
};

} // namespace SRCore
