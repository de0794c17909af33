#include "controls/XPButtonLook.h"
#include "platform/Drawing.h"
#include "tests/support/ButtonSurface.h"
#include "tests/support/TableRows.h"

#include <QtTest>

#include <set>

using namespace tallix;
using namespace tallix::testing;

namespace {

constexpr int W = 58;
constexpr int H = 22;

enum Ring { NoRing, HotRing, FocusedRing, PressedRing };

// State flags and FocusDottedRect, with the ring and dots a face shows: the
// first matching rule decides.
struct State {
    const char* name;
    bool hover, focused, pressed, dotted, dots;
    Ring ring;
};
constexpr State States[] = {
    {"normal", false, false, false, true, false, NoRing},
    {"hot and focused", true, true, false, true, false, HotRing},
    {"hot, dots off", true, false, false, false, false, HotRing},
    {"focused", false, true, false, true, true, FocusedRing},
    {"focused, dots off", false, true, false, false, false, FocusedRing},
    {"pressed", false, false, true, true, false, PressedRing},
    {"hot, pressed and focused", true, true, true, true, true, PressedRing},
    {"pressed and focused, dots off", false, true, true, false, false, PressedRing},
};

using PixelSet = std::set<std::pair<int, int>>;

PixelSet Rectangle(const QRect& rect) {
    PixelSet pixels;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            pixels.insert({x, y});
        }
    }
    return pixels;
}

quint32 At(const XPButton& button, QPoint point) {
    return GetPixel(button.Surface(), point);
}

// The pixels of the button's surface of that colour (0x00BBGGRR), or with
// same false, of any other.
PixelSet PixelsOf(const XPButton& button, quint32 colour, bool same = true) {
    PixelSet pixels;
    for (const auto& [x, y] : Rectangle(button.rect())) {
        if ((At(button, {x, y}) == colour) == same) {
            pixels.insert({x, y});
        }
    }
    return pixels;
}

// The dotted focus rectangle of a W x H control.
PixelSet FocusDots() {
    PixelSet dots;
    for (int x = 3; x <= W - 5; x += 2) {
        dots.insert({{x, 2}, {x, H - 4}});
    }
    for (int y = 4; y <= H - 4; y += 2) {
        dots.insert({{2, y}, {W - 4, y}});
    }
    return dots;
}

// Each ring line at both ends where no later line or focus dot covers them
// (else in its middle), and border pixels clear of the rounded corners. The
// pixels just past the outer lines' ends are the face's.
constexpr std::pair<std::size_t, QPoint> RingProbes[] = {
    {0, {2, 1}},         {0, {W - 4, 1}},  {1, {1, 2}},         {1, {1, H - 4}},    {2, {2, H - 3}},
    {2, {W - 4, H - 3}}, {3, {W - 3, 2}},  {3, {W - 3, H - 4}}, {4, {28, 2}},       {5, {2, 2}},
    {5, {2, H - 5}},     {6, {28, H - 4}}, {7, {W - 4, 2}},     {7, {W - 4, H - 5}}};
constexpr QPoint PastRingEnds[] = {{1, 1}, {W - 3, 1}, {1, H - 3}, {W - 3, H - 3}};
constexpr std::array<QPoint, 4> BorderProbes = {{{28, 0}, {0, 11}, {W - 2, 11}, {28, H - 2}}};

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

void SetIcon(XPButton& button, bool icon = true, bool mask = true) {
    button.setIcon(icon ? Picture(IconRed, 0) : QImage());
    button.setIconMask(mask ? Picture(0, 0xFFFFFF) : QImage());
}

// origin: where the 16 x 16 picture lands, if anywhere. Disabled, both
// transfers take the greyed mask, so its pixels are copied as they are.
struct IconCase {
    const char* name;
    int alignment, height;
    bool icon, mask, enabled;
    QPoint origin;
};
constexpr QPoint NoIcon(-99, 0);
const IconCase IconCases[] = {
    {"left", XPButton::iaLeft, H, true, true, true, {5, 3}},
    {"right", XPButton::iaRight, H, true, true, true, {37, 3}},
    {"half pixel rounds down to even", XPButton::iaLeft, 21, true, true, true, {5, 2}},
    {"half pixel rounds up to even", XPButton::iaLeft, 23, true, true, true, {5, 4}},
    {"greyed", XPButton::iaLeft, H, true, true, false, {5, 3}},
    {"icon without mask", XPButton::iaLeft, H, true, false, true, NoIcon},
    {"mask without icon", XPButton::iaLeft, H, false, true, true, NoIcon},
    {"alignment 0", 0, H, true, true, true, NoIcon},
};

// What one style and state should show; disabled, the flat look whatever the state.
struct Look {
    quint32 top, bottom, border;
    const XPButtonLook::RingLook* ring;
};

Look Expected(int style, const State& state, bool enabled) {
    const auto& d = XPButtonLook::Disabled;
    if (!enabled) {
        return {d.face, d.face, d.border, nullptr};
    }
    // Named, so that the styles' order in the table is checked too.
    const std::array looks = {&XPButtonLook::Blue, &XPButtonLook::Silver, &XPButtonLook::Olive};
    const auto& look = *looks[style - 1];
    const bool pressed = state.ring == PressedRing;
    const std::array<const XPButtonLook::RingLook*, 4> rings = {nullptr, &look.hot, &look.focused,
                                                                &look.pressed};
    return {pressed ? look.face.pressedTop : look.face.normalTop,
            pressed ? look.face.pressedBottom : look.face.normalBottom, look.face.border,
            rings[state.ring]};
}

} // namespace

class PaintTest : public QObject {
    Q_OBJECT

private slots:
    void lookOfEachStyleAndState_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("state");
        QTest::addColumn<bool>("enabled");
        for (int style = 0; style <= 4; ++style) {
            for (int state = 0; state < int(std::size(States)); ++state) {
                for (const bool enabled : {true, false}) {
                    QTest::addRow("style %d %s%s", style, States[state].name,
                                  enabled ? "" : ", disabled")
                        << style << state << enabled;
                }
            }
        }
    }
    // Styles 0 and 4 paint nothing but the dots while hot. Lines beyond the
    // state's ring (all of them in the normal state, the inner four of silver
    // pressed) leave the face as it is: the colour of the last column, which
    // lies outside the border.
    void lookOfEachStyleAndState() {
        QFETCH(int, style);
        QFETCH(int, state);
        QFETCH(bool, enabled);
        const State& s = States[state];
        auto button = MakeButton(style);
        button->setEnabledFlag(enabled);
        button->setFocusDottedRect(s.dotted);
        if (style == 0 || style == 4) {
            button->setCaption(QStringLiteral("Text"));
            SetIcon(*button);
            XPButtonTestAccess::Paint(*button, s.hover, s.focused, s.pressed);
            const quint32 paper = ToBgr(button->palette().color(button->backgroundRole()).rgb());
            QCOMPARE(PixelsOf(*button, paper, false),
                     s.hover && s.dotted ? FocusDots() : PixelSet());
            QVERIFY(!button->mask().contains(QPoint(0, 0)));
            return;
        }
        XPButtonTestAccess::Paint(*button, s.hover, s.focused, s.pressed);
        const Look look = Expected(style, s, enabled);
        // The corner pixels lie outside the rounded border; the bottom row is
        // one step of 22 short of the bottom colour.
        QCOMPARE(At(*button, {0, 0}), look.top);
        QCOMPARE(At(*button, {W - 1, 0}), look.top);
        for (const int shift : {0, 8, 16}) {
            const auto channel = [shift](quint32 colour) { return int(colour >> shift & 0xFF); };
            QVERIFY(std::abs(channel(At(*button, {0, H - 1})) - channel(look.bottom)) <= 5);
        }
        for (const QPoint border : BorderProbes) {
            QCOMPARE(At(*button, border), look.border);
        }
        for (const auto& [line, probe] : RingProbes) {
            const bool drawn = look.ring != nullptr && line < look.ring->lines;
            QCOMPARE(At(*button, probe),
                     drawn ? look.ring->colors[line] : At(*button, {W - 1, probe.y()}));
        }
        for (const QPoint past : PastRingEnds) {
            QCOMPARE(At(*button, past), At(*button, {W - 1, past.y()}));
        }
        QCOMPARE(PixelsOf(*button, 0), enabled && s.dots ? FocusDots() : PixelSet());
    }

    // The window's shape and the border's outline follow RoundedValue: the
    // border's top row loses `cut` pixels at each end, its corners mirror each
    // other, its right and bottom lie on column W-2 and row H-2, and each
    // middle row holds just its two ends.
    void shapeAndBorderFollowRoundedValue() {
        for (const auto& [rounded, cut] : {std::pair(0, 0), std::pair(5, 1), std::pair(10, 3)}) {
            auto button = MakeButton(XPButton::csBlue);
            button->setRoundedValue(rounded);
            const QRegion shape = button->mask();
            QCOMPARE(shape.boundingRect(), QRect(0, 0, W, H));
            for (const QPoint corner : {QPoint(0, 0), QPoint(W - 1, 0), QPoint(W - 1, H - 1)}) {
                QCOMPARE(shape.contains(corner), rounded == 0);
            }
            const PixelSet border = PixelsOf(*button, XPButtonLook::Blue.face.border);
            for (int x = 0; x < W; ++x) {
                QCOMPARE(border.count({x, 0}) == 1, x >= cut && x <= W - 2 - cut);
            }
            for (const auto& [x, y] : border) {
                QVERIFY(border.count({W - 2 - x, y}) && border.count({x, H - 2 - y}));
            }
            QCOMPARE(std::count_if(border.begin(), border.end(),
                                   [](const auto& p) { return p.second == H / 2; }),
                     std::ptrdiff_t(2));
        }
    }

    // A rounded rectangle one pixel high or wide is still an outline: on a
    // button two pixels across the border covers the whole (W-1) x (H-1)
    // rectangle; on one a single pixel across it has nothing to draw.
    void thinButtonsKeepTheirBorder() {
        for (const QSize size : {QSize(W, 2), QSize(2, H), QSize(2, 2), QSize(W, 1)}) {
            auto button = MakeButton(XPButton::csBlue, size.width(), size.height());
            QCOMPARE(PixelsOf(*button, XPButtonLook::Blue.face.border),
                     Rectangle(QRect(0, 0, size.width() - 1, size.height() - 1)));
        }
    }

    void iconIsCutOutWithItsMask_data() { AddTableRows(IconCases); }
    void iconIsCutOutWithItsMask() {
        const auto [name, alignment, height, icon, mask, enabled, origin] = TableRow(IconCases);
        auto button = MakeButton(XPButton::csBlue, W, height);
        button->setEnabledFlag(enabled);
        button->setIconAlignment(alignment);
        SetIcon(*button, icon, mask);
        // The mask cuts away the icon's black around the square; disabled,
        // the greyed mask is copied whole, white around the square.
        const bool drawn = origin != NoIcon;
        QCOMPARE(PixelsOf(*button, enabled ? IconRed : XPButtonLook::Disabled.icon),
                 drawn ? Rectangle(IconShape.translated(origin)) : PixelSet());
        QCOMPARE(PixelsOf(*button, enabled ? 0 : 0xFFFFFF).size(),
                 std::size_t(drawn && !enabled ? 16 * 16 - 64 : 0));
    }

    // Ink in ForeColor 100 twips (6.7 pixels) from the left or right edge, or
    // centred; none for alignment 3. Disabled, it is grey like the border.
    void captionIsPlacedByItsAlignment() {
        auto button = MakeButton(XPButton::csBlue, 120, 22);
        button->setCaption(QStringLiteral("Wide"));
        button->setForeColor(IconRed);
        const auto ink = [&](int alignment) {
            button->setCaptionAlignment(alignment);
            const PixelSet pixels = PixelsOf(*button, IconRed);
            return pixels.empty() ? std::pair(-99, -99)
                                  : std::pair(pixels.begin()->first, pixels.rbegin()->first);
        };
        QVERIFY(qAbs(ink(XPButton::caLeft).first - 7) <= 1);
        QVERIFY(qAbs(ink(XPButton::caRight).second - 112) <= 1);
        const auto [left, right] = ink(XPButton::caCenter);
        QVERIFY(qAbs((left + right + 1) / 2 - 60) <= 2);
        QCOMPARE(ink(3).first, -99);
        button->setEnabledFlag(false);
        QCOMPARE(ink(XPButton::caCenter).first, -99);
        const std::size_t grey = PixelsOf(*button, XPButtonLook::Disabled.caption).size();
        button->setCaption(QString());
        QVERIFY(grey > PixelsOf(*button, XPButtonLook::Disabled.caption).size());
    }
};

QTEST_MAIN(PaintTest)
#include "PaintTest.moc"
