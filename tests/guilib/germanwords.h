#pragma once

// A translator that translates one type word and one module name of the message log as a
// German translation of the program would, for the tests of translated log texts.

#include <QTranslator>

class GermanWords : public QTranslator
{
public:
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *sourceText, const char *, int) const override
    {
        if (qstrcmp(context, "GuiLib::BasicLogModel") == 0) {
            if (qstrcmp(sourceText, "error") == 0) {
                return QStringLiteral("Fehler");
            }
            if (qstrcmp(sourceText, "Scripter") == 0) {
                return QStringLiteral("Skripter");
            }
        }
        return QString();
    }
};
