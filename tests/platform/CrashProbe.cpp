#include "support/TestMain.h"

#include <QObject>

// Two test classes in one program, registered in this order: the first runs
// through, the second crashes the way a bad pointer does.
class FirstProbe : public QObject
{
    Q_OBJECT

private slots:
    void runsThrough() { }
};

class SecondProbe : public QObject
{
    Q_OBJECT

private slots:
    void crashes()
    {
        volatile int *volatile nowhere = nullptr;
        *nowhere = 1;
    }
};

KOLUMBRA_TEST(FirstProbe)
KOLUMBRA_TEST(SecondProbe)
#include "CrashProbe.moc"
