#include "MainWindowHarness.h"
#include "frmF2.h"

#include <QApplication>
#include <QListWidget>

#include <array>
#include <random>

using tallix::testing::MainWindowHarness;

namespace {

constexpr std::array<Qt::Key, 12> kSpecialKeys = {
    Qt::Key_Return, Qt::Key_Enter, Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Left, Qt::Key_Right,
    Qt::Key_Home,   Qt::Key_End,   Qt::Key_Tab,       Qt::Key_Space,  Qt::Key_Up,   Qt::Key_Down};

// Typed characters: everything an expression holds, and some it must not.
const QString kCharacters = QStringLiteral("0123456789+-*/^().,xXsinPIa =#");

// Drives the whole window at random; every choice comes from one seeded
// generator, so a failing seed replays exactly.
class Monkey {
public:
    Monkey(MainWindowHarness& harness, unsigned seed) : harness_(harness), random_(seed) {
        buttons_ = harness.window->findChildren<XPButton*>();
    }

    void Act() {
        switch (Pick(10)) {
        case 0:
        case 1:
        case 2:
        case 3:
            return ClickButton();
        case 4:
        case 5:
        case 6:
            return TypeCharacter();
        case 7:
            return PressSpecialKey();
        case 8:
            return ChooseAngleMode();
        default:
            return ChooseListEntry();
        }
    }

private:
    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

    QWidget* Target() {
        QWidget* focused = QApplication::focusWidget();
        return focused != nullptr ? focused : harness_.window.get();
    }

    void ClickButton() {
        XPButton* button = buttons_[Pick(int(buttons_.size()))];
        const QPoint at(Pick(button->width()), Pick(button->height()));
        QTest::mouseClick(button, Qt::LeftButton, {}, at);
    }

    void TypeCharacter() {
        QTest::keyClicks(Target(), QString(kCharacters[Pick(int(kCharacters.size()))]));
    }

    void PressSpecialKey() {
        const Qt::KeyboardModifiers shift = Pick(4) == 0 ? Qt::ShiftModifier : Qt::NoModifier;
        QTest::keyClick(Target(), kSpecialKeys[Pick(int(kSpecialKeys.size()))], shift);
    }

    void ChooseAngleMode() {
        QRadioButton& option =
            Pick(2) == 0 ? harness_.window->Option1() : harness_.window->Option2();
        QTest::mouseClick(&option, Qt::LeftButton);
    }

    // Sometimes with Ctrl, which can leave no entry selected.
    void ChooseListEntry() {
        QListWidget& list = harness_.window->List1();
        QListWidgetItem* item = list.item(Pick(list.count()));
        list.scrollToItem(item);
        const Qt::KeyboardModifiers ctrl = Pick(3) == 0 ? Qt::ControlModifier : Qt::NoModifier;
        QTest::mouseClick(list.viewport(), Qt::LeftButton, ctrl,
                          list.visualItemRect(item).center());
    }

    MainWindowHarness& harness_;
    std::mt19937 random_;
    QList<XPButton*> buttons_;
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
        MainWindowHarness harness(QLocale(), [](tallix::DesktopService& desktop, QWidget* owner) {
            tallix::frmF2 box(desktop, owner);
            box.show();
            box.close();
        });
        QVERIFY(harness.WaitUntilActive());
        Monkey monkey(harness, seed);
        for (int action = 0; action < 2000; ++action) {
            monkey.Act();
        }
        for (const QString& box : harness.Boxes()) {
            QVERIFY2(box.startsWith("Error|1|") || box.startsWith("Syntax Error|0|Character "),
                     qPrintable(box));
        }
        QVERIFY(harness.window->isVisible());
        QVERIFY(harness.window->Option1().isChecked() != harness.window->Option2().isChecked());
        QVERIFY(!harness.messages.messages.empty());
        QVERIFY(harness.aboutCount > 0);
    }
};

QTEST_MAIN(MonkeyTest)
#include "MonkeyTest.moc"
