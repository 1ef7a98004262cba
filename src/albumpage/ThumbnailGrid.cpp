#include "albumpage/ThumbnailGrid.h"

#include "albumpage/ThumbLayout.h"
#include "widgets/PictureView.h"
#include "widgets/WindowKit.h"

#include <QMouseEvent>

#include <cmath>

namespace {

const QString kThumbTip = QStringLiteral("Left click to display the picture or right click for a edit menu");

}  // namespace

ThumbnailGrid::ThumbnailGrid(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("pageArea"));
    WindowKit::setBackground(this, WindowKit::pageBlue());
    for (int n = 1; n <= kPositions; ++n) {
        auto *view = new PictureView(this);
        view->setObjectName(QStringLiteral("Image1_%1").arg(n));
        view->setToolTip(kThumbTip);
        view->setGeometry(ThumbLayout::toPixels(ThumbLayout::thumbRect(n, QSize(1, 1), 1, 1)).toRect());
        view->setCursor(Qt::PointingHandCursor);
        view->setAcceptsFileDrops(true);
        connect(view, &PictureView::clicked, this, [this, n] { emit thumbnailClicked(n); });
        connect(view, &PictureView::pressed, this,
                [this, n](Qt::MouseButton b, const QPoint &pos) { emit thumbnailPressed(n, b, pos); });
        connect(view, &PictureView::fileDropped, this, [this, n](const QString &path) { emit fileDropped(n, path); });
        m_views[n] = view;
    }
}

void ThumbnailGrid::setPlaceholder(const DecodedPicture &placeholder)
{
    m_placeholder = placeholder;
    m_placeholderPixmap = QPixmap::fromImage(placeholder.image);
}

void ThumbnailGrid::setPicture(int n, const DecodedPicture &picture)
{
    PictureView *view = m_views.at(n);
    m_filled.at(n) = !picture.isNull();
    if (picture.isNull())
        view->setPicture(m_placeholderPixmap, m_placeholder.naturalSize, m_placeholder.path);
    else
        view->setPicture(picture);
}

void ThumbnailGrid::place(int n, double pageScaleX, double pageScaleY)
{
    PictureView *view = m_views.at(n);
    const QRectF px = ThumbLayout::toPixels(ThumbLayout::thumbRect(n, view->naturalSize(), pageScaleX, pageScaleY));
    view->setGeometry(QRect(int(std::lround(px.left())), int(std::lround(px.top())), int(std::lround(px.width())),
                            int(std::lround(px.height()))));
    view->setVisible(true);
}

void ThumbnailGrid::setThumbnailsVisible(bool visible)
{
    for (int n = 1; n <= kPositions; ++n)
        m_views[n]->setVisible(visible);
}

void ThumbnailGrid::clearPictures()
{
    for (int n = 1; n <= kPositions; ++n)
        m_views[n]->clearPicture();
}

void ThumbnailGrid::mousePressEvent(QMouseEvent *event)
{
    emit backgroundPressed(event->button());
}
