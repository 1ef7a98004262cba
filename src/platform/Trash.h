#pragma once

#include <QString>

#include <optional>

// The desktop's trash, where a deleted picture or album waits until the user
// empties it, so that a mistaken click can be undone from the file manager.
// Where no trash can take a file (a disk without one, a home trash that cannot
// be made), the file is deleted for good, as before there was a trash.
namespace Trash {

// Moves a file or a folder to the trash, which records where it came from.
// Returns where it is now, or nothing when no trash took it and it is still
// where it was.
std::optional<QString> moveToTrash(const QString &path);

// Gives back a file that moveToTrash took, as if it had never been trashed.
// False when it cannot be moved back to originalPath.
bool putBack(const QString &pathInTrash, const QString &originalPath);

struct Result
{
    bool ok = true;
    QString error;  // the system's words for why the file is still there
};

// Moves a file to the trash, or deletes it where no trash takes it.
Result discard(const QString &path);

}  // namespace Trash
