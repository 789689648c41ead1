#pragma once

// An output sink for VBScript engines that keeps what a run writes: its echo lines and the
// error lines it logs, in order.

#include "scriptinglib/vbscript/outputsink.h"

#include <QStringList>

class RecordingOutput : public VBScript::OutputSink
{
public:
    void echo(const QString &text) override { lines += text.split(QLatin1Char('\n')); }
    void log(int level, const QString &message) override
    {
        lines.append(message);
        levels.append(level);
    }

    QStringList lines;
    QList<int> levels; // of the logged lines
};
