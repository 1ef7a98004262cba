#pragma once

#include <QComboBox>

// The drive list of the folder pickers: the home folder and every mounted
// drive that holds files of its users, each keeping its root folder.
class DriveBox : public QComboBox
{
    Q_OBJECT

public:
    explicit DriveBox(QWidget *parent = nullptr);

    // Reads the drives afresh; the first one is chosen.
    void fill();
    // Chooses the drive `folder` lies on (the one with the longest matching
    // root); none when it lies on no listed drive.
    void chooseDriveOf(const QString &folder);
    // The root folder of the drive chosen.
    QString chosenRoot() const;
};
