#include <QProcess>
#include <QtTest>

// Starts the real program where no window can be shown.
class StartUpTest : public QObject {
    Q_OBJECT

private slots:
    // With no display named, and with one that nothing listens on.
    void withoutADisplayItSaysSoAndExitsWith1() {
        for (const QString display : {"", ":4242"}) {
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
                environment.remove(name);
            }
            if (!display.isEmpty()) {
                environment.insert("DISPLAY", display);
            }
            QProcess tallix;
            tallix.setProcessEnvironment(environment);
            tallix.start(TALLIX_EXECUTABLE, {});
            QVERIFY(tallix.waitForFinished(20000));
            const QStringList lines = QString::fromLocal8Bit(tallix.readAllStandardError())
                                          .split('\n', Qt::SkipEmptyParts);
            QCOMPARE(tallix.exitStatus(), QProcess::NormalExit);
            QCOMPARE(tallix.exitCode(), 1);
            QCOMPARE(lines.size(), 1);
            QVERIFY2(lines.front().startsWith("tallix: ") && lines.front().contains("xvfb-run"),
                     qPrintable(lines.front()));
        }
    }
};

QTEST_GUILESS_MAIN(StartUpTest)
#include "StartUpTest.moc"
