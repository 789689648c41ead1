#pragma once

#include <QValidator>

namespace ScriptingGui {

// Validates the syntax of a JavaScript expression or program: Acceptable when it is blank or
// compiles, else Invalid (never Intermediate). Nothing of the text runs. Also usable on a line
// edit.
class ScriptValidator : public QValidator
{
    Q_OBJECT

public:
    // Where and why a text does not compile; line 0 when it does.
    struct SyntaxError
    {
        int line = 0;
        int column = 0;
        QString message;
    };

    explicit ScriptValidator(QObject *parent = nullptr);

    State validate(QString &input, int &position) const override;

    static SyntaxError check(const QString &text);
};

} // namespace ScriptingGui
