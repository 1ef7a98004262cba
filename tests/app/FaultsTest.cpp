#include "albums/frmSelect.h"
#include "albumview/Form1.h"
#include "app/frmReadMe.h"
#include "display/frmDisplayPicture.h"
#include "editing/EditController.h"
#include "pictureinfo/frmDiscription.h"
#include "platform/PictureView.h"
#include "support/DescriptionFile.h"
#include "support/ReadOnlyPath.h"
#include "support/TestEnvironment.h"
#include "support/TestMain.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>

namespace {

const QString kAlbum = QStringLiteral("Garden");

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList entries(frmSelect &list)
{
    QStringList out;
    for (int i = 0; i < list.list()->count(); ++i)
        out << list.list()->item(i)->text();
    return out;
}

frmDiscription &describe(TestEnvironment &env, int page, int picture, const QString &text)
{
    env.values.AlbumName = kAlbum;
    env.values.PageNumber = page;
    env.values.PictureNumber = picture;
    frmDiscription &w = env.owner().descriptionWindow();
    env.owner().present(w);
    if (!text.isEmpty())
        w.findChild<QPlainTextEdit *>(QStringLiteral("Text1"))->setPlainText(text);
    return w;
}

// A small file system of its own, mounted for the test; unmounted at the end.
class SmallDisk
{
public:
    explicit SmallDisk(const QString &size)
    {
        m_ok = QProcess::execute(QStringLiteral("mount"),
                                 {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                                  QStringLiteral("size=") + size, QStringLiteral("tmpfs"), m_dir.path()})
            == 0;
    }
    ~SmallDisk()
    {
        if (m_ok)
            QProcess::execute(QStringLiteral("umount"), {m_dir.path()});
    }
    bool ok() const { return m_ok; }
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    bool m_ok = false;
};

QImage noise(const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    QRandomGenerator rng(7);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, rng.generate());
    return image;
}

} // namespace

class FaultsTest : public QObject
{
    Q_OBJECT

private slots:
    void readOnlyProgramFolder()
    {
        TestEnvironment env;
        env.putPicture(kAlbum, 1, 1, QStringLiteral(".jpg"), QSize(40, 30));
        ReadOnlyPath lock(env.programFolder());
        if (!lock.isActive())
            QSKIP("cannot make a folder read-only here");
        // The first run cannot install the demo album; it goes on quietly.
        env.owner().start();
        QVERIFY(env.owner().readMe().isVisible());
        QVERIFY(!QFileInfo::exists(env.store.demoAlbumFolder()));
        frmSelect &list = env.owner().albumList();
        env.owner().present(list);
        QCOMPARE(entries(list), QStringList(kAlbum));  // nothing can be created here
        QVERIFY(env.openAlbum(kAlbum));

        // Descriptions cannot be kept: said once, and what was typed stays.
        frmDiscription &w = describe(env, 1, 1, QStringLiteral("roses"));
        QVERIFY(!w.cmdClose_Click());
        QVERIFY(w.isVisible());
        const int told = env.dialogs.shown().size();
        QVERIFY(told >= 1);
        QVERIFY(env.dialogs.shown().first().text.contains(env.store.databasePath()));
    }

    void readOnlyAlbumKeepsEveryPicture()
    {
        TestEnvironment env;
        const QString old = env.putPicture(kAlbum, 1, 1, QStringLiteral(".jpg"), QSize(40, 30));
        const QByteArray before = contents(old);
        Form1 *form = env.openAlbum(kAlbum);
        QVERIFY(form);
        ReadOnlyPath lock(env.store.albumFolder(kAlbum));
        if (!lock.isActive())
            QSKIP("cannot make a folder read-only here");

        QApplication::clipboard()->setImage(noise(QSize(20, 20)));
        env.values.PopupIndex = 1;
        env.dialogs.answer(Dialogs::Answer::Yes);
        form->editing().mnuPFromClip_Click();
        QVERIFY(env.dialogs.lastText().startsWith(QStringLiteral("The picture could not be saved")));
        QCOMPARE(form->Image1(1)->path(), old);

        form->findChild<QAction *>(QStringLiteral("mnuDelete"))->trigger();
        env.dialogs.answer(Dialogs::Answer::Yes);
        QTest::mouseClick(form->Image1(1), Qt::LeftButton);
        QVERIFY(env.dialogs.lastText().startsWith(QStringLiteral("The picture could not be deleted")));
        QCOMPARE(form->Image1(1)->tag(), QStringLiteral("1"));
        QCOMPARE(contents(old), before);
        QCOMPARE(QDir(env.store.albumFolder(kAlbum)).entryList(QDir::Files), QStringList("P1I0.jpg"));
    }

    void missingPlaceholderIsDrawn()
    {
        TestEnvironment env;
        QVERIFY(QFile::remove(env.store.placeholderPath()));
        env.makeAlbum(kAlbum);
        Form1 *form = env.openAlbum(kAlbum);
        QVERIFY(form);
        for (int n = 1; n <= 6; ++n) {
            QVERIFY(form->Image1(n)->hasPicture());
            QCOMPARE(form->Image1(n)->tag(), QStringLiteral("0"));
        }
        form->Image1_Click(3);
        QVERIFY(env.owner().pictureWindow().image()->hasPicture());
    }

    void damagedDescriptionsFileIsToldOnceAndLeftAlone()
    {
        TestEnvironment env;
        QFile db(env.store.databasePath());
        QVERIFY(db.open(QIODevice::WriteOnly));
        db.write(QByteArray(4096, 'x'));
        db.close();
        const QByteArray damaged = contents(env.store.databasePath());
        frmDiscription &w = describe(env, 1, 1, QString());
        QCOMPARE(env.dialogs.shown().size(), 1);
        QVERIFY(env.dialogs.lastText().contains(env.store.databasePath()));
        w.hide();
        describe(env, 1, 2, QString());
        QCOMPARE(env.dialogs.shown().size(), 1);
        QCOMPARE(contents(env.store.databasePath()), damaged);
    }

    void lockedDescriptionsWaitThenSaySo()
    {
        TestEnvironment env;
        frmDiscription &w = describe(env, 2, 2, QStringLiteral("first try"));
        DescriptionFile::Connection other(env.store.databasePath());
        QVERIFY(other.exec(QStringLiteral("BEGIN EXCLUSIVE")));
        QVERIFY(!w.cmdClose_Click());
        QVERIFY(w.isVisible());
        QVERIFY(!env.dialogs.shown().isEmpty());
        QVERIFY(other.exec(QStringLiteral("COMMIT")));
        QVERIFY(w.cmdClose_Click());
        QCOMPARE(other.rows(), QStringList(QStringLiteral("Garden|2|2|first try")));
    }

    void fullDiskNeverCostsAPicture()
    {
        SmallDisk disk(QStringLiteral("1m"));
        if (!disk.ok())
            QSKIP("cannot mount a small file system here");
        TestEnvironment env(disk.path());
        QFile::remove(env.store.helpFilePath());  // room for the album
        const QString old = env.putPicture(kAlbum, 1, 2, QStringLiteral(".bmp"), QSize(60, 40));
        const QByteArray before = contents(old);
        Form1 *form = env.openAlbum(kAlbum);
        QVERIFY(form);
        // Three megabytes of bitmap do not fit on a one-megabyte disk.
        QApplication::clipboard()->setImage(noise(QSize(1000, 1000)));
        env.values.PopupIndex = 2;
        env.dialogs.answer(Dialogs::Answer::Yes);
        form->editing().mnuAddFromClipboard_Click();
        QVERIFY(env.dialogs.lastText().startsWith(QStringLiteral("The picture could not be saved")));
        QCOMPARE(contents(old), before);
        QCOMPARE(form->Image1(2)->naturalSize(), QSize(60, 40));
        QCOMPARE(QDir(env.store.albumFolder(kAlbum)).entryList(QDir::Files | QDir::Hidden), QStringList("P1I1.bmp"));
    }

    void pictureGoneSinceThePageWasLoaded()
    {
        TestEnvironment env;
        const QString path = env.putPicture(kAlbum, 1, 3, QStringLiteral(".jpg"), QSize(80, 60));
        Form1 *form = env.openAlbum(kAlbum);
        QVERIFY(form);
        QVERIFY(QFile::remove(path));
        form->Image1_Click(3);
        QVERIFY(env.owner().pictureWindow().image()->hasPicture());
        env.owner().pictureWindow().mnuBack_Click();
        env.values.PopupIndex = 3;
        form->editing().mnuDToClip_Click();
        QVERIFY(!QApplication::clipboard()->image().isNull());
    }

    void twoCopiesShareTheDescriptions()
    {
        TestEnvironment first;
        TestEnvironment second(first.programFolder());
        frmDiscription &a = describe(first, 1, 1, QStringLiteral("written by the first"));
        QVERIFY(a.cmdClose_Click());
        frmDiscription &b = describe(second, 1, 1, QString());
        QCOMPARE(b.text(), QStringLiteral("written by the first"));
        b.hide();

        // Both writing at once: every row arrives, the file stays whole.
        for (int i = 1; i <= 6; ++i) {
            QVERIFY(describe(first, 2, i, QStringLiteral("a%1").arg(i)).cmdClose_Click());
            QVERIFY(describe(second, 3, i, QStringLiteral("b%1").arg(i)).cmdClose_Click());
        }
        DescriptionFile::Connection check(first.store.databasePath());
        QCOMPARE(check.rows().size(), 13);
        QVERIFY(check.exec(QStringLiteral("PRAGMA integrity_check")));
    }
};

KOLUMBRA_TEST(FaultsTest)
#include "FaultsTest.moc"
