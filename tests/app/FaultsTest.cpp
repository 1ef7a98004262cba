#include "albumpage/AlbumPageWindow.h"
#include "albumpage/EditController.h"
#include "albumpage/ThumbnailGrid.h"
#include "albums/AlbumListWindow.h"
#include "app/ReadMeWindow.h"
#include "display/PictureWindow.h"
#include "pictureinfo/PictureInfoWindow.h"
#include "support/DescriptionFile.h"
#include "support/ReadOnlyPath.h"
#include "support/TestEnvironment.h"
#include "support/TestMain.h"
#include "widgets/PictureView.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QScopeGuard>
#include <QtTest>

#include <optional>

#ifdef Q_OS_UNIX
#include <signal.h>
#include <sys/resource.h>
#endif

namespace {

const QString kAlbum = QStringLiteral("Garden");

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// While it lives, no file of this process may grow past the given size: a
// write beyond it fails as on a full disk, and asks no special rights. The
// signal such a write raises is ignored meanwhile, so the write only fails.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(qint64 bytes)
    {
#ifdef Q_OS_UNIX
        if (getrlimit(RLIMIT_FSIZE, &m_before) != 0)
            return;
        struct rlimit limited = m_before;
        limited.rlim_cur = rlim_t(bytes);
        if (m_before.rlim_max != RLIM_INFINITY && m_before.rlim_max < limited.rlim_cur)
            return;
        m_signal = signal(SIGXFSZ, SIG_IGN);
        m_active = setrlimit(RLIMIT_FSIZE, &limited) == 0;
        if (!m_active)
            signal(SIGXFSZ, m_signal);
#else
        Q_UNUSED(bytes);
#endif
    }

    ~FileSizeLimit()
    {
#ifdef Q_OS_UNIX
        if (!m_active)
            return;
        setrlimit(RLIMIT_FSIZE, &m_before);
        signal(SIGXFSZ, m_signal);
#endif
    }

    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    bool isActive() const
    {
        return m_active;
    }

private:
#ifdef Q_OS_UNIX
    struct rlimit m_before = {};
    void (*m_signal)(int) = SIG_DFL;
#endif
    bool m_active = false;
};

PictureInfoWindow &describe(TestEnvironment &env, int page, int picture, const QString &text)
{
    env.session.album = kAlbum;
    env.session.page = page;
    env.session.picture = picture;
    PictureInfoWindow &w = env.owner().descriptionWindow();
    env.owner().present(w);
    if (!text.isEmpty())
        w.findChild<QPlainTextEdit *>(QStringLiteral("Text1"))->setPlainText(text);
    return w;
}

// Pastes a picture of the given size that the album cannot take: the user is
// told, and the picture that was there stays as it was.
void pasteRefused(TestEnvironment &env, AlbumPageWindow &form, int position, const QSize &size)
{
    const QString old = form.grid().view(position)->path();
    const QByteArray before = contents(old);
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QApplication::clipboard()->setImage(picture);
    form.editing().setPopupPosition(position);
    env.dialogs.answer(Dialogs::Answer::Yes);
    form.editing().mnuAddFromClipboard_Click();
    QVERIFY(env.dialogs.lastText().startsWith("The picture could not be saved"));
    QCOMPARE(form.grid().view(position)->path(), old);
    QCOMPARE(contents(old), before);
    QVERIFY(!before.isEmpty());
}

}  // namespace

class FaultsTest : public QObject
{
    Q_OBJECT

private slots:
    void readOnlyFoldersLoseNothing()
    {
        TestEnvironment env;
        const QString old = env.putPicture(kAlbum, QStringLiteral("P1I0.jpg"), QSize(40, 30));
        const QByteArray before = contents(old);
        ReadOnlyPath programLock(env.programFolder());
        ReadOnlyPath albumLock(env.store.albumFolder(kAlbum));
        if (!programLock.isActive() || !albumLock.isActive())
            QSKIP("cannot make a folder read-only here");
        // The first run cannot install the demo album; it goes on.
        env.owner().start();
        QVERIFY(env.owner().readMe().isVisible());
        AlbumPageWindow *form = env.openAlbum(kAlbum);
        QVERIFY(form);
        // No album can be made here, so none is offered.
        const QListWidget *albums = env.owner().albumList().list();
        QCOMPARE(albums->count(), 1);
        QCOMPARE(albums->item(0)->text(), kAlbum);

        pasteRefused(env, *form, 1, QSize(20, 20));
        form->findChild<QAction *>(QStringLiteral("mnuDelete"))->trigger();
        env.dialogs.answer(Dialogs::Answer::Yes);
        QTest::mouseClick(form->grid().view(1), Qt::LeftButton);
        QVERIFY(env.dialogs.lastText().startsWith("The picture could not be deleted"));
        QCOMPARE(contents(old), before);
        QCOMPARE(QDir(env.store.albumFolder(kAlbum)).entryList(QDir::Files), QStringList("P1I0.jpg"));
    }

    // Three megabytes of bitmap where one megabyte is left: the write fails
    // part way, the user is told, and neither the picture that was there nor
    // any part of the new one is lost or left behind. Any user can limit the
    // size of the files a process writes; only root can mount a small disk.
    void fullDiskNeverCostsAPicture_data()
    {
        QTest::addColumn<bool>("smallDisk");
        QTest::newRow("file size limit") << false;
        QTest::newRow("one-megabyte disk") << true;
    }

    void fullDiskNeverCostsAPicture()
    {
        QFETCH(bool, smallDisk);
        QTemporaryDir disk;
        if (smallDisk) {
            const QStringList mount{"-t", "tmpfs", "-o", "size=1m", "tmpfs", disk.path()};
            if (QProcess::execute(QStringLiteral("mount"), mount) != 0)
                QSKIP("cannot mount a small file system here (needs root); the file size limit stands in");
        }
        const auto unmount = qScopeGuard([&disk, smallDisk] {
            if (smallDisk)
                QProcess::execute(QStringLiteral("umount"), {disk.path()});
        });
        TestEnvironment env(smallDisk ? disk.path() : QString());
        QFile::remove(env.store.helpFilePath());  // room for the album on the small disk
        env.putPicture(kAlbum, QStringLiteral("P1I1.bmp"), QSize(60, 40));
        AlbumPageWindow *form = env.openAlbum(kAlbum);
        QVERIFY(form);
        std::optional<FileSizeLimit> limit;
        if (!smallDisk) {
            limit.emplace(1 << 20);
            if (!limit->isActive())
                QSKIP("cannot limit the size of files here");
        }
        pasteRefused(env, *form, 2, QSize(1000, 1000));
        limit.reset();
        QCOMPARE(QDir(env.store.albumFolder(kAlbum)).entryList(QDir::Files | QDir::Hidden), QStringList("P1I1.bmp"));
    }

    // Neither the picture (gone since the page was loaded) nor the
    // placeholder file is there: a drawn placeholder stands in.
    void missingFilesFallBackToADrawnPlaceholder()
    {
        TestEnvironment env;
        QVERIFY(QFile::remove(env.store.placeholderPath()));
        const QString path = env.putPicture(kAlbum, QStringLiteral("P1I2.jpg"), QSize(80, 60));
        AlbumPageWindow *form = env.openAlbum(kAlbum);
        QVERIFY(form);
        QVERIFY(QFile::remove(path));
        for (int n : {2, 3}) {
            QVERIFY(form->grid().view(n)->hasPicture());
            form->thumbnailClicked(n);
            QVERIFY(env.owner().pictureWindow().image()->hasPicture());
            env.owner().pictureWindow().mnuBack_Click();
        }
    }

    void damagedDescriptionsFileIsToldAndLeftAlone()
    {
        TestEnvironment env;
        const QString path = env.store.databasePath();
        QFile db(path);
        QVERIFY(db.open(QIODevice::WriteOnly));
        db.write(QByteArray(4096, 'x'));
        db.close();
        describe(env, 1, 1, QString()).hide();
        QCOMPARE(env.dialogs.shown().size(), 1);
        QVERIFY(env.dialogs.lastText().contains(path));
        QCOMPARE(contents(path), QByteArray(4096, 'x'));
    }

    // Two copies of the program on one program folder, and a third process
    // holding the descriptions file locked for a while.
    void twoCopiesShareTheDescriptions()
    {
        TestEnvironment first;
        TestEnvironment second(first.programFolder());
        PictureInfoWindow &a = describe(first, 1, 1, QStringLiteral("written by the first"));
        DescriptionFile::Connection other(first.store.databasePath());
        QVERIFY(other.exec(QStringLiteral("BEGIN EXCLUSIVE")));
        QVERIFY(!a.cmdClose_Click());
        QCOMPARE(first.dialogs.shown().size(), 1);
        QVERIFY(other.exec(QStringLiteral("COMMIT")));
        QVERIFY(a.cmdClose_Click());
        PictureInfoWindow &b = describe(second, 1, 1, QString());
        QCOMPARE(b.text(), QStringLiteral("written by the first"));
        b.hide();

        // Both writing in turn: every row arrives, the file stays whole.
        for (int i = 1; i <= 6; ++i) {
            QVERIFY(describe(first, 2, i, QStringLiteral("a%1").arg(i)).cmdClose_Click());
            QVERIFY(describe(second, 3, i, QStringLiteral("b%1").arg(i)).cmdClose_Click());
        }
        QCOMPARE(other.rows().size(), 13);
        QCOMPARE(other.rows().first(), QStringLiteral("Garden|1|1|written by the first"));
        QVERIFY(other.exec(QStringLiteral("PRAGMA integrity_check")));
    }
};

KOLUMBRA_TEST(FaultsTest)
#include "FaultsTest.moc"
