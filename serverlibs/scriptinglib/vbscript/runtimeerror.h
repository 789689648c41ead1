#pragma once

#include <QString>

namespace VBScript {

// The numbers of the engine's run-time errors that this implementation raises, and their texts.
class RuntimeError
{
public:
    RuntimeError() = delete;

    enum Number {
        None = 0,
        InvalidProcedureCall = 5,
        Overflow = 6,
        OutOfMemory = 7,
        SubscriptOutOfRange = 9,
        ArrayFixedOrLocked = 10,
        DivisionByZero = 11,
        TypeMismatch = 13,
        OutOfStringSpace = 14,
        OutOfStackSpace = 28,
        SubOrFunctionNotDefined = 35,
        BadFileNameOrNumber = 52,
        FileNotFound = 53,
        BadFileMode = 54,
        FileAlreadyOpen = 55,
        DeviceIoError = 57,
        FileAlreadyExists = 58,
        DiskFull = 61,
        InputPastEndOfFile = 62,
        PermissionDenied = 70,
        PathFileAccessError = 75,
        PathNotFound = 76,
        ObjectVariableNotSet = 91,
        InvalidUseOfNull = 94,
        ObjectRequired = 424,
        CannotCreateObject = 429,
        ObjectDoesNotSupport = 438,
        ArgumentNotOptional = 449,
        WrongNumberOfArguments = 450,
        ObjectNotACollection = 451,
        KeyAlreadyExists = 457,
        VariableUndefined = 500,
        IllegalAssignment = 501,
        ClassNotDefined = 506,
        SyntaxError = 1002,
        RegExpSyntax = 5017,
        ElementNotFound = 32811,
        // E_FAIL: what a host object's method that failed without a code of its own gives.
        HostObjectFailed = -2147467259,
    };

    // The engine's text for `number`, "Unknown runtime error" for numbers it has none for.
    static QString text(int number);
    // Err.Source of the errors the engine raises, and of the errors in texts given to Execute,
    // ExecuteGlobal and Eval.
    static QString runtimeSource();
    static QString compilationSource();
};

} // namespace VBScript
