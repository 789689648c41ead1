#include "imagecache.h"

#include <QPixmap>
#include <QPixmapCache>

namespace GuiLib {

QIcon ImageCache::icon(const QString &path)
{
    QPixmap pixmap;
    if (!QPixmapCache::find(path, &pixmap)) {
        if (!pixmap.load(path)) {
            return QIcon();
        }
        QPixmapCache::insert(path, pixmap);
    }
    return QIcon(pixmap);
}

} // namespace GuiLib
