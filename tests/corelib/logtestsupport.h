#pragma once

// What the message log tests share besides the message database (common/messagedatabase.h): a
// collector of the core library's warnings and a translation of the stored messages.

#include <QCoreApplication>
#include <QList>
#include <QMutex>
#include <QMutexLocker>
#include <QString>
#include <QStringList>
#include <QTranslator>

#include <cstring>

namespace LogTest {

// Collects the warnings of the "tavrix.corelib" category from every thread while it lives.
class CoreLibWarnings
{
public:
    CoreLibWarnings()
    {
        current() = this;
        m_previous = qInstallMessageHandler(&CoreLibWarnings::handle);
    }
    ~CoreLibWarnings()
    {
        qInstallMessageHandler(m_previous);
        current() = nullptr;
    }
    CoreLibWarnings(const CoreLibWarnings &) = delete;
    CoreLibWarnings &operator=(const CoreLibWarnings &) = delete;

    QStringList messages() const
    {
        QMutexLocker lock(&m_mutex);
        return m_messages;
    }
    // The warnings that contain `text`.
    QStringList containing(const QString &text) const { return messages().filter(text); }

private:
    static CoreLibWarnings *&current()
    {
        static CoreLibWarnings *collector = nullptr;
        return collector;
    }
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        CoreLibWarnings *collector = current();
        if (collector && type == QtWarningMsg && context.category
            && qstrcmp(context.category, "tavrix.corelib") == 0) {
            QMutexLocker lock(&collector->m_mutex);
            collector->m_messages << message;
            return;
        }
        if (collector && collector->m_previous) {
            collector->m_previous(type, context, message);
        }
    }

    mutable QMutex m_mutex;
    QStringList m_messages;
    QtMessageHandler m_previous = nullptr;
};

// While it lives, the templates of the context "LogMessages" translate as "[template]"; a text
// whose markers were filled before translating stays as it is.
class TranslatedLogMessages : public QTranslator
{
public:
    TranslatedLogMessages() { QCoreApplication::installTranslator(this); }
    ~TranslatedLogMessages() override { QCoreApplication::removeTranslator(this); }

    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *sourceText, const char *, int) const override
    {
        return qstrcmp(context, "LogMessages") == 0 && std::strchr(sourceText, '%')
                   ? QLatin1Char('[') + QString::fromUtf8(sourceText) + QLatin1Char(']')
                   : QString();
    }
};

} // namespace LogTest
