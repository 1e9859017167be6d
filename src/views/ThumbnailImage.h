#pragma once

#include <QImage>
#include <QQuickPaintedItem>

namespace zelvik {

// A shelf tile's thumbnail: loads the file's thumbnail off the main thread
// (loadShelfThumbnail), falls back to its MIME type's icon, and paints it
// clipped to a rounded square. `ready` turns true once there is something to
// paint; until then (and for entries without a file) the tile shows its
// kind's symbol instead. A new path restarts the loading.
class ThumbnailImage : public QQuickPaintedItem {
    Q_OBJECT
    Q_PROPERTY(QString path READ path WRITE setPath NOTIFY pathChanged)
    Q_PROPERTY(int pixelSize READ pixelSize WRITE setPixelSize NOTIFY pixelSizeChanged)
    Q_PROPERTY(
        double cornerRadius READ cornerRadius WRITE setCornerRadius NOTIFY cornerRadiusChanged)
    Q_PROPERTY(bool ready READ ready NOTIFY readyChanged)

public:
    explicit ThumbnailImage(QQuickItem* parent = nullptr);

    QString path() const { return m_path; }
    void setPath(const QString& path);
    int pixelSize() const { return m_pixelSize; }
    void setPixelSize(int size);
    double cornerRadius() const { return m_cornerRadius; }
    void setCornerRadius(double radius);
    bool ready() const { return !m_image.isNull(); }
    QImage image() const { return m_image; }

    void paint(QPainter* painter) override;

signals:
    void pathChanged();
    void pixelSizeChanged();
    void cornerRadiusChanged();
    void readyChanged();

private:
    void load();
    void show(const QImage& image);

    QString m_path;
    int m_pixelSize = 96;
    double m_cornerRadius = 10;
    QImage m_image;
    quint64 m_generation = 0;
};

} // namespace zelvik
