#include "tests/ui/MainWindowHarness.h"
#include "ui/frmF2.h"

#include <QApplication>
#include <QListWidget>

#include <random>

using tallix::testing::MainWindowHarness;

namespace {

const Qt::Key kSpecialKeys[] = {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Backspace, Qt::Key_Delete,
                                Qt::Key_Left,   Qt::Key_Right, Qt::Key_Home,      Qt::Key_End,
                                Qt::Key_Tab,    Qt::Key_Space, Qt::Key_Up,        Qt::Key_Down};

// Typed characters: everything an expression holds, and some it must not.
const QString kCharacters = QStringLiteral("0123456789+-*/^().,xXsinPIa =#");

// Drives the whole window at random; every choice comes from one seeded
// generator, so a failing seed replays exactly.
class Monkey {
public:
    Monkey(tallix::frmMain& window, unsigned seed) : window_(window), random_(seed) {
        for (tallix::XPButton* button : window.findChildren<tallix::XPButton*>()) {
            clickable_ << button;
        }
        clickable_ << &window.Option1() << &window.Option2() << window.List1().viewport();
    }

    // Six in ten actions click somewhere on a button, an angle mode or the
    // list, sometimes with Ctrl, which can leave no list entry selected;
    // three type a character and one presses a special key.
    void Act() {
        const int roll = Pick(10);
        if (roll < 6) {
            QWidget* target = clickable_[Pick(int(clickable_.size()))];
            const auto ctrl = Pick(6) == 0 ? Qt::ControlModifier : Qt::NoModifier;
            const int x = Pick(target->width()); // sequenced, so that a seed replays
            QTest::mouseClick(target, Qt::LeftButton, ctrl, QPoint(x, Pick(target->height())));
        } else if (roll < 9) {
            QTest::keyClicks(Focused(), QString(kCharacters[Pick(int(kCharacters.size()))]));
        } else {
            const auto shift = Pick(4) == 0 ? Qt::ShiftModifier : Qt::NoModifier;
            QTest::keyClick(Focused(), kSpecialKeys[Pick(int(std::size(kSpecialKeys)))], shift);
        }
    }

private:
    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

    QWidget* Focused() const {
        return QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : &window_;
    }

    tallix::frmMain& window_;
    QList<QWidget*> clickable_;
    std::mt19937 random_;
};

} // namespace

class MonkeyTest : public QObject {
    Q_OBJECT

private slots:
    void randomClicksAndKeysNeverBreakTheWindow_data() {
        QTest::addColumn<unsigned>("seed");
        for (unsigned seed : {1u, 20261207u, 4242u}) {
            QTest::newRow(qPrintable(QString("seed %1").arg(seed))) << seed;
        }
    }
    void randomClicksAndKeysNeverBreakTheWindow() {
        QFETCH(unsigned, seed);
        // The real About box, built fresh each time, shown and closed at once
        // instead of waiting in its modal loop.
        MainWindowHarness harness([](tallix::DesktopService& desktop, QWidget* owner) {
            tallix::frmF2 box(desktop, owner);
            box.show();
            box.close();
        });
        Monkey monkey(*harness.window, seed);
        for (int action = 0; action < 2000; ++action) {
            monkey.Act();
        }
        for (const QString& box : harness.Boxes()) {
            QVERIFY2(box.startsWith("Error|1|") || box.startsWith("Syntax Error|0|Character "),
                     qPrintable(box));
        }
        QVERIFY(harness.window->Option1().isChecked() != harness.window->Option2().isChecked());
        QVERIFY(!harness.Boxes().isEmpty() && harness.aboutCount > 0);
    }
};

QTEST_MAIN(MonkeyTest)
#include "MonkeyTest.moc"
