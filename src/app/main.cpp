#include "albumstore/AlbumStore.h"
#include "albumstore/ProgramFolder.h"
#include "app/QtHelpLauncher.h"
#include "app/Session.h"
#include "app/Settings.h"
#include "app/WindowOwner.h"
#include "pictureinfo/Descriptions.h"
#include "platform/QtDialogs.h"
#include "platform/QtPrinterSeam.h"
#include "platform/ScreenMetrics.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QDirIterator>
#include <QIcon>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

namespace {

// --help and --version answer without a display, like any command-line
// program; Qt's own options (-platform and the like) are left to QApplication.
QString parseCommandLine(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("KoLumbra"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KOLUMBRA_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("KoLumbra keeps your pictures in albums, shows them and plays them as a slideshow."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption folder(
        QStringLiteral("folder"),
        QStringLiteral("Keep the albums, pictures and descriptions in <dir> (created when missing)."),
        QStringLiteral("dir"));
    parser.addOption(folder);
    if (!parser.parse(app.arguments()) && parser.unknownOptionNames().isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(parser.errorText()));
        std::exit(2);
    }
    if (parser.isSet(help))
        parser.showHelp(0);
    if (parser.isSet(version))
        parser.showVersion();
    return parser.value(folder);
}

// The icon theme's drawing when the desktop has one (a theme may draw its own
// version), else the sizes built into the program, so a portable copy has its
// icon too.
QIcon programIcon()
{
    QIcon builtIn;
    QDirIterator sizes(QStringLiteral(":/icons"), {QStringLiteral("*.png")}, QDir::Files, QDirIterator::Subdirectories);
    while (sizes.hasNext())
        builtIn.addFile(sizes.next());
    return QIcon::fromTheme(QStringLiteral(KOLUMBRA_APP_ID), builtIn);
}

}  // namespace

int main(int argc, char *argv[])
{
    const QString folderArgument = parseCommandLine(argc, argv);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KoLumbra"));
    QApplication::setApplicationVersion(QStringLiteral(KOLUMBRA_VERSION));
    // Every window takes this icon; the desktop file name ties the windows to
    // the program's menu entry (the Wayland app id, the task bar's grouping).
    QApplication::setWindowIcon(programIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral(KOLUMBRA_APP_ID));
    // Windows are hidden and shown, never closed, on the way between them;
    // the program ends only where it says so.
    QApplication::setQuitOnLastWindowClosed(false);

    const QString exeDir = QCoreApplication::applicationDirPath();
    const QString programFolder = ProgramFolder::choose(
        folderArgument, exeDir, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    if (!ProgramFolder::prepare(programFolder, ProgramFolder::installationDir(exeDir))) {
        QMessageBox::critical(
            nullptr, QStringLiteral("KoLumbra"),
            QStringLiteral("The program folder %1 cannot be created.").arg(QDir::toNativeSeparators(programFolder)));
        return 1;
    }

    Session session;
    AlbumStore store(programFolder);
    Settings settings;
    QtDialogs dialogs;
    QtScreenMetrics screen;
    QtHelpLauncher help;
    QtPrinterSeam printer;
    Descriptions descriptions(store, dialogs);
    WindowOwner owner({session, store, settings, dialogs, screen, help, printer, descriptions});
    QTimer::singleShot(0, &owner, &WindowOwner::start);
    return app.exec();
}
