#include "support/TestMain.h"

#include <QProcess>

#include <QtTest>
#include <algorithm>

#include <csignal>

// Every test program runs its test classes one after another; a crash in any
// of them must end the program at once with a failure, not report itself
// over and over until the disk is full.
class TestProgramCrashTest : public QObject
{
    Q_OBJECT

private slots:
    void aCrashInALaterTestClassEndsTheProgram()
    {
#ifndef Q_OS_UNIX
        QSKIP("the crash handler that could be left behind is a Unix signal handler");
#endif
        QProcess probe;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QTEST_DISABLE_CORE_DUMP"), QStringLiteral("1"));
        probe.setProcessEnvironment(environment);
        QByteArray output;
        QByteArray errors;
        // A sanitizer reports the crash in its own words too, before or after
        // the test library, and may end with an abort, which is reported as
        // well; what must not come again is the crash itself.
        const QByteArray qtReport = "Received signal " + QByteArray::number(SIGSEGV);
        const QByteArray sanitizerReport = "ERROR: AddressSanitizer: SEGV";
        const auto countReports = [&] { return int(std::max(errors.count(qtReport), errors.count(sanitizerReport))); };
        int reports = 0;
        connect(&probe, &QProcess::readyReadStandardOutput, this, [&] { output += probe.readAllStandardOutput(); });
        // A program caught in a loop writes without end: stop it at the
        // second report.
        connect(&probe, &QProcess::readyReadStandardError, this, [&] {
            errors += probe.readAllStandardError();
            reports = countReports();
            if (reports > 1)
                probe.kill();
        });
        probe.start(QStringLiteral(KOLUMBRA_CRASH_PROBE), {});
        QVERIFY(probe.waitForStarted(10000));
        QTRY_VERIFY_WITH_TIMEOUT(probe.state() == QProcess::NotRunning, 30000);
        output += probe.readAllStandardOutput();
        errors += probe.readAllStandardError();
        reports = countReports();
        QVERIFY2(output.contains("PASS   : FirstProbe::runsThrough()"), output.constData());
        QCOMPARE(reports, 1);
        QVERIFY(probe.exitStatus() == QProcess::CrashExit || probe.exitCode() != 0);
    }
};

KOLUMBRA_TEST(TestProgramCrashTest)
#include "TestProgramCrashTest.moc"
