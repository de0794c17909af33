#include "DesktopService.h"
#include "EditBox.h"
#include "QtMessageService.h"
#include "Twips.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

using tallix::EditBox;

namespace {

// Stands in for the desktop's handler of one URL scheme.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void Catch(const QUrl& url) { urls.append(url); }
};

struct ShownBox {
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    Qt::WindowModality modality = Qt::NonModal;
};

// Reads the message box once it is up, then closes it with OK.
ShownBox AnswerNextBox(tallix::MessageService& service, tallix::MessageIcon icon) {
    ShownBox shown;
    QTimer::singleShot(0, [&shown] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box != nullptr);
        shown = {box->text(), box->windowTitle(), box->icon(), box->standardButtons(),
                 box->windowModality()};
        box->button(QMessageBox::Ok)->click();
    });
    service.ShowMessage("The expression is illegal.", "Error", icon);
    return shown;
}

} // namespace

class WindowServicesTest : public QObject {
    Q_OBJECT

private slots:
    void setTextPutsTheCaretAtTheStartWithNothingSelected() {
        EditBox box;
        box.SetText("12345");
        box.setSelection(1, 2);
        box.SetText("1+2");
        QCOMPARE(box.Text(), QString("1+2"));
        QCOMPARE(box.cursorPosition(), 0);
        QVERIFY(!box.hasSelectedText());
    }

    void selStartCountsCharactersBeforeCaretOrSelection_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("selStart");
        QTest::newRow("caret inside") << 2 << 0 << 2;
        QTest::newRow("selection forward") << 1 << 3 << 1;
        QTest::newRow("selection backward") << 4 << -3 << 1;
        QTest::newRow("caret at end") << 5 << 0 << 5;
    }
    void selStartCountsCharactersBeforeCaretOrSelection() {
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(int, selStart);
        EditBox box;
        box.SetText("abcde");
        box.setSelection(start, length);
        QCOMPARE(box.SelStart(), selStart);
    }

    void selectionSurvivesTheFocusMovingAway_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::newRow("selected forward") << 1 << 1;
        QTest::newRow("selected backward") << 2 << -1;
    }
    void selectionSurvivesTheFocusMovingAway() {
        QFETCH(int, start);
        QFETCH(int, length);
        QWidget window;
        auto* box = new EditBox(&window);
        auto* other = new QLineEdit(&window);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        box->setFocus();
        box->SetText("abc");
        box->setSelection(start, length);
        const int caret = box->cursorPosition();
        other->setFocus(Qt::MouseFocusReason);
        QVERIFY(!box->hasFocus());
        QCOMPARE(box->SelStart(), 1);
        QCOMPARE(box->selectedText(), QString("b"));
        QCOMPARE(box->cursorPosition(), caret);
    }

    void setSelStartLeavesNothingSelected_data() {
        QTest::addColumn<int>("NewValue");
        QTest::addColumn<int>("caret");
        QTest::newRow("inside") << 3 << 3;
        QTest::newRow("start") << 0 << 0;
        QTest::newRow("beyond the end") << 9 << 5;
        QTest::newRow("negative") << -1 << 0;
    }
    void setSelStartLeavesNothingSelected() {
        QFETCH(int, NewValue);
        QFETCH(int, caret);
        EditBox box;
        box.SetText("abcde");
        box.setSelection(1, 3);
        box.SetSelStart(NewValue);
        QVERIFY(!box.hasSelectedText());
        QCOMPARE(box.SelStart(), caret);
    }

    void enterKeysArriveAs13AndCanBeDiscarded_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
    }
    void enterKeysArriveAs13AndCanBeDiscarded() {
        QFETCH(int, key);
        EditBox box;
        QList<int> offered;
        QObject::connect(&box, &EditBox::KeyPress, &box, [&offered](int& KeyAscii) {
            offered.append(KeyAscii);
            KeyAscii = 0;
        });
        QSignalSpy returnPressed(&box, &QLineEdit::returnPressed);
        QTest::keyClick(&box, Qt::Key(key));
        QCOMPARE(offered, QList<int>{13});
        QCOMPARE(returnPressed.count(), 0);
    }

    void keysTheHandlerKeepsReachTheBox() {
        EditBox box;
        QList<int> offered;
        QObject::connect(&box, &EditBox::KeyPress, &box,
                         [&offered](int& KeyAscii) { offered.append(KeyAscii); });
        QSignalSpy returnPressed(&box, &QLineEdit::returnPressed);
        QTest::keyClicks(&box, "2x");
        QTest::keyClick(&box, Qt::Key_Left);
        QTest::keyClick(&box, Qt::Key_Return);
        QCOMPARE(box.Text(), QString("2x"));
        QCOMPARE(offered, (QList<int>{'2', 'x', 13}));
        QCOMPARE(returnPressed.count(), 1);
    }

    void twipsBecomePixelsAtTheLogicalDpi_data() {
        QTest::addColumn<double>("dpi");
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<QRect>("pixels");
        QTest::newRow("15 twips a pixel at 96 dpi")
            << 96.0 << QRect(120, 855, 375, 330) << QRect(8, 57, 25, 22);
        QTest::newRow("twice the pixels at 192 dpi")
            << 192.0 << QRect(120, 855, 375, 330) << QRect(16, 114, 50, 44);
        // 90 twips is 7.5 px at 120 dpi: edges round, so neighbours still touch.
        QTest::newRow("edges rounded at 120 dpi")
            << 120.0 << QRect(90, 0, 90, 12) << QRect(8, 0, 7, 1);
    }
    void twipsBecomePixelsAtTheLogicalDpi() {
        QFETCH(double, dpi);
        QFETCH(QRect, twips);
        QFETCH(QRect, pixels);
        QCOMPARE(tallix::TwipsToPixels(twips, dpi), pixels);
    }

    void messageBoxesAreApplicationModalWithOneOkButton_data() {
        QTest::addColumn<int>("icon");
        QTest::addColumn<int>("shownIcon");
        QTest::newRow("stop") << int(tallix::MessageIcon::Stop) << int(QMessageBox::Critical);
        QTest::newRow("warning") << int(tallix::MessageIcon::Warning) << int(QMessageBox::Warning);
        QTest::newRow("none") << int(tallix::MessageIcon::None) << int(QMessageBox::NoIcon);
    }
    void messageBoxesAreApplicationModalWithOneOkButton() {
        QFETCH(int, icon);
        QFETCH(int, shownIcon);
        tallix::QtMessageService service;
        const ShownBox shown = AnswerNextBox(service, tallix::MessageIcon(icon));
        QCOMPARE(shown.text, QString("The expression is illegal."));
        QCOMPARE(shown.title, QString("Error"));
        QCOMPARE(int(shown.icon), shownIcon);
        QCOMPARE(shown.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(shown.modality, Qt::ApplicationModal);
    }

    void desktopServiceHandsTheUrlToTheDesktop() {
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler("http", &catcher, "Catch");
        tallix::QtDesktopService desktop;
        desktop.Open(QUrl("http://tallix.example.org/ourfiles"));
        QDesktopServices::unsetUrlHandler("http");
        QCOMPARE(catcher.urls, QList<QUrl>{QUrl("http://tallix.example.org/ourfiles")});
    }
};

QTEST_MAIN(WindowServicesTest)
#include "WindowServicesTest.moc"
