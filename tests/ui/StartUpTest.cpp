#include "tests/ui/TableRows.h"

#include <QProcess>
#include <QScopeGuard>

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

// A program that started is still running once a refusal would have ended
// it, and has said nothing of its own on standard error.
void ExpectStarted(QProcess& tallix) {
    QVERIFY2(!tallix.waitForFinished(kRefusalMs),
             qPrintable(QString("ended with status %1: %2")
                            .arg(tallix.exitCode())
                            .arg(ErrorLines(tallix).join('|'))));
    for (const QString& line : ErrorLines(tallix)) {
        QVERIFY2(!line.startsWith("tallix:"), qPrintable(line));
    }
    tallix.kill();
    tallix.waitForFinished();
}

void ExpectRefused(QProcess& tallix, const QString& refusal) {
    QVERIFY(tallix.waitForFinished(20000));
    QCOMPARE(tallix.exitStatus(), QProcess::NormalExit);
    QCOMPARE(tallix.exitCode(), 1);
    QCOMPARE(ErrorLines(tallix), QStringList{refusal});
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
        if (startUp.refusal.isEmpty()) {
            ExpectStarted(tallix);
        } else {
            ExpectRefused(tallix, startUp.refusal);
        }
    }

    // An X server that answers: the usual desktop, here a virtual one.
    void startsOnALiveXDisplay() {
        QProcess server;
        server.start("Xvfb", {"-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "640x480x24"});
        if (!server.waitForStarted()) {
            QSKIP("Xvfb is not installed");
        }
        const auto stopServer = qScopeGuard([&server] {
            server.kill();
            server.waitForFinished();
        });
        while (!server.canReadLine() && server.waitForReadyRead(10000)) {
        }
        const QString number = QString::fromLatin1(server.readLine()).trimmed();
        QVERIFY2(!number.isEmpty(), "Xvfb did not say which display it serves");
        QProcess tallix;
        tallix.setProcessEnvironment(EnvironmentWith({{"DISPLAY", ':' + number}}));
        tallix.start(TALLIX_EXECUTABLE, {});
        QVERIFY(tallix.waitForStarted());
        ExpectStarted(tallix);
    }
};

QTEST_GUILESS_MAIN(StartUpTest)
#include "StartUpTest.moc"
