// An icon made from an image file decodes the file on its first use, and then shows and measures
// exactly what an icon decoded at once would; names of no image give null icons.

#include "common/testmain.h"

#include "guilib/images/deferrediconengine.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <functional>

namespace {

// What a use of an icon shows, as something QCOMPARE can compare.
using IconUse = std::function<QVariant(QIcon &)>;

QImage filled(int side, Qt::GlobalColor colour)
{
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

QVariant paintedCentre(QIcon &icon)
{
    QImage canvas(32, 32, QImage::Format_ARGB32);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    icon.paint(&painter, canvas.rect());
    painter.end();
    return canvas.pixelColor(16, 16);
}

} // namespace

Q_DECLARE_METATYPE(IconUse)

class tst_DeferredIconEngine : public QObject
{
    Q_OBJECT

private slots:
    void firstUseShowsTheFileAsItIsThen_data();
    void firstUseShowsTheFileAsItIsThen();
    void changingACopyLeavesTheOriginal();
    void picturesNamedAsAnotherFormatStillShow_data();
    void picturesNamedAsAnotherFormatStillShow();
    void everyPictureOfAFileOfSeveralShows();
    void namesOfNoImageGiveNullIcons_data();
    void namesOfNoImageGiveNullIcons();

private:
    QTemporaryDir m_folder;
};

void tst_DeferredIconEngine::firstUseShowsTheFileAsItIsThen_data()
{
    QTest::addColumn<IconUse>("use");
    const IconUse pixmap = [](QIcon &icon) {
        return QVariant(icon.pixmap(32).toImage());
    };
    const IconUse scaled = [](QIcon &icon) {
        return QVariant(icon.pixmap(QSize(16, 16), 2.0).toImage());
    };
    const IconUse size = [](QIcon &icon) {
        return QVariant(icon.actualSize(QSize(32, 32)));
    };
    const IconUse sizes = [](QIcon &icon) {
        return QVariant::fromValue(icon.availableSizes());
    };
    // clang-format off
    QTest::newRow("pixmap") << pixmap;
    QTest::newRow("pixmap for a scaled screen") << scaled;
    QTest::newRow("painting") << IconUse(paintedCentre);
    QTest::newRow("actual size") << size;
    QTest::newRow("available sizes") << sizes;
    // clang-format on
}

void tst_DeferredIconEngine::firstUseShowsTheFileAsItIsThen()
{
    QFETCH(IconUse, use);
    const QString path = m_folder.filePath(QStringLiteral("picture.png"));
    QFile::remove(path);
    QVERIFY(filled(32, Qt::red).save(path));
    QIcon deferred = GuiLib::DeferredIconEngine::icon(path);
    QVERIFY(!deferred.isNull());

    // Replaced before the first use: an icon that decoded at once would still show red.
    QVERIFY(QFile::remove(path));
    QVERIFY(filled(16, Qt::blue).save(path));
    QIcon decodedNow(path);
    const QVariant shown = use(deferred);
    QCOMPARE(shown, use(decodedNow));

    // Decoded once: a later change of the file is not seen.
    QVERIFY(QFile::remove(path));
    QVERIFY(filled(32, Qt::green).save(path));
    QCOMPARE(use(deferred), shown);
}

void tst_DeferredIconEngine::changingACopyLeavesTheOriginal()
{
    const QString path = m_folder.filePath(QStringLiteral("copied.png"));
    QVERIFY(filled(16, Qt::red).save(path));
    const QIcon original = GuiLib::DeferredIconEngine::icon(path);
    QIcon copy = original;
    copy.addPixmap(QPixmap::fromImage(filled(32, Qt::blue)));

    QCOMPARE(copy.availableSizes(), QList<QSize>({QSize(16, 16), QSize(32, 32)}));
    QCOMPARE(original.availableSizes(), QList<QSize>({QSize(16, 16)}));
    QCOMPARE(original.pixmap(32).toImage().pixelColor(8, 8), QColor(Qt::red));
}

void tst_DeferredIconEngine::picturesNamedAsAnotherFormatStillShow_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("format");
    // clang-format off
    QTest::newRow("PNG named as JPEG")   << QStringLiteral("photo.jpg")   << QByteArray("png");
    QTest::newRow("JPEG named as PNG")   << QStringLiteral("drawing.png") << QByteArray("jpg");
    QTest::newRow("BMP without a suffix") << QStringLiteral("picture")    << QByteArray("bmp");
    QTest::newRow("PNG with an unknown suffix") << QStringLiteral("picture.icon") << QByteArray("png");
    // clang-format on
}

void tst_DeferredIconEngine::picturesNamedAsAnotherFormatStillShow()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, format);
    const QString path = m_folder.filePath(fileName);
    QVERIFY(filled(24, Qt::red).save(path, format.constData()));

    QIcon icon = GuiLib::DeferredIconEngine::icon(path);
    QVERIFY(!icon.isNull());
    QCOMPARE(icon.availableSizes(), QList<QSize>({QSize(24, 24)}));
    QCOMPARE(icon.pixmap(24).toImage(), QIcon(path).pixmap(24).toImage());
}

void tst_DeferredIconEngine::everyPictureOfAFileOfSeveralShows()
{
    // An icon file of two pictures, joined from two icon files of one picture each: a 6-byte
    // header with the count, a 16-byte entry per picture ending in its data's offset, the data.
    QByteArray header("\0\0\1\0\2\0", 6);
    QByteArray entries;
    QByteArray data;
    for (const int side : {16, 32}) {
        QByteArray single;
        QBuffer buffer(&single);
        QVERIFY(buffer.open(QIODevice::WriteOnly));
        QVERIFY(filled(side, Qt::red).save(&buffer, "ico"));
        QByteArray entry = single.mid(6, 16);
        qToLittleEndian<quint32>(6 + 2 * 16 + data.size(), entry.data() + 12);
        entries += entry;
        data += single.mid(6 + 16);
    }
    const QString path = m_folder.filePath(QStringLiteral("two.ico"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(header + entries + data);
    file.close();

    QIcon icon = GuiLib::DeferredIconEngine::icon(path);
    QCOMPARE(icon.availableSizes(), QList<QSize>({QSize(16, 16), QSize(32, 32)}));
    QCOMPARE(icon.availableSizes(), QIcon(path).availableSizes());
}

void tst_DeferredIconEngine::namesOfNoImageGiveNullIcons_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("content");
    const QByteArray pngSignature("\x89PNG\r\n\x1a\n", 8);
    // clang-format off
    QTest::newRow("no such file") << QStringLiteral("missing.png") << QByteArray();
    QTest::newRow("no name") << QString() << QByteArray();
    QTest::newRow("text") << QStringLiteral("notes.png") << QByteArray("not a picture\n");
    QTest::newRow("empty file") << QStringLiteral("empty.png") << QByteArray("");
    QTest::newRow("PNG signature, then garbage") << QStringLiteral("fake.png") << pngSignature + QByteArray(64, 'x');
    // clang-format on
}

void tst_DeferredIconEngine::namesOfNoImageGiveNullIcons()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, content);
    QString path;
    if (!fileName.isEmpty()) {
        path = m_folder.filePath(fileName);
        if (!content.isNull()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(content);
        }
    }
    QIcon icon = GuiLib::DeferredIconEngine::icon(path);
    // A file that only looks like an image is found out when it is first used.
    QVERIFY(icon.pixmap(16).isNull());
    QVERIFY(icon.isNull());
    QVERIFY(icon.availableSizes().isEmpty());
}

TAVRIX_TEST_MAIN(tst_DeferredIconEngine)
#include "tst_deferrediconengine.moc"
