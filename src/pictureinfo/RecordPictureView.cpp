#include "pictureinfo/RecordPictureView.h"

#include "pictureinfo/RecordPicture.h"

#include <QtConcurrent/QtConcurrentRun>

#include <utility>

RecordPictureView::RecordPictureView(QWidget *parent)
    : PictureView(parent)
{
    m_decoder = new QFutureWatcher<DecodedPicture>(this);
    connect(m_decoder, &QFutureWatcherBase::finished, this, &RecordPictureView::decoded);
}

RecordPictureView::~RecordPictureView()
{
    m_decoder->waitForFinished();
}

void RecordPictureView::showFiles(const QStringList &files)
{
    const quint64 serial = ++m_wanted;
    m_next.reset();
    const QRect square = RecordPicture::toPixels(RecordPicture::fitted({}));
    hide();
    clearPicture();
    setGeometry(square);
    show();
    const QSize bound = square.size() * devicePixelRatioF();
    // Empty when none of the files exists: most rows of a large table may
    // have no picture, and those cost no trip to a worker.
    const QString key =
        RecentThumbnails::keyFor(files, QStringLiteral("browser %1x%2").arg(bound.width()).arg(bound.height()));
    if (key.isEmpty())
        return;
    if (const DecodedPicture *seen = m_seen.find(key)) {
        place(*seen);
        return;
    }
    m_next = Request{serial, files, bound, key};
    if (m_decoding == 0)
        decodeNext();
}

void RecordPictureView::showNothing()
{
    ++m_wanted;
    m_next.reset();
    clearPicture();
    setGeometry(RecordPicture::toPixels(RecordPicture::emptySquare()));
}

bool RecordPictureView::isLoading() const
{
    return m_next.has_value() || (m_decoding != 0 && m_decoding == m_wanted);
}

void RecordPictureView::decodeNext()
{
    if (!m_next)
        return;
    const Request request = *std::exchange(m_next, std::nullopt);
    m_decoding = request.serial;
    m_decodingKey = request.key;
    m_decoder->setFuture(QtConcurrent::run(RecordPicture::load, request.files, request.bound));
}

void RecordPictureView::decoded()
{
    const quint64 done = std::exchange(m_decoding, 0);
    const DecodedPicture picture = m_decoder->result();
    m_seen.insert(m_decodingKey, picture);
    if (done == m_wanted)
        place(picture);
    decodeNext();
}

void RecordPictureView::place(const DecodedPicture &picture)
{
    if (picture.isNull())
        return;
    hide();
    setGeometry(RecordPicture::toPixels(RecordPicture::fitted(picture.naturalSize)));
    setPicture(picture);
    show();
}
