#include "app/ProgramValues.h"
#include "app/Settings.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class SettingsTest : public QObject
{
    Q_OBJECT

private slots:
    void screenRatio_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<double>("ratio");
        QTest::newRow("640 is the design") << 640 << 1.0;
        QTest::newRow("smaller") << 600 << 1.0;
        QTest::newRow("1024") << 1024 << 1.6;
        QTest::newRow("1920") << 1920 << 3.0;
        QTest::newRow("one pixel wider") << 641 << 641.0 / 640.0;
    }

    void screenRatio()
    {
        QFETCH(int, width);
        QFETCH(double, ratio);
        QCOMPARE(ProgramValues::screenRatioFor(width), ratio);
    }

    void absentKeysGiveTheirDefaults()
    {
        QTemporaryDir config;
        const Settings settings(config.path());
        QCOMPARE(settings.value(Settings::kTime, QStringLiteral("5")), QStringLiteral("5"));
        QCOMPARE(settings.value(Settings::kRepeat, QStringLiteral("No")), QStringLiteral("No"));
    }

    void valuesLastAndNamesIgnoreLetterCase()
    {
        QTemporaryDir config;
        {
            Settings settings(config.path());
            settings.setValue(QStringLiteral("time"), QStringLiteral("12"));
            settings.setValue(Settings::kTime, QStringLiteral("7 seconds"));
        }
        const Settings again(config.path());
        QCOMPARE(again.value(QStringLiteral("TIME")), QStringLiteral("7 seconds"));
        QVERIFY(again.fileName().startsWith(config.path()));

        // One key, written once, whatever case it was asked in.
        QFile file(again.fileName());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        QCOMPARE(text.count(QStringLiteral("ime="), Qt::CaseInsensitive), 1);
    }

    void existingStoreOfAnotherCaseIsUsed()
    {
        QTemporaryDir config;
        QDir(config.path()).mkpath(QStringLiteral("kolumbra"));
        QFile file(QDir(config.path()).filePath(QStringLiteral("kolumbra/KOLUMBRA.INI")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[STARTUP]\nREPEAT=Yes\n");
        file.close();
        Settings settings(config.path());
        QCOMPARE(settings.value(Settings::kRepeat, QStringLiteral("No")), QStringLiteral("Yes"));
        settings.setValue(Settings::kRepeat, QStringLiteral("No"));
        QCOMPARE(Settings(config.path()).value(Settings::kRepeat), QStringLiteral("No"));
        QCOMPARE(QDir(config.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList("kolumbra"));
    }

    void handEditedCommaIsStillOneText()
    {
        QTemporaryDir config;
        QDir(config.path()).mkpath(QStringLiteral("KoLumbra"));
        QFile file(QDir(config.path()).filePath(QStringLiteral("KoLumbra/KoLumbra.ini")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Startup]\nTime=7,5\n");
        file.close();
        QCOMPARE(Settings(config.path()).value(Settings::kTime), QStringLiteral("7, 5"));
    }
};

KOLUMBRA_TEST(SettingsTest)
#include "SettingsTest.moc"
