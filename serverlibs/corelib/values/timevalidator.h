#pragma once

#include <QValidator>

namespace SRCore {

// Validates a time of day as "hh:mm", 00:00 to 23:59. The empty text and the bare ":" that a
// line edit with the input mask "99:99" reports when nothing is entered are Acceptable, as
// they stand for "no time". Blanks of the input mask arrive as spaces and mark digits still
// to be typed: "1 :  " and "12:3 " are Intermediate, "24:00" and "12:60" Invalid.
class TimeValidator : public QValidator
{
    Q_OBJECT

public:
    explicit TimeValidator(QObject *parent = nullptr);

    State validate(QString &input, int &position) const override;
};

} // namespace SRCore
