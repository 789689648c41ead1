#include "runtimeerror.h"

#include <QCoreApplication>
#include <QHash>

namespace VBScript {

namespace {

struct ErrorText
{
    int number;
    const char *text;
};

// The texts of the engine's run-time errors, for Err.Description and for reports; including
// those raised by the objects of the run time.
constexpr ErrorText errorTexts[] = {
    {-2147467259, QT_TRANSLATE_NOOP("VBScript::RuntimeError", "Unspecified error")},
    {5, QT_TRANSLATE_NOOP("VBScript::RuntimeError", "Invalid procedure call or argument")},
    {6, QT_TRANSLATE_NOOP("VBScript::RuntimeError", "Overflow")},
    {7, QT_TRANSLATE_NOOP("VBScript::RuntimeError", "Out of memory")},
    {9, QT_TRANSLATE_NOOP("VBScript::RuntimeError", "Subscript out of range")},
    {10, QT_TRANSLATE_NOOP("VBScript::RuntimeError", "This array is fixed or temporarily locked")},
    {11, QT_TRANSLATE_NOOP("VBScript::RuntimeError", "Division by zero")},
    {13, QT_TRANSLATE_NOOP("VBScript::RuntimeError", "Type mismatch")},
    {14, QT_TRANSLATE_NOOP("VBScript::RuntimeError", "Out of string space")},
    {17, QT_TRANSLATE_NOOP("VBScript::RuntimeError", "Can't perform requested operation")},
    {28, QT_TRANSLATE_NOOP("VBScript::RuntimeError", "Out of stack space")},
    {35, QT_TRANSLATE_NOOP("VBScript::RuntimeError", "Sub or Function not defined")},
    {48, QT_TRANSLATE_NOOP("VBScript::RuntimeError", "Error in loading DLL")},
    {51, QT_TRANSLATE_NOOP("VBScript::RuntimeError", "Internal error")},
    {52, QT_TRANSLATE_NOOP("VBScript::RuntimeError", "Bad file name or number")},
    {53, QT_TRANSLATE_NOOP("VBScript::RuntimeError", "File not found")},
    {54, QT_TRANSLATE_NOOP("VBScript::RuntimeError", "Bad file mode")},
    {55, QT_TRANSLATE_NOOP("VBScript::RuntimeError", "File already open")},
    {57, QT_TRANSLATE_NOOP("VBScript::RuntimeError", "Device I/O error")},
    {58, QT_TRANSLATE_NOOP("VBScript::RuntimeError", "File already exists")},
    {61, QT_TRANSLATE_NOOP("VBScript::RuntimeError", "Disk full")},
    {62, QT_TRANSLATE_NOOP("VBScript::RuntimeError", "Input past end of file")},
    {67, QT_TRANSLATE_NOOP("VBScript::RuntimeError", "Too many files")},
    {68, QT_TRANSLATE_NOOP("VBScript::RuntimeError", "Device unavailable")},
    {70, QT_TRANSLATE_NOOP("VBScript::RuntimeError", "Permission denied")},
    {71, QT_TRANSLATE_NOOP("VBScript::RuntimeError", "Disk not ready")},
    {74, QT_TRANSLATE_NOOP("VBScript::RuntimeError", "Can't rename with different drive")},
    {75, QT_TRANSLATE_NOOP("VBScript::RuntimeError", "Path/File access error")},
    {76, QT_TRANSLATE_NOOP("VBScript::RuntimeError", "Path not found")},
    {91, QT_TRANSLATE_NOOP("VBScript::RuntimeError", "Object variable not set")},
    {92, QT_TRANSLATE_NOOP("VBScript::RuntimeError", "For loop not initialized")},
    {94, QT_TRANSLATE_NOOP("VBScript::RuntimeError", "Invalid use of Null")},
    {322, QT_TRANSLATE_NOOP("VBScript::RuntimeError", "Can't create necessary temporary file")},
    {424, QT_TRANSLATE_NOOP("VBScript::RuntimeError", "Object required")},
    {429, QT_TRANSLATE_NOOP("VBScript::RuntimeError", "ActiveX component can't create object")},
    {430, QT_TRANSLATE_NOOP("VBScript::RuntimeError", "Class doesn't support Automation")},
    {432, QT_TRANSLATE_NOOP("VBScript::RuntimeError",
                            "File name or class name not found during Automation operation")},
    {438,
     QT_TRANSLATE_NOOP("VBScript::RuntimeError", "Object doesn't support this property or method")},
    {440, QT_TRANSLATE_NOOP("VBScript::RuntimeError", "Automation error")},
    {445, QT_TRANSLATE_NOOP("VBScript::RuntimeError", "Object doesn't support this action")},
    {446, QT_TRANSLATE_NOOP("VBScript::RuntimeError", "Object doesn't support named arguments")},
    {447,
     QT_TRANSLATE_NOOP("VBScript::RuntimeError", "Object doesn't support current locale setting")},
    {448, QT_TRANSLATE_NOOP("VBScript::RuntimeError", "Named argument not found")},
    {449, QT_TRANSLATE_NOOP("VBScript::RuntimeError", "Argument not optional")},
    {450, QT_TRANSLATE_NOOP("VBScript::RuntimeError",
                            "Wrong number of arguments or invalid property assignment")},
    {451, QT_TRANSLATE_NOOP("VBScript::RuntimeError", "Object not a collection")},
    {453, QT_TRANSLATE_NOOP("VBScript::RuntimeError", "Specified DLL function not found")},
    {457, QT_TRANSLATE_NOOP("VBScript::RuntimeError",
                            "This key is already associated with an element of this collection")},
    {458, QT_TRANSLATE_NOOP("VBScript::RuntimeError",
                            "Variable uses an Automation type not supported in VBScript")},
    {500, QT_TRANSLATE_NOOP("VBScript::RuntimeError", "Variable is undefined")},
    {501, QT_TRANSLATE_NOOP("VBScript::RuntimeError", "Illegal assignment")},
    {502, QT_TRANSLATE_NOOP("VBScript::RuntimeError", "Object not safe for scripting")},
    {505, QT_TRANSLATE_NOOP("VBScript::RuntimeError", "Invalid or unqualified reference")},
    {506, QT_TRANSLATE_NOOP("VBScript::RuntimeError", "Class not defined")},
    {507, QT_TRANSLATE_NOOP("VBScript::RuntimeError", "An exception occurred")},
    {1002, QT_TRANSLATE_NOOP("VBScript::RuntimeError", "Syntax error")},
    {5017, QT_TRANSLATE_NOOP("VBScript::RuntimeError", "Syntax error in regular expression")},
    {5018, QT_TRANSLATE_NOOP("VBScript::RuntimeError", "Unexpected quantifier")},
    {5019, QT_TRANSLATE_NOOP("VBScript::RuntimeError", "Expected ']' in regular expression")},
    {5020, QT_TRANSLATE_NOOP("VBScript::RuntimeError", "Expected ')' in regular expression")},
    {5021, QT_TRANSLATE_NOOP("VBScript::RuntimeError", "Invalid range in character set")},
    {32811, QT_TRANSLATE_NOOP("VBScript::RuntimeError", "Element not found")},
};

} // namespace

QString RuntimeError::text(int number)
{
    static const QHash<int, const char *> texts = [] {
        QHash<int, const char *> result;
        for (const ErrorText &entry : errorTexts) {
            result.insert(entry.number, entry.text);
        }
        return result;
    }();
    static const char *const unknown =
        QT_TRANSLATE_NOOP("VBScript::RuntimeError", "Unknown runtime error");
    return QCoreApplication::translate("VBScript::RuntimeError", texts.value(number, unknown));
}

QString RuntimeError::runtimeSource()
{
    return QCoreApplication::translate("VBScript::RuntimeError",
                                       "Microsoft VBScript runtime error");
}

QString RuntimeError::compilationSource()
{
    return QCoreApplication::translate("VBScript::RuntimeError",
                                       "Microsoft VBScript compilation error");
}

} // namespace VBScript
