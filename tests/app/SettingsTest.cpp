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
    // A value is read and replaced under its name in any letter case, in the
    // store found whatever the case of its folder and file, and kept once.
    void storedValues_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("no store: the default")
            << "KoLumbra/KoLumbra.ini" << QByteArray() << "Time" << "5";
        QTest::newRow("store in another case")
            << "kolumbra/KOLUMBRA.INI" << QByteArray("[STARTUP]\nREPEAT=Yes\n") << "Repeat"
            << "Yes";
        QTest::newRow("hand-edited comma: one text")
            << "KoLumbra/KoLumbra.ini" << QByteArray("[Startup]\nTime=7,5\n") << "Time" << "7, 5";
    }

    void storedValues()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, text);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QTemporaryDir config;
        const QDir dir(config.path());
        if (!text.isEmpty()) {
            QVERIFY(dir.mkpath(QFileInfo(file).path()));
            QFile ini(dir.filePath(file));
            QVERIFY(ini.open(QIODevice::WriteOnly));
            ini.write(text);
        }
        Settings settings(config.path());
        QCOMPARE(settings.value(key, QStringLiteral("5")), value);
        settings.setValue(key.toLower(), QStringLiteral("changed"));
        QCOMPARE(Settings(config.path()).value(key.toUpper()), QStringLiteral("changed"));

        const QStringList folders = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        QCOMPARE(folders, QStringList(QFileInfo(file).path()));
        QFile ini(dir.filePath(file));
        QVERIFY(ini.open(QIODevice::ReadOnly));
        const QString stored = QString::fromUtf8(ini.readAll());
        QCOMPARE(stored.count(key + QLatin1Char('='), Qt::CaseInsensitive), 1);
    }
};

KOLUMBRA_TEST(SettingsTest)
#include "SettingsTest.moc"
