#pragma once

#include <QObject>
#include <QString>

namespace GuiLib {

// The texts by which a property value is shown: the one-line summary in the explorer's value
// cell and the editor's read-only field, and the longer description used in tool tips.
// Structured values (pattern lists, data fields, e-mail information, ...) are summarised by
// what they define instead of showing their XML.
//
// The arguments are the property's type, its current editor keyword, its value and its whole
// "Editor" attribute, in which keywords are looked for as parts of the text.
class GenericValueOverrider : public QObject
{
    Q_OBJECT

public:
    GenericValueOverrider() = delete;

    static QString displayText(const QString &type, const QString &editor, const QString &value,
                               const QString &editors);
    static QString valueDescription(const QString &tag, const QString &type, const QString &editor,
                                    const QString &value, const QString &editors);
};

} // namespace GuiLib
