#pragma once

#include <QCoreApplication>
#include <QMutex>
#include <QString>

class QDomNode;

namespace SRCore {

class ILogInterface;

// File and folder operations shared by the whole program. Every operation reports failure
// through its result and, when given, `errorMessage`; none leaves a half-written file behind:
// files are written through SafeFileWriter.
class FileHandler
{
    Q_DECLARE_TR_FUNCTIONS(SRCore::FileHandler)

public:
    FileHandler() = delete;

    // Copies a file, or a folder with everything below it, to `destination` (the new path, not
    // its parent). An existing destination file is replaced; an existing destination folder
    // receives the source's contents. Symbolic links inside a folder are copied as links. On
    // failure nothing that the copy created is left behind, and `log` (when given) gets an
    // error message.
    static bool copy(const QString &source, const QString &destination,
                     ILogInterface *log = nullptr, QString *errorMessage = nullptr);

    // Removes a file, a link or a folder; a folder with contents only when `recursive`.
    // A path that does not exist counts as removed.
    static bool remove(const QString &path, bool recursive = true, QString *errorMessage = nullptr);
    // Removes a file or a link, never a folder.
    static bool removeFile(const QString &path, QString *errorMessage = nullptr);

    // Empties `folder`. With a `removalPattern` (a regular expression searched in each entry's
    // name) only the matching entries are removed. The folder itself stays.
    static bool cleanupFolder(const QString &folder, const QString &removalPattern = QString(),
                              QString *errorMessage = nullptr);

    // The folder below which temporary folders and files are made; the system's temporary
    // folder until the application sets its own.
    static QString tempFolder();
    static void setTempFolder(const QString &folder);

    // Creates a new, empty folder named after `name` and the base name of `file` under the
    // temporary folder and returns its absolute path; empty on failure.
    static QString createTempFolderForFile(const QString &file, const QString &name,
                                           QString *errorMessage = nullptr);
    // An absolute path under the temporary folder that does not exist yet, ending in `suffix`.
    static QString getTempFilePath(const QString &name, const QString &suffix = QString());
    // A path in `folder` that does not exist yet, for a file or folder that should keep a
    // readable name: "name.suffix", else "name-2.suffix", "name-3.suffix", ...; no dot without
    // a suffix.
    static QString freshPath(const QString &folder, const QString &name, const QString &suffix);

    // Writes a DOM document or element as an XML file with an UTF-8 declaration, replacing the
    // file only once the whole text is written. `indent` is the indentation per level.
    static bool saveDomElement(const QDomNode &node, const QString &path, int indent = 4,
                               QString *errorMessage = nullptr);

    // Reads a text file; UTF-8 unless a byte-order mark says otherwise.
    static bool readFile(const QString &path, QString &text, QString *errorMessage = nullptr);

    // The first file named `fileName` found below `folder`, searching each folder's entries in
    // name order and descending into a subfolder as soon as it is met; empty when none.
    // Linked folders are not entered.
    static QString findFileDepthFirst(const QString &folder, const QString &fileName);

    // Where files that could not be processed are kept. Guarded by mMutex: lock it to read or
    // write m_sProblemFolder.
    static QString m_sProblemFolder;
    static QMutex mMutex;
};

} // namespace SRCore
