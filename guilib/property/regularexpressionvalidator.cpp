#include "regularexpressionvalidator.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace GuiLib {

RegularExpressionValidator::RegularExpressionValidator(QObject *parent)
    : QValidator(parent)
{}

QValidator::State RegularExpressionValidator::validate(QString &input, int &) const
{
    if (input.isEmpty()) {
        return Intermediate;
    }
    return problem(input).isEmpty() ? Acceptable : Invalid;
}

QString RegularExpressionValidator::problem(const QString &text)
{
    if (text.isEmpty()) {
        return tr("enter a regular expression");
    }
    if (text.contains(QLatin1Char('\n'))) {
        return tr("a regular expression is one line");
    }
    const QRegularExpression expression(text);
    if (!expression.isValid()) {
        return tr("%1 at position %2")
            .arg(expression.errorString())
            .arg(expression.patternErrorOffset() + 1);
    }
    return {};
}

} // namespace GuiLib
