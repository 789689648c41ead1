#pragma once

#include <QString>

class QDebug;

namespace SRCore {

// One record of a data-fields value (XMLValueProcessor). The meaning of the three strings
// depends on the editor that holds the list:
//   private data (EDITOR_USERDATAFIELDS)     first = tag,          second unused, third = value
//   metadata datasets (EDITOR_METADATAFIELDS) first = dataset name, second = data model ("XML",
//                                            "JDF", "XMP" or "Opaque"), third = backing file
//   global data (EDITOR_GLOBALDATAFIELDS)     first = tag,          second = scope, third = value
// The global data of a test run is set as (group = second, key = first, value = third).
struct UniversalData
{
    QString first;
    QString second;
    QString third;
};

bool operator==(const UniversalData &left, const UniversalData &right);
bool operator!=(const UniversalData &left, const UniversalData &right);
QDebug operator<<(QDebug debug, const UniversalData &data);

} // namespace SRCore
