#include "scriptfile.h"

#include "corelib/files/filehandler.h"
#include "corelib/files/safefilewriter.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>

#include <optional>

namespace {

std::optional<QStringConverter::Encoding> encodingNamed(const QString &name)
{
    return QStringConverter::encodingForName(name.toLatin1().constData());
}

} // namespace

QString ScriptFile::read(const QString &path, const QString &encoding) const
{
    const std::optional<QStringConverter::Encoding> known = encodingNamed(encoding);
    if (!known) {
        raiseError(tr("'%1' is no known text encoding").arg(encoding));
        return QString();
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        raiseError(tr("'%1' can't be read: %2").arg(path, file.errorString()));
        return QString();
    }
    QStringDecoder decoder(*known);
    const QString text = decoder.decode(file.readAll());
    if (decoder.hasError()) {
        raiseError(tr("'%1' is not a text in %2").arg(path, encoding));
        return QString();
    }
    return text;
}

void ScriptFile::write(const QString &path, const QString &text, const QString &encoding) const
{
    const std::optional<QStringConverter::Encoding> known = encodingNamed(encoding);
    if (!known) {
        raiseError(tr("'%1' is no known text encoding").arg(encoding));
        return;
    }
    QStringEncoder encoder(*known);
    const QByteArray data = encoder.encode(text);
    if (encoder.hasError()) {
        raiseError(tr("The text for '%1' has characters that %2 can't hold").arg(path, encoding));
        return;
    }
    // The file is replaced only once the whole text is written.
    QString error;
    if (!SRCore::SafeFileWriter::writeFile(path, data, &error)) {
        raiseError(error);
    }
}

void ScriptFile::copy(const QString &source, const QString &destination) const
{
    QString error;
    if (!QFileInfo::exists(source)) {
        raiseError(tr("'%1' does not exist").arg(source));
    } else if (!SRCore::FileHandler::copy(source, destination, nullptr, &error)) {
        raiseError(error);
    }
}

void ScriptFile::move(const QString &source, const QString &destination) const
{
    if (!QFileInfo::exists(source)) {
        raiseError(tr("'%1' does not exist").arg(source));
        return;
    }
    if (QFileInfo::exists(destination)) {
        raiseError(tr("'%1' exists already").arg(destination));
        return;
    }
    if (QFile::rename(source, destination)) {
        return;
    }
    // Another file system: copy, and remove the source only once the copy is complete.
    QString error;
    if (!SRCore::FileHandler::copy(source, destination, nullptr, &error)
        || !SRCore::FileHandler::remove(source, true, &error)) {
        raiseError(error);
    }
}

void ScriptFile::remove(const QString &path) const
{
    QString error;
    if (!SRCore::FileHandler::remove(path, true, &error)) {
        raiseError(error);
    }
}

bool ScriptFile::exists(const QString &path) const
{
    return QFileInfo::exists(path);
}

qint64 ScriptFile::size(const QString &path) const
{
    const QFileInfo info(path);
    if (!info.isFile()) {
        raiseError(tr("'%1' is not a file").arg(path));
        return 0;
    }
    return info.size();
}
