#pragma once

#include "albumstore/PictureLoader.h"

#include <QPixmap>
#include <QWidget>

#include <array>

class PictureView;

// The page area of the album page: six thumbnails in two rows of three on a
// light blue background. An empty position shows the placeholder picture. A
// press on the background (not on a thumbnail) is reported, for paging.
class ThumbnailGrid : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kPositions = 6;

    explicit ThumbnailGrid(QWidget *parent);

    // Position n is 1..6.
    PictureView *view(int n) const { return m_views.at(n); }

    // The picture of an empty position.
    void setPlaceholder(const DecodedPicture &placeholder);
    const DecodedPicture &placeholder() const { return m_placeholder; }

    // Shows a picture in position n, or the placeholder for a null one.
    void setPicture(int n, const DecodedPicture &picture);
    // The position holds a picture file that loads, not the placeholder.
    bool isFilled(int n) const { return m_filled.at(n); }
    // Sizes and places position n for its picture at the page's scale.
    void place(int n, double pageScaleX, double pageScaleY);

    void setThumbnailsVisible(bool visible);
    // Lets the pictures go while the page is not shown.
    void clearPictures();

signals:
    void backgroundPressed(Qt::MouseButton button);
    void thumbnailClicked(int n);
    void thumbnailPressed(int n, Qt::MouseButton button, const QPoint &globalPos);
    void fileDropped(int n, const QString &path);

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    std::array<PictureView *, kPositions + 1> m_views{};  // entry 0 unused
    std::array<bool, kPositions + 1> m_filled{};
    DecodedPicture m_placeholder;
    // Made once, so that every empty position shares the one picture.
    QPixmap m_placeholderPixmap;
};
