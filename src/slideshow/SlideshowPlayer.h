#pragma once

#include "slideshow/SlideOrder.h"

#include <QFuture>
#include <QFutureWatcher>
#include <QList>
#include <QObject>
#include <QTimer>

#include <functional>
#include <optional>

// The rules of a playing slideshow, driven by its picture timer and by the
// user's keys and clicks; it never waits in a loop. Each picture stays for
// the set time; once that time has run out the show moves on, unless it is
// paused. A paused show moves only on a step request, and then at once,
// whatever is left of the picture's time. Steps asked for while the picture
// of the last one is still being found are taken once it is shown, as one
// step.
//
// The next slide is looked for and decoded on a worker thread while the
// current one is shown, so that the change costs no waiting.
class SlideshowPlayer : public QObject
{
    Q_OBJECT

public:
    explicit SlideshowPlayer(QObject *parent = nullptr);
    // Waits for the workers still decoding.
    ~SlideshowPlayer() override;

    // What a show plays: set before start. The interval (milliseconds) is
    // asked for at each start, also when the show starts again at the end of
    // the album; repeat is asked when the end is reached.
    void setLoader(SlideOrder::Loader loader) { m_loader = std::move(loader); }
    void setIntervalSource(std::function<int()> interval) { m_intervalSource = std::move(interval); }
    void setRepeatSource(std::function<bool()> repeat) { m_repeatSource = std::move(repeat); }

    // Starts at the first position of the album. A show stopped while paused
    // starts paused.
    void start();
    // Ends the show at once; nothing is shown afterwards.
    void stop();

    // Space: pause, or resume.
    void togglePause();
    // Help: pause.
    void pause();
    // Keypad minus or a left click; only while paused.
    void requestBack();
    // Keypad plus or a right click; only while paused.
    void requestForward();
    // The picture's time has run out.
    void timeUp();

    bool isRunning() const { return m_phase != Phase::Stopped; }
    bool isPaused() const { return m_paused; }
    // Running and not paused: the pointer is hidden and the screen kept awake.
    bool isPlaying() const { return isRunning() && !m_paused; }
    // Looking for or decoding the picture to show next.
    bool isLoading() const { return m_phase == Phase::Searching; }
    // The position of the picture on screen.
    SlidePosition current() const { return m_current; }
    const QTimer &timer() const { return m_timer; }

signals:
    void pictureReady(const FoundSlide &slide);
    void playingChanged(bool playing);
    // The show ended: at the end of the album without repeat, for an album
    // without pictures, or because it was stopped.
    void finished();

private:
    enum class Phase {
        Stopped,
        Searching,
        Showing
    };

    struct Search
    {
        std::optional<SlidePosition> from;
        QFuture<FoundSlide> future;
    };

    void evaluate();
    void moveTo(std::optional<SlidePosition> from);
    QFuture<FoundSlide> launch(std::optional<SlidePosition> from, bool wrap);
    void await(const QFuture<FoundSlide> &future);
    int readInterval() const;
    void searchDone(const FoundSlide &slide);
    void show(const FoundSlide &slide);
    void finish();
    void updatePlaying();

    SlideOrder::Loader m_loader;
    std::function<int()> m_intervalSource;
    std::function<bool()> m_repeatSource;

    Phase m_phase = Phase::Stopped;
    // Not reset between shows: a show stopped while paused starts paused.
    bool m_paused = false;
    bool m_back = false;
    bool m_forward = false;
    bool m_wasPlaying = false;
    int m_interval = 1000;
    SlidePosition m_current;
    QTimer m_timer;

    // The search for the slide after the current one, started when it went up.
    std::optional<Search> m_ahead;
    // Counts searches awaited and stops: a result is taken only by the search
    // that is still the latest.
    int m_serial = 0;
    QList<QFuture<FoundSlide>> m_workers;
};
