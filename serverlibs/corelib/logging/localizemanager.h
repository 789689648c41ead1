#pragma once

#include <QString>

namespace SRCore {

struct LogRecord;

// Renders stored messages for people.
class LocalizeManager
{
public:
    LocalizeManager() = delete;

    // The record's operation translated in the context "LogMessages", with its place markers
    // filled from the argument: "%1" by the whole argument, "%11" to "%19" by the first to
    // ninth comma-separated part. The highest part a text refers to takes the rest of the
    // argument, commas included, so that "%11 to %12" keeps a path with commas whole in %12.
    // A part the argument does not have is empty. Text taken from the argument is never
    // searched for markers again.
    static QString getMessage(const LogRecord &record);
};

} // namespace SRCore
