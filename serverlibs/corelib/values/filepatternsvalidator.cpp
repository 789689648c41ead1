#include "filepatternsvalidator.h"

#include "corelib/common/validation.h"

namespace SRCore {

FilePatternsValidator::FilePatternsValidator(QObject *parent)
    : QValidator(parent)
{}

QValidator::State FilePatternsValidator::validate(QString &input, int &) const
{
    bool hasPattern = false;
    for (QStringView line : QStringView(input).split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r'))) {
            line.chop(1);
        }
        if (line.trimmed().isEmpty()) {
            continue;
        }
        if (!Validation::isValidWildcard(line.toString())) {
            return Invalid;
        }
        hasPattern = true;
    }
    return hasPattern ? Acceptable : Intermediate;
}

} // namespace SRCore
