#include "widgets/PictureView.h"

#include "albumstore/PictureLoader.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

PictureView::PictureView(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void PictureView::setPicture(const DecodedPicture &picture)
{
    setPicture(QPixmap::fromImage(picture.image), picture.naturalSize, picture.path);
}

void PictureView::setPicture(const QPixmap &pixmap, const QSize &naturalSize, const QString &path)
{
    m_pixmap = pixmap;
    m_naturalSize = naturalSize.isValid() ? naturalSize : pixmap.size();
    m_path = path;
    update();
}

void PictureView::clearPicture()
{
    m_pixmap = QPixmap();
    m_naturalSize = QSize();
    m_path.clear();
    update();
}

void PictureView::paintEvent(QPaintEvent *)
{
    if (m_pixmap.isNull())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QSize target = m_pixmap.size().scaled(size(), Qt::KeepAspectRatio);
    const QRect rect(QPoint((width() - target.width()) / 2, (height() - target.height()) / 2), target);
    p.drawPixmap(rect, m_pixmap);
}

void PictureView::mousePressEvent(QMouseEvent *event)
{
    m_leftDown = event->button() == Qt::LeftButton;
    emit pressed(event->button(), event->globalPosition().toPoint());
}

void PictureView::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_leftDown && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_leftDown = false;
    if (click)
        emit clicked();
}

namespace {

QString droppedFile(const QMimeData *data)
{
    if (!data || !data->hasUrls())
        return {};
    const QList<QUrl> urls = data->urls();
    return urls.size() == 1 && urls.first().isLocalFile() ? urls.first().toLocalFile() : QString();
}

}  // namespace

void PictureView::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void PictureView::dropEvent(QDropEvent *event)
{
    const QString path = droppedFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    emit fileDropped(path);
}
