#pragma once

#include <QValidator>

namespace SRCore {

// Validates a list of e-mail addresses ("name@example.com") separated by `separator`, with
// optional white space around each address. The empty list is Acceptable. While an address is
// still being typed ("name", "name@", "name@example", "name@example.") the text is
// Intermediate, and so is an empty entry between two separators; a character that no address
// may hold, a second "@", ".." or a label starting with "-" is Invalid. Letters and digits
// beyond ASCII are allowed (internationalised addresses). An empty separator means a single
// address.
class EmailsValidator : public QValidator
{
    Q_OBJECT

public:
    explicit EmailsValidator(const QString &separator, QObject *parent = nullptr);

    QString separator() const { return m_separator; }

    State validate(QString &input, int &position) const override;

    // The state of one address without surrounding white space.
    static State validateAddress(QStringView address);

private:
    QString m_separator;
};

} // namespace SRCore
