#pragma once

#include <QString>

namespace SRCore {

class ILogInterface;

// Scope guard that removes a (temporary) folder with its contents when it goes out of scope.
// A removal that fails is reported to `log` when one is given.
class FileAutoCleaner
{
public:
    explicit FileAutoCleaner(const QString &folder, ILogInterface *log = nullptr);
    ~FileAutoCleaner();

    FileAutoCleaner(const FileAutoCleaner &) = delete;
    FileAutoCleaner &operator=(const FileAutoCleaner &) = delete;

    QString folder() const { return m_folder; }

private:
    QString m_folder;
    ILogInterface *m_log;
};

} // namespace SRCore
