#include "widgets/AlbumListBox.h"

#include "albumstore/AlbumName.h"

#include <QKeyEvent>
#include <QMouseEvent>

AlbumListBox::AlbumListBox(QWidget *parent)
    : QListWidget(parent)
{
}

QString AlbumListBox::selectedText() const
{
    const QListWidgetItem *item = currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

void AlbumListBox::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton) {
        emit rightPressed(event->globalPosition().toPoint());
        return;
    }
    QListWidget::mousePressEvent(event);
}

void AlbumListBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit opened();
}

void AlbumListBox::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (currentItem())
            currentItem()->setSelected(true);
        emit opened();
        return;
    }
    QListWidget::keyPressEvent(event);
}

void AlbumListBox::focusInEvent(QFocusEvent *event)
{
    QListWidget::focusInEvent(event);
    emit focused();
}

void AlbumListBox::showAlbums(const QStringList &albums)
{
    clear();
    if (albums.isEmpty())
        addItem(AlbumName::kNoAlbums);
    addItems(albums);
}
