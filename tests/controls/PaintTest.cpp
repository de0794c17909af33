#include "PixelSets.h"
#include "XPButton.h"
#include "XPButtonLook.h"

#include <QtTest>

#include <algorithm>
#include <memory>

using namespace tallix;
using namespace tallix::testing;

// Sets the state flags as the interaction code would, then paints.
class XPButtonTestAccess {
public:
    static void Paint(XPButton& button, bool hover, bool focused, bool pressed) {
        button.bolHover = hover;
        button.bolFocused = focused;
        button.bolPressed = pressed;
        button.DrawButton();
    }
};

namespace {

constexpr int W = 58;
constexpr int H = 22;

enum State { Normal, Hot, Focused, Pressed, HotPressed };

struct Flags {
    bool hover;
    bool focused;
    bool pressed;
};

constexpr Flags FlagsOf(State state) {
    switch (state) {
    case Hot:
        return {true, false, false};
    case Focused:
        return {false, true, false};
    case Pressed:
        return {false, false, true};
    case HotPressed:
        return {true, false, true};
    default:
        return {false, false, false};
    }
}

// A button as the designer leaves it, but without a caption, so that only the
// face, border, ring and dots are on the surface.
std::unique_ptr<XPButton> MakeButton(int style, int width = W, int height = H) {
    auto button = std::make_unique<XPButton>(nullptr, false);
    button->resize(width, height);
    button->InitProperties();
    button->setCaption(QString());
    button->setColorStyle(style);
    return button;
}

void Paint(XPButton& button, Flags flags) {
    XPButtonTestAccess::Paint(button, flags.hover, flags.focused, flags.pressed);
}

quint32 At(const XPButton& button, int x, int y) {
    return GetPixel(button.Surface(), {x, y});
}

PixelSet BlackPixels(const XPButton& button) {
    return PixelsWhere(button.Surface(), [](quint32 colour) { return colour == 0; });
}

// The dotted focus rectangle of a W x H control.
PixelSet FocusDots() {
    PixelSet dots;
    for (int x = 3; x <= W - 5; x += 2) {
        dots.insert({x, 2});
        dots.insert({x, H - 4});
    }
    for (int y = 4; y <= H - 4; y += 2) {
        dots.insert({2, y});
        dots.insert({W - 4, y});
    }
    return dots;
}

// A pixel in the middle of each ring line, away from the focus dots.
constexpr std::array<QPoint, 8> RingProbes = {
    {{28, 1}, {1, 11}, {28, H - 3}, {W - 3, 11}, {28, 2}, {2, 11}, {28, H - 4}, {W - 4, 11}}
};

// A 16 x 16 picture pair: an 8 x 8 square at (4, 4), red in the icon.
constexpr quint32 IconRed = 0x0000FF;
const QRect IconShape(4, 4, 8, 8);

QImage Picture(quint32 inside, quint32 outside) {
    QImage picture(16, 16, QImage::Format_RGB32);
    picture.fill(ToRgb(outside));
    for (const auto& [x, y] : Rectangle(IconShape)) {
        picture.setPixel(x, y, ToRgb(inside));
    }
    return picture;
}

const XPButtonLook::StyleLook& Look(int style) {
    return XPButtonLook::Styles[style - 1];
}

// The ring a state shows; none in the normal state. Pressed wins over hot.
const XPButtonLook::RingLook* RingOf(int style, State state) {
    const auto& look = Look(style);
    switch (state) {
    case Hot:
        return &look.hot;
    case Focused:
        return &look.focused;
    case Pressed:
    case HotPressed:
        return &look.pressed;
    default:
        return nullptr;
    }
}

} // namespace

class PaintTest : public QObject {
    Q_OBJECT

    static void addStyleStateRows() {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("state");
        constexpr std::array<const char*, 5> names = {"normal", "hot", "focused", "pressed",
                                                      "hot and pressed"};
        for (int style = 1; style <= 3; ++style) {
            for (int state = Normal; state <= HotPressed; ++state) {
                QTest::addRow("style %d %s", style, names[state]) << style << state;
            }
        }
    }

private slots:
    void faceIsAVerticalGradientInsideTheBorder_data() { addStyleStateRows(); }
    void faceIsAVerticalGradientInsideTheBorder() {
        QFETCH(int, style);
        QFETCH(int, state);
        auto button = MakeButton(style);
        Paint(*button, FlagsOf(State(state)));
        const auto& face = Look(style).face;
        const bool pressed = RingOf(style, State(state)) == &Look(style).pressed;
        const quint32 top = pressed ? face.pressedTop : face.normalTop;
        const quint32 bottom = pressed ? face.pressedBottom : face.normalBottom;

        // The corner pixels lie outside the rounded border.
        QCOMPARE(At(*button, 0, 0), top);
        QCOMPARE(At(*button, W - 1, 0), top);
        // The bottom row is one step of 22 short of the bottom colour.
        QVERIFY(ChannelsWithin(At(*button, 0, H - 1), bottom, 5));
        for (const QPoint border : {QPoint(28, 0), QPoint(0, 11), QPoint(W - 2, 11),
                                    QPoint(28, H - 2), QPoint(1, 0), QPoint(W - 2, 1)}) {
            QCOMPARE(At(*button, border.x(), border.y()), face.border);
        }
    }

    // Lines beyond the state's ring (all of them in the normal state, the inner
    // four of silver pressed) leave the face as it is: the same colour as the
    // last column, which lies outside the border.
    void ringLinesTakeTheColoursOfTheStyleAndState_data() { addStyleStateRows(); }
    void ringLinesTakeTheColoursOfTheStyleAndState() {
        QFETCH(int, style);
        QFETCH(int, state);
        auto button = MakeButton(style);
        Paint(*button, FlagsOf(State(state)));
        const XPButtonLook::RingLook* ring = RingOf(style, State(state));
        for (std::size_t line = 0; line < RingProbes.size(); ++line) {
            const QPoint probe = RingProbes[line];
            const bool drawn = ring != nullptr && line < ring->lines;
            QCOMPARE(At(*button, probe.x(), probe.y()),
                     drawn ? ring->colors[line] : At(*button, W - 1, probe.y()));
        }
    }

    // A few colours straight from the design, so a slip in the tables shows.
    void ringColoursMatchTheDesign_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("state");
        QTest::addColumn<int>("line");
        QTest::addColumn<quint32>("colour");
        QTest::newRow("blue hot top") << 1 << int(Hot) << 1 << quint32(0xCFF0FF);
        QTest::newRow("blue focused bottom") << 1 << int(Focused) << 3 << quint32(0xEE8269);
        QTest::newRow("blue pressed right inner") << 1 << int(Pressed) << 8 << quint32(0xDBE2E3);
        QTest::newRow("silver focused left inner") << 2 << int(Focused) << 6 << quint32(0xFFFFFF);
        QTest::newRow("silver pressed right") << 2 << int(Pressed) << 4 << quint32(0xFFFFFF);
        QTest::newRow("olive hot bottom inner") << 3 << int(Hot) << 7 << quint32(0x4F91E3);
        QTest::newRow("olive focused right inner") << 3 << int(Focused) << 8 << quint32(0x5DC398);
    }
    void ringColoursMatchTheDesign() {
        QFETCH(int, style);
        QFETCH(int, state);
        QFETCH(int, line);
        QFETCH(quint32, colour);
        auto button = MakeButton(style);
        Paint(*button, FlagsOf(State(state)));
        const QPoint probe = RingProbes[line - 1];
        QCOMPARE(At(*button, probe.x(), probe.y()), colour);
    }

    void focusDotsFollowTheFirstMatchingState_data() {
        QTest::addColumn<bool>("hover");
        QTest::addColumn<bool>("focused");
        QTest::addColumn<bool>("pressed");
        QTest::addColumn<bool>("dotted");
        QTest::addColumn<bool>("dots");
        QTest::newRow("focused") << false << true << false << true << true;
        QTest::newRow("focused, dots off") << false << true << false << false << false;
        QTest::newRow("hot and focused") << true << true << false << true << false;
        QTest::newRow("pressed") << false << false << true << true << false;
        QTest::newRow("pressed and focused") << false << true << true << true << true;
        QTest::newRow("hot, pressed and focused") << true << true << true << true << true;
        QTest::newRow("pressed and focused, dots off") << false << true << true << false << false;
    }
    void focusDotsFollowTheFirstMatchingState() {
        QFETCH(bool, hover);
        QFETCH(bool, focused);
        QFETCH(bool, pressed);
        QFETCH(bool, dotted);
        QFETCH(bool, dots);
        for (int style = 1; style <= 3; ++style) {
            auto button = MakeButton(style);
            button->setFocusDottedRect(dotted);
            Paint(*button, {hover, focused, pressed});
            QCOMPARE(BlackPixels(*button), dots ? FocusDots() : PixelSet());
        }
    }

    void disabledLookIgnoresTheFlags_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("state");
        for (int style = 1; style <= 3; ++style) {
            for (int state = Normal; state <= Pressed; ++state) {
                QTest::addRow("style %d state %d", style, state) << style << state;
            }
        }
    }
    void disabledLookIgnoresTheFlags() {
        QFETCH(int, style);
        QFETCH(int, state);
        auto button = MakeButton(style);
        button->setEnabledFlag(false);
        const Flags flags = FlagsOf(State(state));
        Paint(*button, {flags.hover, true, flags.pressed});
        const auto& disabled = XPButtonLook::Disabled;
        QCOMPARE(At(*button, 0, 0), disabled.face);
        QCOMPARE(At(*button, 0, H - 1), disabled.face);
        for (const QPoint probe : RingProbes) {
            QCOMPARE(At(*button, probe.x(), probe.y()), disabled.face);
        }
        QCOMPARE(At(*button, 28, 0), disabled.border);
        QCOMPARE(At(*button, W - 2, 11), disabled.border);
        QVERIFY(BlackPixels(*button).empty());
    }

    void stylesWithoutAFaceShowDotsOnlyWhileHot_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<bool>("hover");
        QTest::addColumn<bool>("dotted");
        for (int style : {0, 4}) {
            QTest::addRow("style %d hot", style) << style << true << true;
            QTest::addRow("style %d hot, dots off", style) << style << true << false;
            QTest::addRow("style %d focused only", style) << style << false << true;
        }
    }
    void stylesWithoutAFaceShowDotsOnlyWhileHot() {
        QFETCH(int, style);
        QFETCH(bool, hover);
        QFETCH(bool, dotted);
        auto button = MakeButton(XPButton::csBlue);
        button->setCaption(QStringLiteral("Text"));
        button->setFocusDottedRect(dotted);
        Paint(*button, {hover, true, false});
        button->setColorStyle(style);

        const QRgb background = button->palette().color(button->backgroundRole()).rgb();
        const quint32 paper = ToBgr(background);
        const PixelSet painted =
            PixelsWhere(button->Surface(), [paper](quint32 colour) { return colour != paper; });
        QCOMPARE(painted, hover && dotted ? FocusDots() : PixelSet());
        QVERIFY(!button->mask().contains(QPoint(0, 0)));
    }

    void windowShapeFollowsRoundedValue_data() {
        QTest::addColumn<int>("rounded");
        QTest::addColumn<bool>("cornerShown");
        QTest::newRow("rounded 5") << 5 << false;
        QTest::newRow("rounded 0") << 0 << true;
    }
    void windowShapeFollowsRoundedValue() {
        QFETCH(int, rounded);
        QFETCH(bool, cornerShown);
        auto button = MakeButton(XPButton::csBlue);
        button->setRoundedValue(rounded);
        QCOMPARE(button->mask().boundingRect(), QRect(0, 0, W, H));
        for (const QPoint corner : {QPoint(0, 0), QPoint(W - 1, H - 1)}) {
            QCOMPARE(button->mask().contains(corner), cornerShown);
        }
        const quint32 border = Look(XPButton::csBlue).face.border;
        QCOMPARE(At(*button, 0, 0) == border, cornerShown);
        QCOMPARE(At(*button, W - 2, H - 2) == border, cornerShown);
    }

    void iconIsCutOutWithItsMask_data() {
        QTest::addColumn<int>("alignment");
        QTest::addColumn<int>("height");
        QTest::addColumn<QPoint>("origin");
        QTest::newRow("left") << int(XPButton::iaLeft) << H << QPoint(5, 3);
        QTest::newRow("right") << int(XPButton::iaRight) << H << QPoint(W - 16 - 5, 3);
        QTest::newRow("half pixel rounds down to even")
            << int(XPButton::iaLeft) << 21 << QPoint(5, 2);
        QTest::newRow("half pixel rounds up to even")
            << int(XPButton::iaLeft) << 23 << QPoint(5, 4);
    }
    void iconIsCutOutWithItsMask() {
        QFETCH(int, alignment);
        QFETCH(int, height);
        QFETCH(QPoint, origin);
        auto plain = MakeButton(XPButton::csBlue, W, height);
        auto button = MakeButton(XPButton::csBlue, W, height);
        button->setIconAlignment(alignment);
        button->setIcon(Picture(IconRed, 0));
        button->setIconMask(Picture(0, 0xFFFFFF));

        const QRect shape = IconShape.translated(origin);
        for (const auto& [x, y] : Rectangle(QRect(0, 0, W, height))) {
            const bool inShape = shape.contains(x, y);
            QCOMPARE(At(*button, x, y), inShape ? IconRed : At(*plain, x, y));
        }
    }

    void incompleteOrUnalignedIconDrawsNothing_data() {
        QTest::addColumn<bool>("icon");
        QTest::addColumn<bool>("mask");
        QTest::addColumn<int>("alignment");
        QTest::newRow("icon without mask") << true << false << int(XPButton::iaLeft);
        QTest::newRow("mask without icon") << false << true << int(XPButton::iaLeft);
        QTest::newRow("alignment 0") << true << true << 0;
    }
    void incompleteOrUnalignedIconDrawsNothing() {
        QFETCH(bool, icon);
        QFETCH(bool, mask);
        QFETCH(int, alignment);
        auto plain = MakeButton(XPButton::csBlue);
        auto button = MakeButton(XPButton::csBlue);
        button->setIconAlignment(alignment);
        button->setIcon(icon ? Picture(IconRed, 0) : QImage());
        button->setIconMask(mask ? Picture(0, 0xFFFFFF) : QImage());
        QCOMPARE(button->Surface(), plain->Surface());
    }

    void disabledIconIsTheMaskInGrey() {
        auto button = MakeButton(XPButton::csOlive);
        button->setIcon(Picture(IconRed, 0));
        button->setIconMask(Picture(0, 0xFFFFFF));
        button->setEnabledFlag(false);
        const QRect picture(5, 3, 16, 16);
        for (const auto& [x, y] : Rectangle(picture)) {
            const bool inShape = IconShape.translated(picture.topLeft()).contains(x, y);
            QCOMPARE(At(*button, x, y), inShape ? XPButtonLook::Disabled.icon : 0xFFFFFF);
        }
    }

    void captionIsPlacedByItsAlignment_data() {
        QTest::addColumn<int>("alignment");
        QTest::newRow("left") << int(XPButton::caLeft);
        QTest::newRow("right") << int(XPButton::caRight);
        QTest::newRow("centre") << int(XPButton::caCenter);
        QTest::newRow("alignment 3") << 3;
    }
    void captionIsPlacedByItsAlignment() {
        QFETCH(int, alignment);
        auto button = MakeButton(XPButton::csBlue, 120, 22);
        button->setCaption(QStringLiteral("Wide"));
        button->setCaptionAlignment(alignment);
        const PixelSet ink = PixelsWhere(
            button->Surface(), [](quint32 colour) { return ChannelsWithin(colour, 0, 0x60); });
        if (alignment == 3) {
            QVERIFY(ink.empty());
            return;
        }
        QVERIFY(!ink.empty());
        int left = 120;
        int right = 0;
        for (const auto& [x, y] : ink) {
            left = std::min(left, x);
            right = std::max(right, x);
        }
        // 100 twips are 6.7 pixels at 96 dots per inch.
        switch (alignment) {
        case XPButton::caLeft:
            QVERIFY2(left >= 6 && left <= 8, qPrintable(QString::number(left)));
            break;
        case XPButton::caRight:
            QVERIFY2(right >= 120 - 9 && right <= 120 - 7, qPrintable(QString::number(right)));
            break;
        default:
            QVERIFY2(qAbs((left + right + 1) / 2 - 60) <= 2,
                     qPrintable(QStringLiteral("%1..%2").arg(left).arg(right)));
        }
    }

    void captionTakesForeColourOrTheDisabledColour() {
        auto button = MakeButton(XPButton::csBlue, 120, 22);
        button->setCaption(QStringLiteral("HHH"));
        button->setForeColor(0x0000FF);
        const auto count = [&](quint32 colour) {
            return PixelsWhere(button->Surface(), [colour](quint32 c) { return c == colour; })
                .size();
        };
        QVERIFY(count(0x0000FF) > 0);
        button->setEnabledFlag(false);
        QCOMPARE(count(0x0000FF), std::size_t(0));
        // The border has the same grey; the caption adds to it.
        const std::size_t grey = count(XPButtonLook::Disabled.caption);
        button->setCaption(QString());
        QVERIFY(grey > count(XPButtonLook::Disabled.caption));
    }

    void paintShowsTheSurface() {
        auto button = MakeButton(XPButton::csSilver);
        Paint(*button, FlagsOf(Focused));
        const QImage shown = button->grab().toImage();
        // Outside the window's shape nothing is painted.
        for (const auto& [x, y] : Rectangle(QRect(0, 0, W, H))) {
            if (button->mask().contains(QPoint(x, y))) {
                QCOMPARE(ToBgr(shown.pixel(x, y)), At(*button, x, y));
            }
        }
    }

    void zeroSizeOrNegativeCornersPaintWithoutHarm() {
        auto empty = MakeButton(XPButton::csBlue, 0, 0);
        empty->setIcon(Picture(IconRed, 0));
        empty->setIconMask(Picture(0, 0xFFFFFF));
        empty->setCaption(QStringLiteral("x"));
        Paint(*empty, {true, true, true});
        QVERIFY(empty->Surface().isNull());

        auto tiny = MakeButton(XPButton::csBlue, 3, 2);
        tiny->setRoundedValue(-7);
        Paint(*tiny, {false, true, true});
        QCOMPARE(tiny->Surface().size(), QSize(3, 2));
    }
};

QTEST_MAIN(PaintTest)
#include "PaintTest.moc"
