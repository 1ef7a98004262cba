#pragma once

#include <QString>

// What the batch album creator will do with a folder, told before anything
// moves: how many pictures it will put into the album, and how many other
// files will stay where they are.
struct FolderSummary
{
    int pictures = 0;
    int others = 0;

    // Sorts the files of a folder as a batch does.
    static FolderSummary of(const QString &folder);

    // "This folder holds 12 pictures." Each further thing to tell is one more
    // clause, joined to the first by "; ".
    QString text() const;
};
