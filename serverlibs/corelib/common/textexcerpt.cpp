#include "textexcerpt.h"

namespace SRCore {

QString TextExcerpt::of(QStringView text)
{
    if (text.size() <= MaxLength) {
        return text.toString();
    }
    qsizetype kept = MaxLength - 1;
    if (text.at(kept - 1).isHighSurrogate()) {
        --kept;
    }
    return text.left(kept).toString() + QChar(0x2026);
}

} // namespace SRCore
