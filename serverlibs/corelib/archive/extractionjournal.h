#pragma once

#include <QList>
#include <QSet>
#include <QString>

namespace SRCore {

// The changes that an extraction makes in the file system, in order, so that a failure can undo
// them by going backwards: the files it wrote are removed, the files it replaced are put back,
// the folders it made are removed with what is in them. Unless commit() was called, the
// destructor undoes everything. Paths are absolute.
class ExtractionJournal
{
public:
    ExtractionJournal() = default;
    ~ExtractionJournal();

    ExtractionJournal(const ExtractionJournal &) = delete;
    ExtractionJournal &operator=(const ExtractionJournal &) = delete;

    // Creates `folder` and every missing folder above it.
    bool makeFolders(const QString &folder);
    // Whether makeFolders() created `folder`, rather than finding it.
    bool createdFolder(const QString &folder) const { return m_createdFolders.contains(folder); }

    // Records a new file, to be called once it has been created.
    void addWrittenFile(const QString &path);

    // Puts the complete file `written` in the place of the file at `path`, which is kept as
    // `backup` (a path that does not exist yet, on the same file system) until commit().
    bool replaceFile(const QString &written, const QString &path, const QString &backup);

    // Keeps the changes and removes the replaced files.
    void commit();

private:
    void rollBack();

    struct Step
    {
        enum Action { CreatedFolder, MovedAside, WrittenFile } action;
        QString path;
        QString backup;
    };
    QList<Step> m_steps;
    QSet<QString> m_existingFolders;
    QSet<QString> m_createdFolders;
    bool m_committed = false;
};

} // namespace SRCore
