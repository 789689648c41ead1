#include "safefilewriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace SRCore {

namespace {

constexpr qint64 kCopyChunkSize = 256 * 1024;

QByteArray encoded(const QString &path)
{
    return QFile::encodeName(path);
}

// A hidden name beside `path` that nothing else uses at the moment of the call.
QString hiddenSibling(const QString &path, const char *purpose)
{
    const QFileInfo info(path);
    return info.absolutePath() + QLatin1String("/.") + info.fileName() + QLatin1Char('.')
           + QLatin1String(purpose) + QLatin1Char('-')
           + QString::number(QRandomGenerator::global()->generate64(), 36);
}

// Makes a rename in `folder` survive a crash of the machine; file systems that can't sync a
// folder lose nothing by it.
void syncFolder(const QString &folder)
{
    const int descriptor = ::open(encoded(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor >= 0) {
        ::fsync(descriptor);
        ::close(descriptor);
    }
}

// Syncing is not offered everywhere (some special and network file systems); that is no reason
// to refuse the file.
bool syncUnsupported(int error)
{
    return error == EINVAL || error == ENOTSUP || error == EROFS;
}

} // namespace

SafeFileWriter::SafeFileWriter(const QString &target)
    : m_target(target)
{}

SafeFileWriter::~SafeFileWriter()
{
    closeDescriptor();
    if (!m_temporary.isEmpty()) {
        ::unlink(encoded(m_temporary).constData());
    }
    if (m_state == State::Replaced && !m_previous.isEmpty()) {
        ::unlink(encoded(m_previous).constData());
    }
}

void SafeFileWriter::keepPermissionsOf(const QString &file)
{
    m_permissionSource = file;
}

bool SafeFileWriter::fail(QString *errorMessage, const QString &cause)
{
    closeDescriptor();
    if (!m_temporary.isEmpty()) {
        ::unlink(encoded(m_temporary).constData());
        m_temporary.clear();
        m_temporaryRemoval.reset();
    }
    m_state = State::Failed;
    if (errorMessage) {
        *errorMessage = cause;
    }
    return false;
}

bool SafeFileWriter::failWithErrno(QString *errorMessage, int error)
{
    return fail(
        errorMessage,
        tr("Can't write '%1': %2").arg(QDir::toNativeSeparators(m_target), qt_error_string(error)));
}

void SafeFileWriter::closeDescriptor()
{
    if (m_descriptor >= 0) {
        ::close(m_descriptor);
        m_descriptor = -1;
    }
}

bool SafeFileWriter::open(QString *errorMessage)
{
    if (m_state != State::Idle) {
        return fail(
            errorMessage,
            tr("Can't write '%1' twice with one writer").arg(QDir::toNativeSeparators(m_target)));
    }
    // Like QSaveFile: a link at the target stays a link to the new file.
    QFileInfo resolved(QFileInfo(m_target).absoluteFilePath());
    for (int depth = 0; resolved.isSymLink() && depth < 40; ++depth) {
        resolved.setFile(resolved.symLinkTarget());
    }
    m_final = resolved.absoluteFilePath();
    if (resolved.isDir()) {
        return fail(errorMessage,
                    tr("Can't write '%1': it is a folder").arg(QDir::toNativeSeparators(m_target)));
    }
    // The rename would put a plain file in the place of a device, a pipe or a socket: writing a
    // report to /dev/null as root would take the null device away from the whole machine.
    struct stat existing;
    if (::stat(encoded(m_final).constData(), &existing) == 0 && !S_ISREG(existing.st_mode)) {
        return fail(errorMessage, tr("Can't write '%1': it is not a regular file")
                                      .arg(QDir::toNativeSeparators(m_target)));
    }

    for (int attempt = 0; attempt < 100 && m_descriptor < 0; ++attempt) {
        m_temporary = hiddenSibling(m_final, "saving");
        m_descriptor =
            ::open(encoded(m_temporary).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_descriptor < 0 && errno != EEXIST) {
            const int error = errno;
            m_temporary.clear();
            return failWithErrno(errorMessage, error);
        }
    }
    if (m_descriptor < 0) {
        m_temporary.clear();
        return failWithErrno(errorMessage, EEXIST);
    }
    m_temporaryRemoval = std::make_unique<TerminationCleanup::Removal>(m_temporary);
    const QString permissionSource = m_permissionSource.isEmpty() ? m_final : m_permissionSource;
    struct stat previous;
    if (::stat(encoded(permissionSource).constData(), &previous) == 0
        && S_ISREG(previous.st_mode)) {
        // Failing to match them (a file of another owner) leaves the usual permissions.
        ::fchmod(m_descriptor, previous.st_mode & 07777);
    }
    m_state = State::Open;
    return true;
}

bool SafeFileWriter::write(const char *data, qint64 size, QString *errorMessage)
{
    if (m_state != State::Open) {
        return fail(errorMessage,
                    tr("Can't write '%1': not open").arg(QDir::toNativeSeparators(m_target)));
    }
    while (size > 0) {
        const ssize_t written = ::write(m_descriptor, data, size_t(size));
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return failWithErrno(errorMessage, errno);
        }
        data += written;
        size -= written;
        m_written += written;
    }
    return true;
}

bool SafeFileWriter::write(const QByteArray &data, QString *errorMessage)
{
    return write(data.constData(), data.size(), errorMessage);
}

bool SafeFileWriter::writeContentsOf(const QString &source, QString *errorMessage)
{
    QFile input(source);
    if (!input.open(QIODevice::ReadOnly)) {
        return fail(
            errorMessage,
            tr("Can't read '%1': %2").arg(QDir::toNativeSeparators(source), input.errorString()));
    }
    QByteArray buffer(kCopyChunkSize, Qt::Uninitialized);
    while (true) {
        const qint64 read = input.read(buffer.data(), buffer.size());
        if (read < 0) {
            return fail(errorMessage,
                        tr("Can't read '%1': %2")
                            .arg(QDir::toNativeSeparators(source), input.errorString()));
        }
        if (read == 0) {
            return true;
        }
        if (!write(buffer.constData(), read, errorMessage)) {
            return false;
        }
    }
}

bool SafeFileWriter::finish(QString *errorMessage)
{
    if (m_state != State::Open) {
        return fail(errorMessage,
                    tr("Can't write '%1': not open").arg(QDir::toNativeSeparators(m_target)));
    }
    // Some file systems report a full disk only when the data is synced or the file closed.
    if (::fsync(m_descriptor) != 0 && !syncUnsupported(errno)) {
        return failWithErrno(errorMessage, errno);
    }
    struct stat written;
    if (::fstat(m_descriptor, &written) != 0) {
        return failWithErrno(errorMessage, errno);
    }
    if (written.st_size != m_written) {
        return fail(errorMessage, tr("Can't write '%1': only %2 of %3 bytes reached the disk")
                                      .arg(QDir::toNativeSeparators(m_target))
                                      .arg(qint64(written.st_size))
                                      .arg(m_written));
    }
    const int descriptor = std::exchange(m_descriptor, -1);
    if (::close(descriptor) != 0 && errno != EINTR) {
        return failWithErrno(errorMessage, errno);
    }
    m_state = State::Finished;
    return true;
}

bool SafeFileWriter::replace(QString *errorMessage)
{
    if (m_state != State::Finished) {
        return fail(
            errorMessage,
            tr("Can't replace '%1' by an unfinished file").arg(QDir::toNativeSeparators(m_target)));
    }
    // Between moving the previous file aside and the new one in, the target has neither.
    const TerminationCleanup::Postponement postponement;
    const QByteArray finalPath = encoded(m_final);
    bool movedAside = false;
    struct stat existing;
    if (::lstat(finalPath.constData(), &existing) == 0) {
        m_previous = hiddenSibling(m_final, "previous");
        const QByteArray previousPath = encoded(m_previous);
        // A second name for the previous file keeps the target in place until the rename
        // swaps it; without hard links it is moved aside for that moment.
        if (::link(finalPath.constData(), previousPath.constData()) != 0) {
            if (::rename(finalPath.constData(), previousPath.constData()) != 0) {
                m_previous.clear();
                return failWithErrno(errorMessage, errno);
            }
            movedAside = true;
        }
    }
    if (::rename(encoded(m_temporary).constData(), finalPath.constData()) != 0) {
        const int error = errno;
        if (movedAside) {
            ::rename(encoded(m_previous).constData(), finalPath.constData());
        } else if (!m_previous.isEmpty()) {
            ::unlink(encoded(m_previous).constData());
        }
        m_previous.clear();
        return failWithErrno(errorMessage, error);
    }
    m_temporary.clear();
    m_temporaryRemoval.reset();
    if (!m_previous.isEmpty()) {
        m_previousRemoval = std::make_unique<TerminationCleanup::Removal>(m_previous);
    }
    m_state = State::Replaced;
    syncFolder(QFileInfo(m_final).absolutePath());
    return true;
}

bool SafeFileWriter::restore()
{
    if (m_state != State::Replaced) {
        return false;
    }
    m_state = State::Failed;
    const QByteArray finalPath = encoded(m_final);
    const bool restored =
        m_previous.isEmpty()
            ? ::unlink(finalPath.constData()) == 0
            : ::rename(encoded(m_previous).constData(), finalPath.constData()) == 0;
    // A previous file that could not go back stays where it is, even when the program ends.
    m_previousRemoval.reset();
    if (restored) {
        m_previous.clear();
        syncFolder(QFileInfo(m_final).absolutePath());
    }
    return restored;
}

bool SafeFileWriter::commit(QString *errorMessage)
{
    return finish(errorMessage) && replace(errorMessage);
}

bool SafeFileWriter::writeFile(const QString &target, const QByteArray &data, QString *errorMessage)
{
    SafeFileWriter writer(target);
    return writer.open(errorMessage) && writer.write(data, errorMessage)
           && writer.commit(errorMessage);
}

bool SafeFileWriter::copyFile(const QString &source, const QString &target, QString *errorMessage)
{
    SafeFileWriter writer(target);
    return writer.open(errorMessage) && writer.writeContentsOf(source, errorMessage)
           && writer.commit(errorMessage);
}

bool SafeFileWriter::replaceAll(const QList<SafeFileWriter *> &writers, QString *errorMessage)
{
    const TerminationCleanup::Postponement postponement;
    for (qsizetype i = 0; i < writers.size(); ++i) {
        if (writers.at(i)->replace(errorMessage)) {
            continue;
        }
        for (qsizetype done = i - 1; done >= 0; --done) {
            SafeFileWriter *writer = writers.at(done);
            if (writer->restore() || !errorMessage) {
                continue;
            }
            const QString target = QDir::toNativeSeparators(writer->m_target);
            *errorMessage +=
                QLatin1Char('\n')
                + (writer->m_previous.isEmpty()
                       ? tr("'%1' could not be removed again").arg(target)
                       : tr("'%1' could not get its previous content back; it is kept in '%2'")
                             .arg(target, QDir::toNativeSeparators(writer->m_previous)));
        }
        return false;
    }
    return true;
}

} // namespace SRCore
