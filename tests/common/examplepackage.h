#pragma once

// The bundled example package InvoiceRouter with its incoming job, copied for the tests and
// benchmarks that open or run it. Its includer defines TAVRIX_EXAMPLES_DIR, the examples folder.

#include "testfiles.h"

#include <QFileInfo>
#include <QString>

namespace ExamplePackage {

// Copies the example's folder into `folder`; the path of the copy's package file, empty when a
// file could not be copied or the package is missing.
inline QString copyInto(const QString &folder)
{
    const QString package = folder + QStringLiteral("/InvoiceRouter/InvoiceRouter.tscript");
    return TestFiles::copyFolder(QStringLiteral(TAVRIX_EXAMPLES_DIR "/InvoiceRouter"), folder)
                   && QFileInfo(package).isFile()
               ? package
               : QString();
}

} // namespace ExamplePackage
