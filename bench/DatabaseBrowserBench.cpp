#include "Bench.h"
#include "BenchPictures.h"
#include "BenchTable.h"

#include "albumstore/DesktopThumbnails.h"
#include "pictureinfo/DatabaseBrowserWindow.h"
#include "support/TestEnvironment.h"
#include "widgets/PictureView.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <ctime>
#include <vector>

namespace {

constexpr int kRows = 100000;
constexpr int kRuns = 15;
constexpr int kMoves = 200;

// Lets the window take its decoded picture, however long the worker takes.
void waitForPicture(DatabaseBrowserWindow &form)
{
    while (form.pictureLoading())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

QPushButton *button(DatabaseBrowserWindow &form, const char *name)
{
    return form.findChild<QPushButton *>(QLatin1String(name));
}

QString current(DatabaseBrowserWindow &form)
{
    return form.findChild<QLabel *>(QStringLiteral("lblCurrent"))->text();
}

// Milliseconds for one press of a button, the median of `presses` presses;
// `between` runs untimed before each press.
double pressMs(QPushButton *pressed, int presses, const std::function<void()> &between)
{
    return Bench::medianMs(
        presses, [pressed] { pressed->click(); }, between);
}

void databaseBrowser()
{
    TestEnvironment env(QSize(1920, 1080));
    BenchTable::fill(env, kRows);
    // The first row, and the one after it, have camera pictures.
    const QStringList photos = BenchPictures::photos(2, QSize(6000, 4000));
    env.putFile(BenchTable::albumOf(0), QStringLiteral("P1I0.jpg"), photos.at(0));
    env.putFile(BenchTable::albumOf(0), QStringLiteral("P1I1.jpg"), photos.at(1));

    // Opening: the window made, shown, the table read, the first row and its
    // 24-megapixel picture on the screen.
    // The processor time, over all threads, is given as well: on a machine
    // busy with other work the wall time mostly says how busy it is.
    // The first time ever: nothing in the desktop's thumbnail cache.
    std::vector<double> opens;
    std::vector<double> openCpu;
    for (int run = 0; run < kRuns; ++run) {
        env.emptyThumbnailCache();
        QElapsedTimer t;
        t.start();
        const std::clock_t cpu = std::clock();
        DatabaseBrowserWindow fresh(env.owner().context(), env.owner());
        fresh.show();
        fresh.activated();
        waitForPicture(fresh);
        opens.push_back(t.nsecsElapsed() / 1e6);
        openCpu.push_back(double(std::clock() - cpu) * 1000.0 / CLOCKS_PER_SEC);
        if (!fresh.image()->hasPicture() || current(fresh) != QLatin1String("Current Record = 1"))
            qFatal("the first row was not shown with its picture");
    }
    Bench::report(QStringLiteral("database_open_100k_first_row_with_24MP_picture"), Bench::median(opens),
                  QStringLiteral("ms"));
    Bench::report(QStringLiteral("database_open_100k_first_row_with_24MP_picture_cpu"), Bench::median(openCpu),
                  QStringLiteral("ms"));
    // Any later start: the picture's thumbnail in the cache.
    DesktopThumbnails::waitForWrites();
    Bench::report(QStringLiteral("database_open_100k_first_row_picture_from_cache"),
                  Bench::medianMs(kRuns,
                                  [&env] {
                                      DatabaseBrowserWindow fresh(env.owner().context(), env.owner());
                                      fresh.show();
                                      fresh.activated();
                                      waitForPicture(fresh);
                                  }),
                  QStringLiteral("ms"));

    env.owner().showDatabaseBrowser();
    DatabaseBrowserWindow &form = env.owner().databaseBrowser();
    waitForPicture(form);
    QPushButton *first = button(form, "cmdMoveFirst");
    QPushButton *previous = button(form, "cmdMovePrevious");
    QPushButton *next = button(form, "cmdMoveNext");
    QPushButton *last = button(form, "cmdMoveLast");

    // Each move button: fields, counters and buttons updated. Rows far from
    // the start have no picture file.
    last->click();
    previous->click();
    Bench::report(QStringLiteral("database_move_next_ms"), pressMs(next, kMoves, [&] { previous->click(); }),
                  QStringLiteral("ms"));
    Bench::report(QStringLiteral("database_move_previous_ms"), pressMs(previous, kMoves, [&] { next->click(); }),
                  QStringLiteral("ms"));
    Bench::report(QStringLiteral("database_move_last_ms"), pressMs(last, kMoves, [&] { first->click(); }),
                  QStringLiteral("ms"));
    Bench::report(QStringLiteral("database_move_first_ms"), pressMs(first, kMoves, [&] { last->click(); }),
                  QStringLiteral("ms"));
    if (current(form) != QLatin1String("Current Record = 1"))
        qFatal("the move buttons did not go where they should");

    // Opened again: the table read afresh, the picture seen before kept.
    std::vector<double> reopens;
    for (int run = 0; run < kRuns; ++run) {
        form.hide();
        QElapsedTimer t;
        t.start();
        env.owner().showDatabaseBrowser();
        waitForPicture(form);
        reopens.push_back(t.nsecsElapsed() / 1e6);
        if (!form.image()->hasPicture())
            qFatal("the first row was not shown with its picture");
    }
    Bench::report(QStringLiteral("database_reopen_100k_first_row_with_picture_seen_before"), Bench::median(reopens),
                  QStringLiteral("ms"));

    // Onto a row with a camera picture not seen before: the press itself, and
    // until the picture is drawn (decoded meanwhile off the user's way).
    std::vector<double> pressed;
    std::vector<double> drawn;
    const QString firstPicture = env.store.picturePath(BenchTable::albumOf(0), 1, 1, QStringLiteral(".jpg"));
    for (int run = 0; run < kRuns; ++run) {
        last->click();
        waitForPicture(form);
        QFile touched(firstPicture);
        touched.open(QIODevice::ReadWrite);
        touched.setFileTime(QDateTime::currentDateTime().addSecs(run + 1), QFileDevice::FileModificationTime);
        touched.close();
        QElapsedTimer t;
        t.start();
        first->click();
        pressed.push_back(t.nsecsElapsed() / 1e6);
        waitForPicture(form);
        drawn.push_back(t.nsecsElapsed() / 1e6);
        if (!form.image()->hasPicture())
            qFatal("the picture of the first row was not shown");
    }
    Bench::report(QStringLiteral("database_move_first_onto_new_24MP_picture_press_ms"), Bench::median(pressed),
                  QStringLiteral("ms"));
    Bench::report(QStringLiteral("database_move_first_onto_new_24MP_picture_drawn_ms"), Bench::median(drawn),
                  QStringLiteral("ms"));

    // Contains-searches, timed from the press of "Start Search" to the first
    // row found being shown.
    auto searchMs = [&](const char *field, const QString &text, int expected) {
        std::vector<double> times;
        for (int run = 0; run < kRuns; ++run) {
            button(form, "cmdSearch")->click();
            form.findChild<QRadioButton *>(QLatin1String(field))->click();
            form.findChild<QLineEdit *>(QStringLiteral("TxtSearch"))->setText(text);
            QElapsedTimer t;
            t.start();
            button(form, "cmdSearch")->click();
            times.push_back(t.nsecsElapsed() / 1e6);
            const QString found = form.findChild<QLabel *>(QStringLiteral("lblFound"))->text();
            if (found != QStringLiteral("Found - %1 - Records").arg(expected))
                qFatal("search for %s: %s", qPrintable(text), qPrintable(found));
        }
        return Bench::median(times);
    };
    Bench::report(QStringLiteral("database_search_descriptions_100k_ms"),
                  searchMs("optDisc", QStringLiteral("ZÜRICH, bild 99"), 111), QStringLiteral("ms"));
    Bench::report(QStringLiteral("database_search_album_names_100k_ms"),
                  searchMs("optAlb", QStringLiteral("UM 00123"), BenchTable::kRowsPerAlbum), QStringLiteral("ms"));
    if (!env.dialogs.shown().isEmpty())
        qFatal("unexpected message: %s", qPrintable(env.dialogs.lastText()));
}

}  // namespace

KOLUMBRA_BENCH(DatabaseBrowser, databaseBrowser)
