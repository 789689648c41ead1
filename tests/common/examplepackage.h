#pragma once

// The bundled example package InvoiceRouter with its incoming job, copied for the tests and
// benchmarks that open or run it. Its includer defines TAVRIX_EXAMPLES_DIR, the examples folder.

#include "testfiles.h"

#include <QString>

namespace ExamplePackage {

// Copies the package and its job into `folder`, as they lie in the examples folder; the path of
// the copy's package file, empty when a file could not be copied.
inline QString copyInto(const QString &folder)
{
    const QString examples = QStringLiteral(TAVRIX_EXAMPLES_DIR "/InvoiceRouter");
    for (const QString &file : {QStringLiteral("InvoiceRouter/InvoiceRouter.tscript"),
                                QStringLiteral("InvoiceRouter/manifest.xml"),
                                QStringLiteral("InvoiceRouter/InvoiceRouter.xml"),
                                QStringLiteral("InvoiceRouter/InvoiceRouter.js"),
                                QStringLiteral("InvoiceRouter/InvoiceRouter.vbs"),
                                QStringLiteral("InvoiceRouter/InvoiceRouter.tfixture"),
                                QStringLiteral("jobs/invoice-4711.xml")}) {
        const QString source = examples + QLatin1Char('/') + file;
        if (!QFileInfo(source).isFile()
            || !TestFiles::writeFile(folder + QLatin1Char('/') + file,
                                     TestFiles::readFile(source))) {
            return QString();
        }
    }
    return folder + QStringLiteral("/InvoiceRouter/InvoiceRouter.tscript");
}

} // namespace ExamplePackage
