#include "platform/QtDialogs.h"
#include "support/TestMain.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {

// What the user saw in a box and whether a key put it away.
struct Seen
{
    QString title;
    QString text;
    bool closedByKey = false;
};

// Once the box is up, reads it and presses the key in it; looks every ten
// milliseconds for five seconds. A box the key leaves open is put away, so
// that the test goes on and fails rather than hangs.
void pressWhenShown(Qt::Key key, Seen &seen, int triesLeft = 500)
{
    QTimer::singleShot(10, qApp, [key, &seen, triesLeft] {
        QPointer<QWidget> box = QApplication::activeModalWidget();
        if (!box) {
            if (triesLeft > 0)
                pressWhenShown(key, seen, triesLeft - 1);
            return;
        }
        seen.title = box->windowTitle();
        if (auto *message = qobject_cast<QMessageBox *>(box))
            seen.text = message->text();
        else if (auto *input = qobject_cast<QInputDialog *>(box))
            seen.text = input->labelText();
        QTest::keyClick(box, key);
        seen.closedByKey = !box || !box->isVisible();
        if (box && box->isVisible())
            qobject_cast<QDialog *>(box)->done(QDialog::Rejected);
    });
}

QString toText(Dialogs::Answer answer)
{
    switch (answer) {
    case Dialogs::Answer::Ok:
        return QStringLiteral("Ok");
    case Dialogs::Answer::Yes:
        return QStringLiteral("Yes");
    case Dialogs::Answer::No:
        return QStringLiteral("No");
    case Dialogs::Answer::Cancel:
        return QStringLiteral("Cancel");
    }
    return {};
}

}  // namespace

// The real boxes the program asks its questions in, answered from the
// keyboard as a user would.
class QtDialogsTest : public QObject
{
    Q_OBJECT

private slots:
    // Esc answers the way out the box offers: Cancel where there is one, else
    // No; in the input box it gives the empty text whatever was typed.
    void keysAnswerTheBoxes_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("answer");
        QTest::newRow("Yes/No/Cancel, Esc") << "yesnocancel" << int(Qt::Key_Escape) << "Cancel";
        QTest::newRow("Yes/No, Esc") << "yesno" << int(Qt::Key_Escape) << "No";
        QTest::newRow("message, Esc") << "message" << int(Qt::Key_Escape) << "";
        QTest::newRow("input, Esc") << "input" << int(Qt::Key_Escape) << "";
        QTest::newRow("input, Enter") << "input" << int(Qt::Key_Return) << "Summer 2003";
    }

    void keysAnswerTheBoxes()
    {
        QFETCH(QString, box);
        QFETCH(int, key);
        QFETCH(QString, answer);
        QtDialogs dialogs;
        Seen seen;
        pressWhenShown(Qt::Key(key), seen);
        const QString text = QStringLiteral("Are you sure?");
        const QString title = QStringLiteral("WARNING");
        QString got;
        if (box == QLatin1String("yesnocancel"))
            got = toText(dialogs.askYesNoCancel(text, title));
        else if (box == QLatin1String("yesno"))
            got = toText(dialogs.askYesNo(text, title));
        else if (box == QLatin1String("message"))
            dialogs.message(text, title);
        else
            got = dialogs.input(text, title, QStringLiteral("Summer 2003"));
        QVERIFY(seen.closedByKey);
        QCOMPARE(seen.title, title);
        QCOMPARE(seen.text, text);
        QCOMPARE(got, answer);
    }
};

KOLUMBRA_TEST(QtDialogsTest)
#include "QtDialogsTest.moc"
