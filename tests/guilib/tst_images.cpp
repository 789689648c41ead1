// Every image of the program's resource is readable at its size, and the image cache gives the
// same pictures as the files, decoding each once.

#include "common/testmain.h"

#include "guilib/images/imagecache.h"

#include <QDirIterator>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QPixmapCache>
#include <QTest>

class tst_Images : public QObject
{
    Q_OBJECT

private slots:
    void everyImageLoads_data();
    void everyImageLoads();
    void cacheGivesTheFilesPicturesDecodedOnce();
};

void tst_Images::everyImageLoads_data()
{
    QTest::addColumn<QString>("path");
    // Toolbar and large images are 32 pixels, the small ones of buttons and lists 16.
    QDirIterator images(QStringLiteral(":/Images"), QDir::Files, QDirIterator::Subdirectories);
    while (images.hasNext()) {
        const QString path = images.next();
        QTest::newRow(qPrintable(path)) << path;
    }
}

void tst_Images::everyImageLoads()
{
    QFETCH(QString, path);
    const bool large = path.count(QLatin1Char('/')) > 2 || path.contains(QLatin1String("_Large"));
    const QImage image(path);
    QVERIFY2(!image.isNull(), qPrintable(path));
    QCOMPARE(image.size(), large ? QSize(32, 32) : QSize(16, 16));
}

void tst_Images::cacheGivesTheFilesPicturesDecodedOnce()
{
    const QString file = QStringLiteral(":/Images/img_File_Small");
    const QString folder = QStringLiteral(":/Images/img_Folder_Small");
    QPixmapCache::clear();
    const QIcon fileIcon = GuiLib::ImageCache::icon(file);
    QCOMPARE(fileIcon.pixmap(16).toImage(), QIcon(file).pixmap(16).toImage());
    QVERIFY(GuiLib::ImageCache::icon(folder).pixmap(16).toImage() != fileIcon.pixmap(16).toImage());

    // The second request is served from the cache.
    QPixmap cached;
    QVERIFY(QPixmapCache::find(file, &cached));
    QCOMPARE(GuiLib::ImageCache::icon(file).pixmap(16).cacheKey(), fileIcon.pixmap(16).cacheKey());

    // A name that reads as no image gives a null icon, and nothing is cached for it.
    const QString missing = QStringLiteral(":/Images/no_such_image.png");
    QVERIFY(GuiLib::ImageCache::icon(missing).isNull());
    QVERIFY(!QPixmapCache::find(missing, &cached));
}

TAVRIX_TEST_MAIN(tst_Images)
#include "tst_images.moc"
