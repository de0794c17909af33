#include "PointerProbe.h"
#include "SurfacePointerProbe.h"

#include <QApplication>
#include <QCursor>
#include <QDialog>
#include <QLabel>
#include <QtTest>

#include <memory>

using tallix::PointerSample;

namespace {

// Answers from a fixed sample and counts the questions.
class CountingProbe final : public tallix::PointerProbe {
public:
    PointerSample Sample() override {
        ++questions;
        return {};
    }
    int questions = 0;
};

} // namespace

// The pointer answers the hover polls share, on a platform that reports
// enter and leave as the window system sees them.
class PointerProbeTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QWidget> main_;
    std::unique_ptr<QDialog> box_;
    // Where a Wayland compositor last showed us the pointer: the real
    // position while it is over one of our windows, else where it left them.
    QPoint reported_;

    // Moves the real pointer; the toolkit's enter and leave follow.
    void MoveTo(QPoint screenPos) {
        QCursor::setPos(screenPos);
        QCoreApplication::processEvents();
        for (const QWidget* top : QApplication::topLevelWidgets()) {
            if (top->isVisible() && top->geometry().contains(screenPos)) {
                reported_ = screenPos;
            }
        }
    }

private slots:
    void init() {
        MoveTo({5, 5});
        main_ = std::make_unique<QWidget>();
        main_->setObjectName("main");
        main_->setGeometry(100, 100, 200, 100);
        auto* key = new QLabel("7", main_.get());
        key->setObjectName("key");
        key->setGeometry(20, 20, 58, 22);
        main_->show();
        QVERIFY(QTest::qWaitForWindowExposed(main_.get()));
        box_ = std::make_unique<QDialog>();
        box_->setObjectName("box");
        box_->setGeometry(400, 100, 100, 60);
        box_->setWindowModality(Qt::ApplicationModal);
    }
    void cleanup() {
        box_.reset();
        main_.reset();
    }

    // Named places: "key" on the main window's label, "main" on the main
    // window beside it, "box" on the dialog, "desktop" outside both.
    void surfaceAnswerFollowsEnterAndLeave_data() {
        QTest::addColumn<bool>("modal");
        QTest::addColumn<QStringList>("path");
        QTest::addColumn<QString>("widget");
        QTest::newRow("resting on the key") << false << QStringList{"key"} << "key";
        QTest::newRow("left onto the desktop") << false << QStringList{"key", "desktop"} << "";
        QTest::newRow("back beside the key")
            << false << QStringList{"key", "desktop", "main"} << "main";
        QTest::newRow("over the modal box") << true << QStringList{"key", "box"} << "box";
        QTest::newRow("from the modal box onto a blocked key")
            << true << QStringList{"box", "key"} << "key";
        QTest::newRow("from the modal box onto the desktop")
            << true << QStringList{"key", "box", "desktop"} << "";
        QTest::newRow("box closed over the desktop")
            << true << QStringList{"box", "desktop", "close"} << "";
    }
    void surfaceAnswerFollowsEnterAndLeave() {
        QFETCH(bool, modal);
        QFETCH(QStringList, path);
        QFETCH(QString, widget);
        tallix::SurfacePointerProbe probe([this] { return reported_; });
        if (modal) {
            box_->show();
            QVERIFY(QTest::qWaitForWindowExposed(box_.get()));
        }
        const QMap<QString, QPoint> places = {
            {"key",     {130, 130}},
            {"main",    {250, 180}},
            {"box",     {450, 130}},
            {"desktop", {50, 400} },
        };
        for (const QString& place : path) {
            if (place == "close") {
                box_->hide();
                QCoreApplication::processEvents();
            } else {
                MoveTo(places[place]);
            }
        }
        const PointerSample sample = probe.Sample();
        QCOMPARE(sample.screenPos, reported_);
        QCOMPARE(sample.widget ? sample.widget->objectName() : QString(), widget);
    }

    // A window blocked by a modal box hears of no pointer motion, so while
    // one is open the shared answer is asked again within a poll period.
    void sharedAnswerIsRenewedWithinAPollWhileAModalBoxIsOpen_data() {
        QTest::addColumn<bool>("modal");
        QTest::addColumn<int>("questions");
        QTest::newRow("no modal box") << false << 1;
        QTest::newRow("modal box open") << true << 2;
    }
    void sharedAnswerIsRenewedWithinAPollWhileAModalBoxIsOpen() {
        QFETCH(bool, modal);
        QFETCH(int, questions);
        if (modal) {
            box_->show();
            QVERIFY(QTest::qWaitForWindowExposed(box_.get()));
        }
        QCoreApplication::processEvents();
        CountingProbe source;
        tallix::SharedPointerProbe shared(source);
        shared.Sample();
        QTest::qSleep(tallix::SharedPointerProbe::ModalMaxAgeMs + 15); // no events meanwhile
        shared.Sample();
        QCOMPARE(source.questions, questions);
    }
};

QTEST_MAIN(PointerProbeTest)
#include "PointerProbeTest.moc"
