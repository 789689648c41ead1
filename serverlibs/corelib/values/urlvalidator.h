#pragma once

#include <QValidator>

namespace SRCore {

// Validates the address of a mail or FTP server: a host name ("smtp.example.com",
// "mailhost"), an IPv4 address, an IPv6 address (bare, or in brackets when a port follows),
// each with an optional ":port", or a URL with a scheme ("ftp://user@ftp.example.com:21/in").
// The empty text is Acceptable (no server). A text that could still become valid by typing on
// ("ftp:/", "host:", "10.0.0", "[fe80::") is Intermediate, as is one with surrounding white
// space, which fixup() removes. Host names take letters (also beyond ASCII), digits and "-",
// but not "_", which name resolution does not accept.
class URLValidator : public QValidator
{
    Q_OBJECT

public:
    explicit URLValidator(QObject *parent = nullptr);

    State validate(QString &input, int &position) const override;
    void fixup(QString &input) const override;
};

} // namespace SRCore
