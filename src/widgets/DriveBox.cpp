#include "widgets/DriveBox.h"

#include "albumstore/SourceFolders.h"

DriveBox::DriveBox(QWidget *parent)
    : QComboBox(parent)
{
}

void DriveBox::fill()
{
    clear();
    const QList<SourceFolders::Drive> drives = SourceFolders::drives();
    for (const SourceFolders::Drive &drive : drives)
        addItem(drive.caption, drive.root);
}

void DriveBox::chooseDriveOf(const QString &folder)
{
    int best = -1;
    qsizetype bestLength = -1;
    for (int i = 0; i < count(); ++i) {
        const QString root = itemData(i).toString();
        const QString withSlash = root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/');
        if ((folder + QLatin1Char('/')).startsWith(withSlash) && withSlash.size() > bestLength) {
            best = i;
            bestLength = withSlash.size();
        }
    }
    setCurrentIndex(best);
}

QString DriveBox::chosenRoot() const
{
    return currentData().toString();
}
