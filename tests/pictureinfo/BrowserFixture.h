#pragma once

#include "support/DescriptionFile.h"

#include "app/WindowOwner.h"
#include "pictureinfo/frmDatabase.h"
#include "platform/PictureView.h"
#include "support/TestEnvironment.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

// Drives the database browser as a user would: by its controls, found by
// their names, with questions answered from the test's script.
namespace BrowserFixture {

// Shown in the order Alpha 2/1, beta 1/1, beta 1/2.
inline const QList<PictureRecord> kThreeRows = {
    {QStringLiteral("beta"), 1, 2, QStringLiteral("second of beta")},
    {QStringLiteral("Alpha"), 2, 1, QStringLiteral("alpha two")},
    {QStringLiteral("beta"), 1, 1, QStringLiteral("first of beta")},
};

template <typename T = QWidget> T *control(const frmDatabase &form, const char *name)
{
    auto *widget = form.findChild<T *>(QLatin1String(name));
    if (!widget)
        qFatal("no control %s", name);
    return widget;
}

inline QPushButton *button(const frmDatabase &form, const char *name) { return control<QPushButton>(form, name); }
inline QPlainTextEdit *description(const frmDatabase &form) { return control<QPlainTextEdit>(form, "txtDiscription"); }

// Presses a button as a click would; a disabled button does nothing.
inline void press(const frmDatabase &form, const char *name) { QTest::mouseClick(button(form, name), Qt::LeftButton); }

inline frmDatabase &open(TestEnvironment &env)
{
    env.owner().showDatabaseBrowser();
    return env.owner().databaseBrowser();
}

// The names of the enabled buttons, in the window's order.
inline QStringList enabledButtons(const frmDatabase &form)
{
    QStringList names;
    for (const char *name : {"cmdClose", "cmdCancel", "cmdEdit", "cmdAddNew", "cmdDelete", "cmdSearch",
                             "cmdMoveFirst", "cmdMovePrevious", "cmdMoveNext", "cmdMoveLast"}) {
        if (button(form, name)->isEnabled())
            names << QLatin1String(name);
    }
    return names;
}

inline const QStringList kBrowsingNoMoves = {"cmdClose", "cmdEdit", "cmdAddNew", "cmdDelete", "cmdSearch"};
inline const QStringList kEmptyTable = {"cmdClose", "cmdAddNew", "cmdSearch"};
inline const QStringList kTyping = {"cmdClose", "cmdCancel"};
inline const QStringList kAllMoves = {"cmdMoveFirst", "cmdMovePrevious", "cmdMoveNext", "cmdMoveLast"};

inline QStringList browsing(const QStringList &moves) { return kBrowsingNoMoves + moves; }

// The four fields as "album|page|picture|description".
inline QString fields(const frmDatabase &form)
{
    return QStringList{control<QLineEdit>(form, "txtAlbumName")->text(), control<QLineEdit>(form, "txtPage")->text(),
                       control<QLineEdit>(form, "txtImageNumber")->text(), description(form)->toPlainText()}
        .join(QLatin1Char('|'));
}

inline QString counters(const frmDatabase &form)
{
    return control<QLabel>(form, "lblFound")->text() + QLatin1Char('/') + control<QLabel>(form, "lblCurrent")->text();
}

inline QString counters(int found, int current)
{
    return QStringLiteral("Found - %1 - Records/Current Record = %2").arg(found).arg(current);
}

inline bool waitForPicture(const frmDatabase &form)
{
    return QTest::qWaitFor([&form] { return !form.pictureLoading(); }, 5000);
}

inline QString descriptionFile(const TestEnvironment &env) { return env.store.databasePath(); }

inline void script(TestEnvironment &env, const QStringList &typed, const QStringList &answers)
{
    for (const QString &t : typed)
        env.dialogs.type(t);
    for (const QString &a : answers)
        env.dialogs.answer(a == QLatin1String("Yes") ? Dialogs::Answer::Yes : Dialogs::Answer::No);
}

// Every box shown so far as "title: text".
inline QStringList boxes(const TestEnvironment &env)
{
    QStringList out;
    for (const ScriptedDialogs::Shown &s : env.dialogs.shown())
        out << s.title + QStringLiteral(": ") + s.text;
    return out;
}

// Chooses an album in Add New's list with a double click.
inline bool chooseAlbum(const frmDatabase &form, const QString &album)
{
    auto *list = control<QListWidget>(form, "List1");
    const QList<QListWidgetItem *> items = list->findItems(album, Qt::MatchExactly);
    if (items.isEmpty() || !list->isVisible())
        return false;
    const QPoint at = list->visualItemRect(items.first()).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    return true;
}

// Add New, the page and picture answers and questions scripted, the album
// chosen from the list.
inline bool addNew(TestEnvironment &env, frmDatabase &form, const QString &album, const QStringList &typed,
                   const QStringList &answers = {})
{
    press(form, "cmdAddNew");
    script(env, typed, answers);
    return chooseAlbum(form, album);
}

} // namespace BrowserFixture
