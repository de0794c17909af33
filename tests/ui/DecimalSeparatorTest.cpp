#include "engine/DecimalSeparator.h"
#include "tests/ui/MainWindowHarness.h"

#include <QLocale>
#include <QProcess>

using tallix::DecimalSeparatorForLocale;
using tallix::testing::MainWindowHarness;

namespace {

// Qt's locale data for a locale name, mapped as results are written: a
// comma stays a comma, any other separator becomes a point.
std::string_view QtSeparator(const QString& localeName) {
    return QLocale(localeName).decimalPoint() == u"," ? "," : ".";
}

// The locale variables, null for unset, and what 5/2 gives under them; the
// engine's tests cover how the variables are chosen between. The German
// locale need not be installed.
struct Setting {
    const char* name;
    const char* lcAll;
    const char* lcNumeric;
    const char* lang;
    QString fiveHalves;
};
const Setting kSettings[] = {
    {"GermanNumericUnknownLang", nullptr, "de_DE.UTF-8", "xx_YY.UTF-8", "2,5"},
    {"NothingSet", nullptr, nullptr, nullptr, "2.5"},
};

void SetEnvironment(const Setting& setting) {
    const std::pair<const char*, const char*> variables[] = {
        {"LC_ALL", setting.lcAll}, {"LC_NUMERIC", setting.lcNumeric}, {"LANG", setting.lang}};
    for (const auto& [variable, value] : variables) {
        value ? qputenv(variable, value) : qunsetenv(variable);
    }
}

// Standard output of tallix-cli run in this process's environment.
QString RunCli(const QStringList& arguments, const QString& input) {
    QProcess cli;
    cli.start(TALLIX_CLI_PATH, arguments);
    cli.write(input.toUtf8());
    cli.closeWriteChannel();
    cli.waitForFinished();
    return QString::fromUtf8(cli.readAllStandardOutput());
}

} // namespace

class DecimalSeparatorTest : public QObject {
    Q_OBJECT

private slots:
    // The separator table against Qt's locale data, for every locale Qt
    // knows: by its name, its language alone, and with codeset and modifier.
    void tableAgreesWithQtLocaleData() {
        const QList<QLocale> locales = QLocale::matchingLocales(
            QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
        QVERIFY(locales.size() > 300);
        QStringList disagreements;
        for (const QLocale& locale : locales) {
            const QString name = locale.name();
            for (const QString& localeName :
                 {name, name.section('_', 0, 0), name + ".UTF-8@euro"}) {
                if (DecimalSeparatorForLocale(localeName.toStdString()) !=
                    QtSeparator(localeName)) {
                    disagreements << localeName;
                }
            }
        }
        QCOMPARE(disagreements.join(u' '), QString());
    }

    // Under the same environment the window and tallix-cli write 5/2 alike,
    // and each calculates its own result again to the same text: Enter
    // twice in the window, tallix-cli's output fed to tallix-cli.
    void windowAndCliAgree_data() { tallix::testing::AddTableRows(kSettings); }
    void windowAndCliAgree() {
        QFETCH(int, row);
        const Setting& setting = kSettings[row];
        SetEnvironment(setting);
        MainWindowHarness harness;
        harness.Type("5/2");
        QCOMPARE(harness.Text1().Text(), setting.fiveHalves);
        harness.Type("");
        QCOMPARE(harness.Text1().Text(), setting.fiveHalves);
        QCOMPARE(harness.Boxes(), QStringList());

        const QString written = RunCli({"5/2"}, "");
        QCOMPARE(written, setting.fiveHalves + '\n');
        QCOMPARE(RunCli({}, written), written);
    }
};

QTEST_MAIN(DecimalSeparatorTest)
#include "DecimalSeparatorTest.moc"
