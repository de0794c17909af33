#include <QProcess>
#include <QtTest>

// Starts the real program where no window can be shown.
class StartUpTest : public QObject {
    Q_OBJECT

private slots:
    void withoutADisplayItSaysSoAndExitsWith1_data() {
        QTest::addColumn<QString>("display");
        QTest::newRow("no display named") << QString();
        // Nothing listens there, so the window system cannot start.
        QTest::newRow("display unreachable") << QString(":4242");
    }
    void withoutADisplayItSaysSoAndExitsWith1() {
        QFETCH(QString, display);
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
        const QStringList lines =
            QString::fromLocal8Bit(tallix.readAllStandardError()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(tallix.exitStatus(), QProcess::NormalExit);
        QCOMPARE(tallix.exitCode(), 1);
        QCOMPARE(lines.size(), 1);
        QVERIFY2(lines.front().startsWith("tallix: ") && lines.front().contains("xvfb-run"),
                 qPrintable(lines.front()));
    }
};

QTEST_GUILESS_MAIN(StartUpTest)
#include "StartUpTest.moc"
