#pragma once

#include <QListWidget>

// A list of album names as the album windows use it: a double click or Enter
// opens the chosen entry (Enter chooses the entry the keyboard is on), and a
// right click asks for the popup of the entry chosen before with a left
// click, without choosing another.
class AlbumListBox : public QListWidget
{
    Q_OBJECT

public:
    explicit AlbumListBox(QWidget *parent = nullptr);

    // The chosen entry's text; empty when none is chosen.
    QString selectedText() const;

    // Lists the albums, or says there are none.
    void showAlbums(const QStringList &albums);

    // The line beside the list that says how to choose.
    static inline const QString kHowToChoose =
        QStringLiteral("Either double click the album name\r\nor\r\n"
                       "select the album with a left click and  then display a menu with a right click.");

signals:
    void opened();
    void rightPressed(const QPoint &globalPos);
    void focused();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
};
