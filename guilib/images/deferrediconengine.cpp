#include "deferrediconengine.h"

#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QPixmap>

namespace GuiLib {

namespace {

// Opens the file of `reader` and makes the reader take the format the file's name gives; false
// when the file cannot be opened. Qt's own detection first asks every image format plugin
// whether it reads that format, loading each plugin to ask, before it tries its built-in PNG
// reader; the program's icons are all PNG.
bool openByName(QImageReader &reader)
{
    if (!reader.device()->open(QIODevice::ReadOnly)) {
        return false;
    }
    reader.setFormat(QFileInfo(reader.fileName()).suffix().toLatin1());
    reader.setAutoDetectImageFormat(false);
    return true;
}

} // namespace

QIcon DeferredIconEngine::icon(const QString &path)
{
    // Reads the file's header only; a file whose name does not give its format is detected.
    QImageReader byName(path);
    if (!(openByName(byName) && byName.canRead()) && !QImageReader(path).canRead()) {
        return QIcon();
    }
    return QIcon(new DeferredIconEngine(path));
}

DeferredIconEngine::DeferredIconEngine(const QString &path)
    : m_path(path)
{}

QIcon &DeferredIconEngine::decoded()
{
    if (!m_isDecoded) {
        // A file of one picture, as the name says; any other as Qt reads the files of icons.
        QImageReader reader(m_path);
        QImage image;
        if (openByName(reader) && reader.read(&image) && !reader.jumpToNextImage()) {
            m_decoded.addPixmap(QPixmap::fromImage(std::move(image)));
        } else {
            m_decoded = QIcon(m_path);
        }
        m_isDecoded = true;
    }
    return m_decoded;
}

void DeferredIconEngine::paint(QPainter *painter, const QRect &rect, QIcon::Mode mode,
                               QIcon::State state)
{
    decoded().paint(painter, rect, Qt::AlignCenter, mode, state);
}

QSize DeferredIconEngine::actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state)
{
    return decoded().actualSize(size, mode, state);
}

QPixmap DeferredIconEngine::pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state)
{
    return decoded().pixmap(size, mode, state);
}

QPixmap DeferredIconEngine::scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state,
                                         qreal scale)
{
    return decoded().pixmap(size, scale, mode, state);
}

void DeferredIconEngine::addPixmap(const QPixmap &pixmap, QIcon::Mode mode, QIcon::State state)
{
    decoded().addPixmap(pixmap, mode, state);
}

void DeferredIconEngine::addFile(const QString &fileName, const QSize &size, QIcon::Mode mode,
                                 QIcon::State state)
{
    decoded().addFile(fileName, size, mode, state);
}

QList<QSize> DeferredIconEngine::availableSizes(QIcon::Mode mode, QIcon::State state)
{
    return decoded().availableSizes(mode, state);
}

bool DeferredIconEngine::isNull()
{
    // A file that only starts like an image leaves Qt's icon without a picture, yet not null.
    return m_isDecoded && m_decoded.availableSizes().isEmpty();
}

QString DeferredIconEngine::key() const
{
    return QStringLiteral("DeferredIconEngine");
}

QIconEngine *DeferredIconEngine::clone() const
{
    return new DeferredIconEngine(*this);
}

} // namespace GuiLib
