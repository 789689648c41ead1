#pragma once

#include <QValidator>

namespace SRCore {

// Validates a multi-line text holding one file-name pattern per line (Validation::
// wildcardExpression gives the syntax). Lines that are empty or white space only are skipped;
// a text without any pattern is Intermediate. A line with "/" or "\\", an unclosed "[" or an
// impossible character class makes the whole text Invalid. The text is validated as a whole,
// as the pattern dialog does, not key by key.
class FilePatternsValidator : public QValidator
{
    Q_OBJECT

public:
    explicit FilePatternsValidator(QObject *parent = nullptr);

    State validate(QString &input, int &position) const override;
};

} // namespace SRCore
