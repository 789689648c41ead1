#pragma once

#include <QValidator>

namespace GuiLib {

// Validates the one regular expression of a "regexp" filter: Acceptable when it compiles,
// Intermediate while it is empty, Invalid when it does not compile or spans lines (a file name
// never holds a line break).
class RegularExpressionValidator : public QValidator
{
    Q_OBJECT

public:
    explicit RegularExpressionValidator(QObject *parent = nullptr);

    State validate(QString &input, int &position) const override;

    // Why `text` is not acceptable; empty when it is.
    static QString problem(const QString &text);
};

} // namespace GuiLib
