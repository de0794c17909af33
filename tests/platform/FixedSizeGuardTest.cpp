#include "platform/FixedSizeGuard.h"

#include <QWidget>
#include <QtTest>

// On Wayland the guard is driven by a compositor (tests/e2e); everywhere
// else the window manager decides, and the guard must leave the window as
// the toolkit made it.
class FixedSizeGuardTest : public QObject {
    Q_OBJECT

private slots:
    void leavesWindowsOffWaylandToTheWindowManager() {
        const QSize size(120, 80);
        QWidget window;
        window.setFixedSize(size);
        tallix::FixedSizeGuard::Install(window);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QWindow& handle = *window.windowHandle();
        QCOMPARE(handle.minimumSize(), size);
        QCOMPARE(handle.maximumSize(), size);
        handle.setWindowStates(Qt::WindowMaximized);
        QCOMPARE(handle.windowStates(), Qt::WindowMaximized);
        handle.setWindowStates(Qt::WindowFullScreen);
        QCOMPARE(handle.windowStates(), Qt::WindowFullScreen);
    }
};

QTEST_MAIN(FixedSizeGuardTest)
#include "FixedSizeGuardTest.moc"
