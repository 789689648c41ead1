#include "extractionjournal.h"

#include "corelib/common/corelogging.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace SRCore {

ExtractionJournal::~ExtractionJournal()
{
    if (!m_committed) {
        rollBack();
    }
}

bool ExtractionJournal::makeFolders(const QString &folder)
{
    if (m_existingFolders.contains(folder) || QFileInfo(folder).isDir()) {
        m_existingFolders.insert(folder);
        return true;
    }
    const QString parent = QFileInfo(folder).absolutePath();
    if (parent != folder && !makeFolders(parent)) {
        return false;
    }
    if (!QDir().mkdir(folder)) {
        return false;
    }
    m_steps.append({Step::CreatedFolder, folder, QString()});
    m_existingFolders.insert(folder);
    m_createdFolders.insert(folder);
    return true;
}

void ExtractionJournal::addWrittenFile(const QString &path)
{
    m_steps.append({Step::WrittenFile, path, QString()});
}

bool ExtractionJournal::replaceFile(const QString &written, const QString &path,
                                    const QString &backup)
{
    if (!QFile::rename(path, backup)) {
        return false;
    }
    m_steps.append({Step::MovedAside, path, backup});
    if (!QFile::rename(written, path)) {
        return false;
    }
    m_steps.append({Step::WrittenFile, path, QString()});
    return true;
}

void ExtractionJournal::commit()
{
    m_committed = true;
    for (const Step &step : std::as_const(m_steps)) {
        if (step.action == Step::MovedAside && !QFile::remove(step.backup)) {
            qCWarning(lcCoreLib) << "Can't remove the replaced file" << step.backup;
        }
    }
}

void ExtractionJournal::rollBack()
{
    for (auto step = m_steps.crbegin(); step != m_steps.crend(); ++step) {
        bool undone = true;
        switch (step->action) {
        case Step::CreatedFolder:
            undone = QDir(step->path).removeRecursively();
            break;
        case Step::MovedAside:
            undone = QFile::rename(step->backup, step->path);
            break;
        case Step::WrittenFile:
            // A written file that replaced another is no longer at its first path.
            undone = QFile::remove(step->path) || !QFileInfo::exists(step->path);
            break;
        }
        if (!undone) {
            qCWarning(lcCoreLib) << "Can't undo the extraction at" << step->path;
        }
    }
}

} // namespace SRCore
