#pragma once

#include "app/OwnedWindow.h"

#include <QWidget>

#include <memory>

class DescriptionBox;
class Navigator;
class PictureRecordSet;
class QPushButton;
class QTimer;
struct AppContext;

// The description of one picture position: shown read-only when there is
// one (with "&Edit" and "&Delete"), or ready for typing when there is none.
// "&Close" stores what was typed or changed.
class PictureInfoWindow : public QWidget, public OwnedWindow
{
    Q_OBJECT

public:
    PictureInfoWindow(AppContext &context, Navigator &navigator);
    ~PictureInfoWindow() override;

    QWidget *widget() override { return this; }
    void activated() override;

    void showButtons();
    void CmdEdit_Click();
    void cmdDelete_Click();
    // Returns false when the description could not be stored; the window then
    // stays, with the text, so nothing typed is lost.
    bool cmdClose_Click();

    bool isEditing() const { return m_edit; }
    QString text() const;

protected:
    void hideEvent(QHideEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void setEditAndDeleteVisible(bool visible);

    AppContext &m_context;
    DescriptionBox *m_text = nullptr;
    QPushButton *m_editButton = nullptr;
    QPushButton *m_deleteButton = nullptr;
    QPushButton *m_closeButton = nullptr;
    QTimer *m_buttonTimer = nullptr;
    std::shared_ptr<PictureRecordSet> m_records;
    bool m_edit = false;
    QString m_shownAlbum;
    int m_shownPage = 0;
    int m_shownPicture = 0;
};
