#include "HelpCommand.h"
#include "RecordingMessageService.h"
#include "Twips.h"
#include "XPButton.h"
#include "frmF2.h"
#include "frmMain.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTest>
#include <QTimer>

#include <functional>
#include <vector>

using namespace tallix;

namespace {

// Records the documents handed to the desktop instead of opening them.
class RecordingDesktopService : public DesktopService {
public:
    void Open(const QUrl& document) override { opened.push_back(document); }
    std::vector<QUrl> opened;
};

using BoxAction = std::function<void(frmF2&)>;

void ClickOk(frmF2& box) {
    QTest::mouseClick(&box.cmdOK(), Qt::LeftButton);
}
void PressEnterOnOk(frmF2& box) {
    QTest::keyClick(&box.cmdOK(), Qt::Key_Return);
}
void CloseThroughTheFrame(frmF2& box) {
    box.close();
}
void ClickLink(frmF2& box) {
    QTest::mouseClick(&box.Label1(), Qt::LeftButton);
}

int Pixels(int twips) {
    return TwipsToPixels(twips, ScreenLogicalDpi());
}

} // namespace

Q_DECLARE_METATYPE(BoxAction)

class HelpAboutTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void helpOpensThePageBesideTheProgram();
    void helpWithoutThePageSaysNothing();

    void aboutBoxHasItsLayout();
    void linkOpensTheMakersPageAndLeavesTheBoxOpen();
    void okTakesTheFocusAndCloses_data();
    void okTakesTheFocusAndCloses();

    void aboutIsModalAndFreshEachTime();

private:
    // Runs the main window's About command; once the modal box is up, act
    // on it and then check that the box has closed. A box left open after
    // a failed check is closed, so a fault never hangs the test run.
    void WhileAboutIsOpen(const BoxAction& act);
    void ClickAbout();
    void ClickOnMainWindow(QWidget& control);

    std::unique_ptr<RecordingDesktopService> desktop_;
    std::unique_ptr<testing::RecordingMessageService> messages_;
    std::unique_ptr<frmMain> window_;
};

void HelpAboutTest::init() {
    desktop_ = std::make_unique<RecordingDesktopService>();
    messages_ = std::make_unique<testing::RecordingMessageService>();
    window_ =
        std::make_unique<frmMain>(frmMainServices{.messages = *messages_, .desktop = *desktop_});
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void HelpAboutTest::cleanup() {
    window_.reset();
    messages_.reset();
    desktop_.reset();
}

void HelpAboutTest::ClickAbout() {
    QTest::mouseClick(window_->findChild<XPButton*>(QStringLiteral("XPButton31")), Qt::LeftButton);
}

// Through the window system, as a user's click arrives, so that modality applies.
void HelpAboutTest::ClickOnMainWindow(QWidget& control) {
    const QPoint centre = control.mapTo(window_.get(), control.rect().center());
    QTest::mouseClick(window_->windowHandle(), Qt::LeftButton, {}, centre);
}

void HelpAboutTest::WhileAboutIsOpen(const BoxAction& act) {
    bool sawBox = false;
    bool closed = false;
    QTimer::singleShot(0, this, [&] {
        auto* box = qobject_cast<frmF2*>(QApplication::activeModalWidget());
        if (box == nullptr)
            return;
        sawBox = true;
        act(*box);
        closed = !box->isVisible();
        box->reject();
    });
    ClickAbout();
    QVERIFY2(sawBox, "About showed no modal box");
    QVERIFY2(closed, "the About box stayed open");
}

void HelpAboutTest::helpOpensThePageBesideTheProgram() {
    QTest::mouseClick(window_->findChild<XPButton*>(QStringLiteral("XPButton30")), Qt::LeftButton);

    QCOMPARE(desktop_->opened.size(), 1u);
    const QUrl page = desktop_->opened.front();
    QVERIFY(page.isLocalFile());
    QCOMPARE(QFileInfo(page.toLocalFile()).fileName(), QStringLiteral("help.htm"));
    QCOMPARE(QFileInfo(page.toLocalFile()).absolutePath(),
             QFileInfo(QCoreApplication::applicationDirPath()).absoluteFilePath());
}

// The tests' folder holds no help.htm: the request still goes to the desktop,
// which alone decides what to show, and the program itself says nothing.
void HelpAboutTest::helpWithoutThePageSaysNothing() {
    QVERIFY(!QFileInfo::exists(HelpPageUrl().toLocalFile()));
    auto& text = window_->Text1();
    text.SetText(QStringLiteral("1+2"));

    QTest::mouseClick(window_->findChild<XPButton*>(QStringLiteral("XPButton30")), Qt::LeftButton);

    QCOMPARE(desktop_->opened.size(), 1u);
    QVERIFY(messages_->messages.empty());
    QCOMPARE(text.Text(), QStringLiteral("1+2"));
    QVERIFY(QApplication::activeModalWidget() == nullptr);
}

void HelpAboutTest::aboutBoxHasItsLayout() {
    frmF2 box(*desktop_);
    QCOMPARE(box.windowTitle(), QStringLiteral("About Tallix"));
    QCOMPARE(box.size(), QSize(Pixels(3945), Pixels(1635)));
    QCOMPARE(box.minimumSize(), box.maximumSize());
    QVERIFY(!box.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!box.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));

    auto* title = box.findChild<QLabel*>(QStringLiteral("lblTitle"));
    QVERIFY(title != nullptr);
    QCOMPARE(title->text(), QStringLiteral("Tallix"));
    QCOMPARE(title->font().family(), QStringLiteral("Times New Roman"));
    QCOMPARE(title->font().pointSizeF(), 15.75);
    QVERIFY(title->font().bold());
    QCOMPARE(box.findChild<QLabel*>(QStringLiteral("Label2"))->text(),
             QStringLiteral("Version 1.0"));

    auto* rule = box.findChild<QWidget*>(QStringLiteral("Line1"));
    QVERIFY(rule != nullptr);
    QCOMPARE(rule->geometry(), QRect(0, Pixels(1080), Pixels(3840), 1));

    // The link shows the host of the address it opens.
    QCOMPARE(box.Label1().text(), QUrl(QString::fromLatin1(frmF2::kLinkUrl)).host());
    QVERIFY(box.Label1().font().underline());
    QCOMPARE(box.Label1().cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(box.cmdOK().Caption(), QStringLiteral("OK"));
    QCOMPARE(box.cmdOK().ColorStyle(), int(XPButton::csBlue));
}

void HelpAboutTest::linkOpensTheMakersPageAndLeavesTheBoxOpen() {
    frmF2 box(*desktop_);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));

    ClickLink(box);
    QCOMPARE(desktop_->opened, std::vector<QUrl>{QUrl("http://tallix.example.org/ourfiles")});
    QVERIFY(box.isVisible());

    ClickOk(box);
    QVERIFY(!box.isVisible());
    QCOMPARE(desktop_->opened.size(), 1u);
}

void HelpAboutTest::okTakesTheFocusAndCloses_data() {
    QTest::addColumn<BoxAction>("closeBox");
    QTest::newRow("click on OK") << BoxAction(&ClickOk);
    QTest::newRow("Enter on OK") << BoxAction(&PressEnterOnOk);
    QTest::newRow("close through the frame") << BoxAction(&CloseThroughTheFrame);
}

void HelpAboutTest::okTakesTheFocusAndCloses() {
    QFETCH(BoxAction, closeBox);
    WhileAboutIsOpen([&](frmF2& box) {
        // OK is the only control of the box that takes the focus.
        QCOMPARE(box.focusWidget(), &box.cmdOK());
        closeBox(box);
    });
    QVERIFY(desktop_->opened.empty());
}

void HelpAboutTest::aboutIsModalAndFreshEachTime() {
    auto& text = window_->Text1();
    auto* keyOne = window_->findChild<XPButton*>(QStringLiteral("XPButton7"));
    QVERIFY(keyOne != nullptr);

    WhileAboutIsOpen([&](frmF2& box) {
        QVERIFY(box.isModal());
        ClickOnMainWindow(*keyOne); // blocked while the box is open
        ClickLink(box);
        QVERIFY(box.isVisible());
        box.Label1().setText(QStringLiteral("changed"));
        ClickOk(box);
    });
    QCOMPARE(text.Text(), QString());
    QCOMPARE(desktop_->opened.size(), 1u);

    // The second About builds a new box from the layout.
    WhileAboutIsOpen([&](frmF2& box) {
        QCOMPARE(box.Label1().text(), QStringLiteral("tallix.example.org"));
        ClickOk(box);
    });

    // With the box gone, the same click reaches the keypad again.
    ClickOnMainWindow(*keyOne);
    QCOMPARE(text.Text(), QStringLiteral("1"));
}

QTEST_MAIN(HelpAboutTest)
#include "HelpAboutTest.moc"
