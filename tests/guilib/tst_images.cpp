// Every image name that the program refers to resolves to a readable image, and the image
// cache gives the same pictures as the files, decoding each once.

#include "common/testmain.h"

#include "guilib/images/imagecache.h"

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
    QTest::addColumn<int>("size");
    const QStringList scripterImages = {
        "Abort",       "Add",        "AddFile",       "AddFolder",    "App",
        "AppleScript", "BallGreen",  "ClearLogs",     "Connect",      "Connection",
        "Copy",        "Copy2",      "CreateNew",     "Cut",          "DeclarFixture",
        "Delete",      "Down",       "Evaluate",      "FileOrFolder", "FindText",
        "JavaScript",  "JobArrived", "Message",       "Open",         "Paste",
        "Paste2",      "Properties", "Redo",          "Remove",       "RunTest",
        "Save",        "SaveAs",     "ScriptDefault", "ScriptProg",   "Temp",
        "TimerFired",  "Unchecked",  "Undo",          "Up",           "VBScript"};
    for (const QString &name : scripterImages) {
        const QString path = QStringLiteral(":/Images/Ui_scripter/img_%1.png").arg(name);
        // clang-format off
        QTest::newRow(qPrintable(path)) << path << 32;
    }
    QTest::newRow("syntax error") << QStringLiteral(":/Images/Properties/img_SyntaxError_Large.png") << 32;
    for (const char *small :
         {":/Images/ellipsis.png", ":/Images/smaller_then.png", ":/Images/img_CdUp_Small.png",
          ":/Images/img_File_Small", ":/Images/img_Folder_Small"}) {
        QTest::newRow(small) << QString::fromLatin1(small) << 16;
        // clang-format on
    }
}

void tst_Images::everyImageLoads()
{
    QFETCH(QString, path);
    QFETCH(int, size);
    const QImage image(path);
    QVERIFY2(!image.isNull(), qPrintable(path));
    QCOMPARE(image.size(), QSize(size, size));
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
