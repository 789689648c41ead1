#pragma once

#include <QIcon>
#include <QString>

namespace GuiLib {

// Icons of image files (mostly the program's ":/Images/..." resources), each decoded once per
// process: trees of hundreds of items would otherwise read and decode the same file for every
// item. The decoded images live in QPixmapCache, which the application owns. GUI thread only.
class ImageCache
{
public:
    // The icon of the image at `path`; a null icon when it can't be read.
    static QIcon icon(const QString &path);
};

} // namespace GuiLib
