#pragma once

#include <QString>

// Where the program keeps everything, chosen once at start:
// the --folder argument, else the executable's own folder when it holds the
// delivered files and can be written (a portable install), else the per-user
// data folder.
namespace ProgramFolder {

QString choose(const QString &commandLineFolder, const QString &executableDir, const QString &userDataDir);

// The folder the delivered files are copied from: beside the executable, or
// the share folder of an installed program.
QString installationDir(const QString &executableDir);

// Creates the folder when missing and copies in every delivered file it lacks;
// a file already there is never replaced. Returns false when the folder cannot
// be created.
bool prepare(const QString &programFolder, const QString &installationDir);

}  // namespace ProgramFolder
