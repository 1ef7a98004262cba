#pragma once

#include "albumstore/PictureLoader.h"
#include "albumstore/RecentThumbnails.h"
#include "widgets/PictureView.h"

#include <QFutureWatcher>
#include <QStringList>

#include <optional>

// The picture beside a description in the database browser, in its square of
// the window. Pictures decode off the user-interface thread, one at a time;
// moving on while one decodes only replaces the request waiting behind it, so
// the latest row always wins. Pictures already seen are kept, so going back
// to a row costs nothing.
class RecordPictureView : public PictureView
{
    Q_OBJECT

public:
    explicit RecordPictureView(QWidget *parent = nullptr);
    // Waits for the picture being decoded.
    ~RecordPictureView() override;

    // Shows the picture of a position looked up under `files`. The square is
    // emptied first: a row without a picture must not keep the one of the
    // row shown before it.
    void showFiles(const QStringList &files);
    // Empties the square and puts it where it waits between rows; a picture
    // still decoding is not shown.
    void showNothing();
    // A picture is still being decoded for the row shown.
    bool isLoading() const;

private:
    struct Request
    {
        quint64 serial = 0;
        QStringList files;
        QSize bound;
        QString key;
    };

    void decodeNext();
    void decoded();
    void place(const DecodedPicture &picture);

    QFutureWatcher<DecodedPicture> *m_decoder = nullptr;
    std::optional<Request> m_next;
    QString m_decodingKey;
    quint64 m_wanted = 0;    // the picture wanted now
    quint64 m_decoding = 0;  // the one being decoded; 0 when none
    RecentThumbnails m_seen{16 * 1024};
};
