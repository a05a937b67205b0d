// The profile wrapper over the real QSettings store in a temporary folder.
#include "platform/profile.h"
#include "programtestenv.h"

#include <QtTest>

#include <limits>

class ProfileTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_store.isValid());
        UseTemporaryProfile(m_store);
    }

    void init()
    {
        QFile::remove(StorePath());
    }

    void unreadableValuesGiveTheDefault_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("stored");

        QTest::newRow("missing entry") << "Layout/x1" << QVariant();
        QTest::newRow("entry in another section") << "Settings/x1" << QVariant(5);
        QTest::newRow("text") << "Layout/x1" << QVariant("abc");
        QTest::newRow("fraction") << "Layout/x1" << QVariant("1.5");
        QTest::newRow("above 32 bits") << "Layout/x1" << QVariant("4294967296");
    }

    void unreadableValuesGiveTheDefault()
    {
        QFETCH(QString, key);
        QFETCH(QVariant, stored);
        if (stored.isValid()) {
            QSettings settings(QSettings::NativeFormat, QSettings::UserScope, "Quandrel", "Orvina 2.1");
            settings.setValue(key, stored);
        }

        const Profile profile;
        QCOMPARE(profile.GetProfileInt("Layout", "x1", 17), 17);
        QCOMPARE(profile.GetProfileInt("Layout", "x1", -1), -1);
    }

    void writtenValuesReadBack_data()
    {
        QTest::addColumn<int>("value");
        QTest::newRow("minus one") << -1;
        QTest::newRow("largest") << std::numeric_limits<int32_t>::max();
        QTest::newRow("smallest") << std::numeric_limits<int32_t>::min();
    }

    void writtenValuesReadBack()
    {
        QFETCH(int, value);
        {
            Profile writer;
            QVERIFY(writer.WriteProfileInt("Settings", "BioName", value));
        }
        // A second wrapper sees the value, and the store holds it under the
        // program's key, in the section's group.
        const Profile reader;
        QCOMPARE(reader.GetProfileInt("Settings", "BioName", 12345), value);
        QSettings file(StorePath(), QSettings::IniFormat);
        QCOMPARE(file.value("Settings/BioName").toInt(), value);
    }

private:
    QString StorePath() const { return m_store.filePath("Quandrel/Orvina 2.1.conf"); }

    QTemporaryDir m_store;
};

QTEST_GUILESS_MAIN(ProfileTest)
#include "profile_test.moc"
