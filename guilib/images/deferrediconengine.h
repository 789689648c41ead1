#pragma once

#include <QIcon>
#include <QIconEngine>
#include <QString>

namespace GuiLib {

// An icon of an image file that is read and decoded only when it is first drawn or measured.
// Qt decodes a file icon as it is made, so a window with a hundred actions in menus, tool bars
// and choosers would decode every picture before it first shows, most of them for menus nobody
// has opened yet. GUI thread only.
class DeferredIconEngine final : public QIconEngine
{
public:
    // The icon of the image at `path`; null (without decoding) when `path` names no readable
    // image.
    static QIcon icon(const QString &path);

    explicit DeferredIconEngine(const QString &path);

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override;
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override;
    void addPixmap(const QPixmap &pixmap, QIcon::Mode mode, QIcon::State state) override;
    void addFile(const QString &fileName, const QSize &size, QIcon::Mode mode,
                 QIcon::State state) override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    bool isNull() override;
    QString key() const override;
    QIconEngine *clone() const override;

private:
    DeferredIconEngine(const DeferredIconEngine &other) = default;
    // The decoded icon, made on first use.
    QIcon &decoded();

    QString m_path;
    QIcon m_decoded;
    bool m_isDecoded = false;
};

} // namespace GuiLib
