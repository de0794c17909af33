#include "tests/support/TableRows.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>

namespace {

constexpr const char* kHowToRun =
    "; run it on a desktop, or under a virtual X server: xvfb-run tallix";
const QString kNoDisplay =
    QStringLiteral("tallix: no display available (DISPLAY and WAYLAND_DISPLAY are not set)") +
    kHowToRun;
const QString kCannotConnect = QStringLiteral("tallix: cannot connect to a display") + kHowToRun;

// How long a program that refuses to start would take at most to end.
constexpr int kRefusalMs = 2000;

// tallix started with these variables naming a display (the others of this
// test's environment removed) and these arguments: the status it ends with
// (none: it starts and stays), the start of its standard output and its own
// first line on standard error. Help and the version need no display; an
// argument the program does not take is refused before a window opens.
using Display = QList<QPair<QString, QString>>;
const Display kOffscreen = {{"QT_QPA_PLATFORM", "offscreen"}};
struct Run {
    const char* name;
    Display display;
    QStringList arguments;
    int status;
    QString output, error;
};
const QString kUsage = QStringLiteral("Usage: tallix [OPTION]...\n");
const QString kUnknown = QStringLiteral("tallix: unknown argument ");
const Run kRuns[] = {
    {"nothing named", {}, {}, 1, "", kNoDisplay},
    {"empty names", {{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}}, {}, 1, "", kNoDisplay},
    {"X display nothing listens on", {{"DISPLAY", ":4242"}}, {}, 1, "", kCannotConnect},
    {"platform named", kOffscreen, {}, -1, "", ""},
    {"--help", {}, {"--help"}, 0, kUsage, ""},
    {"-h", {}, {"-h"}, 0, kUsage, ""},
    {"--version", {}, {"--version"}, 0, "tallix 1.0\n", ""},
    {"help after a toolkit option", {}, {"-style", "Fusion", "--help"}, 0, kUsage, ""},
    {"unknown option", kOffscreen, {"--radians"}, 2, "", kUnknown + "'--radians'"},
    {"after a toolkit option", kOffscreen, {"-style", "Fusion", "2+3"}, 2, "", kUnknown + "'2+3'"},
};

// Starts tallix with only `display` naming a display.
void Start(QProcess& tallix, const Display& display, const QStringList& arguments) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        environment.remove(name);
    }
    for (const auto& [name, value] : display) {
        environment.insert(name, value);
    }
    tallix.setProcessEnvironment(environment);
    tallix.start(TALLIX_EXECUTABLE, arguments);
}

// The lines tallix itself wrote on standard error; the toolkit may add its own.
QStringList OwnErrorLines(QProcess& process) {
    return QString::fromLocal8Bit(process.readAllStandardError())
        .split('\n', Qt::SkipEmptyParts)
        .filter(QRegularExpression("^tallix:"));
}

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
    void answersEachStart_data() { tallix::testing::AddTableRows(kRuns); }
    void answersEachStart() {
        const Run& run = tallix::testing::TableRow(kRuns);
        QProcess tallix;
        Start(tallix, run.display, run.arguments);
        if (run.status < 0) {
            QVERIFY(!tallix.waitForFinished(kRefusalMs));
            tallix.kill();
            tallix.waitForFinished();
            QCOMPARE(OwnErrorLines(tallix), QStringList());
            return;
        }
        QVERIFY(tallix.waitForFinished(20000));
        QCOMPARE(tallix.exitStatus(), QProcess::NormalExit);
        QCOMPARE(tallix.exitCode(), run.status);
        const QString output = QString::fromLocal8Bit(tallix.readAllStandardOutput());
        QVERIFY2(run.output.isEmpty() ? output.isEmpty() : output.startsWith(run.output),
                 qPrintable(output));
        QCOMPARE(OwnErrorLines(tallix).value(0), run.error);
    }

    // The manual page describes the options --help lists, and no others.
    void helpAndManualPageNameTheSameOptions() {
        QProcess tallix;
        Start(tallix, {}, {"--help"});
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
