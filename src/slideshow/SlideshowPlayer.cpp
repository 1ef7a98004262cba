#include "slideshow/SlideshowPlayer.h"

#include <QtConcurrent/QtConcurrentRun>

SlideshowPlayer::SlideshowPlayer(QObject *parent)
    : QObject(parent)
{
    m_timer.setObjectName(QStringLiteral("Timer1"));
    m_timer.setSingleShot(true);
    m_timer.setInterval(m_interval);
    connect(&m_timer, &QTimer::timeout, this, &SlideshowPlayer::timeUp);
}

SlideshowPlayer::~SlideshowPlayer()
{
    ++m_serial;
    // The workers hold no reference to the player, but what they decode is
    // no use to anyone once it is gone, and the program must not end under
    // them.
    for (QFuture<FoundSlide> &worker : m_workers)
        worker.waitForFinished();
}

void SlideshowPlayer::start()
{
    if (isRunning())
        return;
    ++m_serial;
    m_ahead.reset();
    m_current = SlideOrder::first();
    if (!m_loader) {
        finish();
        return;
    }
    m_interval = readInterval();
    m_phase = Phase::Searching;
    updatePlaying();
    await(launch(SlideOrder::first(), false));
}

void SlideshowPlayer::stop()
{
    if (isRunning())
        finish();
}

void SlideshowPlayer::togglePause()
{
    if (!isRunning())
        return;
    if (!m_paused) {
        m_paused = true;
    } else {
        m_paused = false;
        // A step asked for during the pause but not yet taken belongs to the
        // pause; left standing it would fire at the next pause.
        m_back = false;
        m_forward = false;
    }
    updatePlaying();
    evaluate();
}

void SlideshowPlayer::pause()
{
    if (!isRunning())
        return;
    m_paused = true;
    updatePlaying();
}

void SlideshowPlayer::requestBack()
{
    if (!isRunning() || !m_paused)
        return;
    m_back = true;
    evaluate();
}

void SlideshowPlayer::requestForward()
{
    if (!isRunning() || !m_paused)
        return;
    m_forward = true;
    evaluate();
}

void SlideshowPlayer::timeUp()
{
    m_timer.stop();
    evaluate();
}

int SlideshowPlayer::readInterval() const
{
    return m_intervalSource ? m_intervalSource() : m_timer.interval();
}

void SlideshowPlayer::evaluate()
{
    // A playing show moves on once the picture's time has run out; a paused
    // one takes a step at once, so that the key pressed shows its picture.
    if (m_phase != Phase::Showing)
        return;
    if (m_paused ? !m_back && !m_forward : m_timer.isActive())
        return;
    if (m_paused && m_back && !m_forward) {
        m_back = false;
        moveTo(SlideOrder::stepBackFrom(m_current));
        return;
    }
    if (m_paused && m_forward && !m_back) {
        m_forward = false;
    } else if (m_paused) {
        // Back and forward both asked for: the show goes on by one, as for
        // any other step, and both requests are used up; kept, they would
        // move a paused show on after every picture.
        m_back = false;
        m_forward = false;
    }
    moveTo(SlideOrder::after(m_current));
}

void SlideshowPlayer::moveTo(std::optional<SlidePosition> from)
{
    m_phase = Phase::Searching;
    if (m_ahead && m_ahead->from == from) {
        const QFuture<FoundSlide> ready = m_ahead->future;
        m_ahead.reset();
        await(ready);
        return;
    }
    m_ahead.reset();
    await(launch(from, true));
}

QFuture<FoundSlide> SlideshowPlayer::launch(std::optional<SlidePosition> from, bool wrap)
{
    m_workers.removeIf([](const QFuture<FoundSlide> &f) { return f.isFinished(); });
    QFuture<FoundSlide> future =
        QtConcurrent::run([loader = m_loader, from, wrap] { return SlideOrder::findFrom(from, loader, wrap); });
    m_workers << future;
    return future;
}

void SlideshowPlayer::await(const QFuture<FoundSlide> &future)
{
    const int serial = ++m_serial;
    if (future.isFinished()) {
        searchDone(future.result());
        return;
    }
    auto *watcher = new QFutureWatcher<FoundSlide>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, serial] {
        watcher->deleteLater();
        // A search overtaken by a stop or another search is of no use.
        if (serial == m_serial && m_phase == Phase::Searching)
            searchDone(watcher->result());
    });
    watcher->setFuture(future);
}

void SlideshowPlayer::searchDone(const FoundSlide &slide)
{
    if (slide.endReached) {
        const bool repeat = m_repeatSource && m_repeatSource();
        // An album without pictures ends at once, repeat or not.
        if (!repeat || !slide.found()) {
            finish();
            return;
        }
        // The show starts again, with the time as it is set now.
        m_interval = readInterval();
    }
    show(slide);
}

void SlideshowPlayer::show(const FoundSlide &slide)
{
    m_current = slide.position;
    m_phase = Phase::Showing;
    emit pictureReady(slide);
    if (m_phase != Phase::Showing)
        return;  // stopped while the picture was put up
    m_timer.start(m_interval);
    const std::optional<SlidePosition> next = SlideOrder::after(m_current);
    m_ahead = Search{next, launch(next, true)};
    // A step asked for while this picture was being found.
    if (m_paused)
        evaluate();
}

void SlideshowPlayer::finish()
{
    ++m_serial;
    m_phase = Phase::Stopped;
    m_timer.stop();
    m_ahead.reset();
    updatePlaying();
    emit finished();
}

void SlideshowPlayer::updatePlaying()
{
    const bool playing = isPlaying();
    if (playing == m_wasPlaying)
        return;
    m_wasPlaying = playing;
    emit playingChanged(playing);
}
