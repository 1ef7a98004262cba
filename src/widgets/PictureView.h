#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>
#include <QWidget>

struct DecodedPicture;

// An image control: draws its picture stretched over the whole control, with
// the picture's proportions kept if the control is not their shape. It keeps
// the picture's natural size and file beside the drawn pixmap.
class PictureView : public QWidget
{
    Q_OBJECT

public:
    explicit PictureView(QWidget *parent = nullptr);

    void setPicture(const DecodedPicture &picture);
    void setPicture(const QPixmap &pixmap, const QSize &naturalSize, const QString &path);
    void clearPicture();

    bool hasPicture() const { return !m_pixmap.isNull(); }
    const QPixmap &pixmap() const { return m_pixmap; }
    QSize naturalSize() const { return m_naturalSize; }
    QString path() const { return m_path; }

    // Picture files dragged from the desktop may be dropped here.
    void setAcceptsFileDrops(bool accept) { setAcceptDrops(accept); }

signals:
    void pressed(Qt::MouseButton button, const QPoint &globalPos);
    // A left press and release on the control.
    void clicked();
    void fileDropped(const QString &path);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    QPixmap m_pixmap;
    QSize m_naturalSize;
    QString m_path;
    bool m_leftDown = false;
};
