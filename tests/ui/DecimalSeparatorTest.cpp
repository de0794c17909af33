#include "engine/DecimalSeparator.h"
#include "tests/ui/MainWindowHarness.h"

#include <QLocale>
#include <QProcess>

using tallix::DecimalSeparatorForLocale;

class DecimalSeparatorTest : public QObject {
    Q_OBJECT

private slots:
    // The separator table against Qt's locale data, for every locale Qt
    // knows: by its name, its language alone, and with codeset and modifier.
    // Results keep a comma and write any other separator as a point.
    void tableAgreesWithQtLocaleData() {
        const QList<QLocale> locales = QLocale::matchingLocales(
            QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
        QVERIFY(locales.size() > 300);
        QStringList disagreements;
        for (const QLocale& locale : locales) {
            const QString name = locale.name();
            for (const QString& localeName :
                 {name, name.section('_', 0, 0), name + ".UTF-8@euro"}) {
                const std::string_view qt = QLocale(localeName).decimalPoint() == u"," ? "," : ".";
                if (DecimalSeparatorForLocale(localeName.toStdString()) != qt) {
                    disagreements << localeName;
                }
            }
        }
        QCOMPARE(disagreements.join(u' '), QString());
    }

    // The window and tallix-cli both take the separator from the environment
    // (how the variables are chosen between is the engine's); the German
    // locale need not be installed.
    void windowAndCliTakeItFromTheEnvironment() {
        qunsetenv("LC_ALL");
        qputenv("LC_NUMERIC", "de_DE.UTF-8");
        tallix::testing::MainWindowHarness harness;
        harness.Type("5/2");
        QCOMPARE(harness.Text1().Text(), QString("2,5"));
        QProcess cli;
        cli.start(TALLIX_CLI_PATH, {"5/2"});
        QVERIFY(cli.waitForFinished());
        QCOMPARE(QString::fromUtf8(cli.readAllStandardOutput()), QString("2,5\n"));
    }
};

QTEST_MAIN(DecimalSeparatorTest)
#include "DecimalSeparatorTest.moc"
