#pragma once

#include "albumpage/AlbumPageWindow.h"
#include "albumpage/EditController.h"
#include "albumpage/PictureFilePicker.h"
#include "albumpage/ThumbnailGrid.h"
#include "support/TestEnvironment.h"
#include "widgets/PictureView.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTimer>

#include <functional>
#include <memory>

// The album page of a test album, ready for editing.
struct EditingFixture
{
    TestEnvironment env;
    AlbumPageWindow *form = nullptr;
    const QString album = QStringLiteral("Album");

    EditingFixture() { env.makeAlbum(album); }

    bool open()
    {
        form = env.openAlbum(album);
        return form != nullptr;
    }

    EditController &editing() { return form->editing(); }
    QAction *action(const char *name) { return form->findChild<QAction *>(QLatin1String(name)); }
    QString label() { return form->instructionLabel()->isVisible() ? form->instructionLabel()->text() : QString(); }
    QString file(const QString &name) { return env.albumFile(album, name); }
    QStringList albumFiles() { return QDir(env.store.albumFolder(album)).entryList(QDir::Files, QDir::Name); }

    // Whether the nine menus an edit mode greys are all `enabled`.
    bool editMenus(bool enabled)
    {
        for (const char *name : {"mnuPage", "mnuSelectAlbum", "mnuAdd", "mnuClipboard", "mnuHelp", "mnuAddDisk",
                                 "mnuDClip", "mnuDelete", "mnuDDelete"}) {
            if (action(name)->isEnabled() != enabled)
                return false;
        }
        return true;
    }

    // Runs what the user does in the viewer once it is shown modal. Steps
    // that leave it open (a failed check) end with "E&xit", never a hang.
    void whileViewerOpen(std::function<void(PictureFilePicker &)> steps)
    {
        auto *poll = new QTimer(form);
        poll->setInterval(5);
        auto waited = std::make_shared<int>(0);
        QObject::connect(poll, &QTimer::timeout, form, [this, steps, poll, waited] {
            PictureFilePicker *viewer = editing().picker();
            if (!(viewer && viewer->isVisible()) && ++*waited < 1000)
                return;
            poll->stop();
            poll->deleteLater();
            if (viewer && viewer->isVisible())
                steps(*viewer);
            viewer = editing().picker();
            if (viewer && viewer->isVisible())
                viewer->exitClicked();
        });
        poll->start();
    }
};

inline QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
