#include "tests/ui/TableRows.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>

namespace {

constexpr const char* kHowToRun =
    "; run it on a desktop, or under a virtual X server: xvfb-run tallix";
const QString kNoDisplay =
    QStringLiteral("tallix: no display available (DISPLAY and WAYLAND_DISPLAY are not set)") +
    kHowToRun;
const QString kCannotConnect = QStringLiteral("tallix: cannot connect to a display") + kHowToRun;

// How long a program that refuses to start would take at most to end.
constexpr int kRefusalMs = 2000;

// The variables that name a display, as tallix is started with them (the
// others of this test's environment removed), and the one line it must print
// before it ends with status 1; none when it must start.
struct StartUp {
    const char* name;
    QList<QPair<QString, QString>> display;
    QString refusal;
};
const StartUp kStartUps[] = {
    {"nothing named", {}, kNoDisplay},
    {"empty names", {{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}}, kNoDisplay},
    {"X display nothing listens on", {{"DISPLAY", ":4242"}}, kCannotConnect},
    {"platform named", {{"QT_QPA_PLATFORM", "offscreen"}}, ""},
};

QProcessEnvironment EnvironmentWith(const QList<QPair<QString, QString>>& display) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        environment.remove(name);
    }
    for (const auto& [name, value] : display) {
        environment.insert(name, value);
    }
    return environment;
}

QStringList ErrorLines(QProcess& process) {
    return QString::fromLocal8Bit(process.readAllStandardError()).split('\n', Qt::SkipEmptyParts);
}

// A command line and what tallix answers, without a display unless the
// arguments are for a window: the status, the start of standard output and
// its own first line on standard error.
struct CommandLine {
    const char* name;
    QStringList arguments;
    int status;
    QString output;
    QString error;
};
const QString kUsage = QStringLiteral("Usage: tallix [OPTION]...\n");
const QString kUnknown = QStringLiteral("tallix: unknown argument ");
const CommandLine kCommandLines[] = {
    {"--help", {"--help"}, 0, kUsage, ""},
    {"-h", {"-h"}, 0, kUsage, ""},
    {"--version", {"--version"}, 0, QStringLiteral("tallix 1.0\n"), ""},
    {"first of help and version decides", {"--version", "--help"}, 0, "tallix 1.0\n", ""},
    {"help after a toolkit option", {"-style", "Fusion", "--help"}, 0, kUsage, ""},
    {"unknown option", {"--radians"}, 2, "", kUnknown + "'--radians'"},
    {"an expression", {"2+3"}, 2, "", kUnknown + "'2+3'"},
    {"unknown after a toolkit option", {"-style", "Fusion", "-x"}, 2, "", kUnknown + "'-x'"},
};

// The options named by every match of `pattern`, sorted; `prefix` goes
// before each, as the manual page writes "Fl -help" for "--help".
QStringList OptionsNamed(const QString& text, const QString& pattern, const QString& prefix = "") {
    QStringList options;
    for (const QRegularExpressionMatch& match : QRegularExpression(pattern).globalMatch(text)) {
        options.append(prefix + match.captured(1));
    }
    options.sort();
    options.removeDuplicates();
    return options;
}

} // namespace

// Starts the real program with and without a window system to show it on.
class StartUpTest : public QObject {
    Q_OBJECT

private slots:
    void startsOnlyWhereAWindowCanBeShown_data() { tallix::testing::AddTableRows(kStartUps); }
    void startsOnlyWhereAWindowCanBeShown() {
        QFETCH(int, row);
        const StartUp& startUp = kStartUps[row];
        QProcess tallix;
        tallix.setProcessEnvironment(EnvironmentWith(startUp.display));
        tallix.start(TALLIX_EXECUTABLE, {});
        QVERIFY(tallix.waitForStarted());
        if (!startUp.refusal.isEmpty()) {
            QVERIFY(tallix.waitForFinished(20000));
            QCOMPARE(tallix.exitStatus(), QProcess::NormalExit);
            QCOMPARE(tallix.exitCode(), 1);
            QCOMPARE(ErrorLines(tallix), QStringList{startUp.refusal});
            return;
        }
        // Started: still running once a refusal would have ended it, and
        // nothing of its own said on standard error.
        QVERIFY2(!tallix.waitForFinished(kRefusalMs), qPrintable(ErrorLines(tallix).join('|')));
        for (const QString& line : ErrorLines(tallix)) {
            QVERIFY2(!line.startsWith("tallix:"), qPrintable(line));
        }
        tallix.kill();
        tallix.waitForFinished();
    }

    // A request for help or the version needs no display; an argument the
    // program does not take is refused before a window opens.
    void answersTheCommandLine_data() { tallix::testing::AddTableRows(kCommandLines); }
    void answersTheCommandLine() {
        QFETCH(int, row);
        const CommandLine& line = kCommandLines[row];
        QProcess tallix;
        tallix.setProcessEnvironment(EnvironmentWith(
            line.status == 0 ? QList<QPair<QString, QString>>{}
                             : QList<QPair<QString, QString>>{{"QT_QPA_PLATFORM", "offscreen"}}));
        tallix.start(TALLIX_EXECUTABLE, line.arguments);
        QVERIFY(tallix.waitForFinished(20000));
        QCOMPARE(tallix.exitCode(), line.status);
        const QString output = QString::fromLocal8Bit(tallix.readAllStandardOutput());
        QVERIFY2(line.output.isEmpty() ? output.isEmpty() : output.startsWith(line.output),
                 qPrintable(output));
        // The toolkit may say something of its own first.
        const QStringList ours = ErrorLines(tallix).filter(QRegularExpression("^tallix:"));
        QCOMPARE(ours.value(0), line.error);
    }

    // The manual page describes the options --help lists, and no others.
    void helpAndManualPageNameTheSameOptions() {
        QProcess tallix;
        tallix.setProcessEnvironment(EnvironmentWith({}));
        tallix.start(TALLIX_EXECUTABLE, {"--help"});
        QVERIFY(tallix.waitForFinished(20000));
        const QString help = QString::fromLocal8Bit(tallix.readAllStandardOutput());
        QFile page(TALLIX_MAN_PAGE);
        QVERIFY(page.open(QIODevice::ReadOnly));
        // Option lines of --help: "  -h, --help  ..." or "  -platform NAME  ...".
        const QStringList listed = OptionsNamed(help, R"((?:\n +|, )(-[-\w]+))");
        QCOMPARE(listed, QStringList({"--help", "--version", "-display", "-h", "-platform",
                                      "-platformtheme", "-style"}));
        QCOMPARE(OptionsNamed(QString::fromUtf8(page.readAll()), R"(Fl (-?[-\w]+))", "-"), listed);
    }
};

QTEST_GUILESS_MAIN(StartUpTest)
#include "StartUpTest.moc"
