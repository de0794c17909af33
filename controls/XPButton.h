#pragma once

#include <QFont>
#include <QImage>
#include <QString>
#include <QTimer>
#include <QWidget>

namespace tallix {

class MessageService;
class PointerProbe;
class PropertyBag;

namespace XPButtonLook {
struct StyleLook;
} // namespace XPButtonLook

// XPButton: the one push button of Tallix (XPButton7 to XPButton31 and cmdOK
// in the layouts), a child window that draws itself entirely (rounded shape,
// gradient face, border, state ring, focus dots, icon, caption) and tracks
// mouse, keyboard, focus and hover itself.
//
// Stored layouts name the class "Quorbit.XPButton" and keep its properties
// in a property bag under the keys of the eleven properties below.
class XPButton : public QWidget {
    Q_OBJECT
    // One property per line: a declaration wrapped mid-clause is hard to scan.
    // clang-format off
    Q_PROPERTY(int CaptionAlignment READ CaptionAlignment WRITE setCaptionAlignment NOTIFY captionAlignmentChanged)
    Q_PROPERTY(int IconAlignment READ IconAlignment WRITE setIconAlignment NOTIFY iconAlignmentChanged)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption NOTIFY captionChanged)
    Q_PROPERTY(quint32 ForeColor READ ForeColor WRITE setForeColor NOTIFY foreColorChanged)
    Q_PROPERTY(int ColorStyle READ ColorStyle WRITE setColorStyle NOTIFY colorStyleChanged)
    Q_PROPERTY(bool FocusDottedRect READ FocusDottedRect WRITE setFocusDottedRect NOTIFY focusDottedRectChanged)
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabledFlag NOTIFY enabledFlagChanged)
    Q_PROPERTY(QFont FontType READ FontType WRITE setFontType NOTIFY fontTypeChanged)
    Q_PROPERTY(QImage IconMask READ IconMask WRITE setIconMask NOTIFY iconMaskChanged)
    Q_PROPERTY(QImage Icon READ Icon WRITE setIcon NOTIFY iconChanged)
    Q_PROPERTY(int RoundedValue READ RoundedValue WRITE setRoundedValue NOTIFY roundedValueChanged)
    // clang-format on

public:
    static constexpr const char* ClassId = "Quorbit.XPButton";

    enum CaptionAlign { caLeft = 0, caRight = 1, caCenter = 2 };
    enum IconAlign { iaLeft = 1, iaRight = 2 };
    enum Style { csBlue = 1, csSilver = 2, csOlive = 3 };

    // runMode is the container's run-mode flag: false while a window designer
    // shows the control (no hover tracking there), true in the running program.
    explicit XPButton(QWidget* parent = nullptr, bool runMode = true);

    // The container's display name for the instance, the caption a new
    // instance takes.
    void setDisplayName(const QString& name) { displayName_ = name; }

    // The eleven persisted properties, their keys and defaults as
    // XPButtonProperties() lists them, in its order. The windows only load
    // their buttons; initialising and saving are kept for the documented
    // interface, and used by the tests and the benchmarks.
    // A new instance: the defaults, with the display name as caption.
    void InitProperties();
    // A saved instance: every property from the bag, missing keys defaulted.
    void ReadProperties(const PropertyBag& bag);
    // Writes the eleven properties; the bag leaves out those at their default.
    void WriteProperties(PropertyBag& bag) const;

    // Where the access-key box goes; by default a real message box.
    void setMessageService(tallix::MessageService* service);
    // Where the hover poll asks for the pointer; by default the probe that
    // all buttons of the application share.
    void setPointerProbe(tallix::PointerProbe* probe);

    // One hover poll: tmrCheck runs it every 50 ms at run time, while the
    // pointer is over one of the application's windows. A poll that finds it
    // over none of them leaves the timer stopped (the control is then not
    // hot) until the pointer arrives again: nothing can become hot meanwhile,
    // and an open calculator costs no wake-ups while the user works elsewhere.
    void PollHover();

    int CaptionAlignment() const { return captionAlignment_; }
    int IconAlignment() const { return iconAlignment_; }
    QString Caption() const { return caption_; }
    quint32 ForeColor() const { return foreColor_; }
    int ColorStyle() const { return colorStyle_; }
    bool FocusDottedRect() const { return focusDottedRect_; }
    bool Enabled() const { return enabledFlag_; }
    QFont FontType() const { return fontType_; }
    QImage IconMask() const { return iconMask_; }
    QImage Icon() const { return icon_; }
    int RoundedValue() const { return roundedValue_; }

    void setCaptionAlignment(int NewValue);
    void setIconAlignment(int NewValue);
    void setCaption(const QString& NewValue);
    void setForeColor(quint32 NewValue);
    void setColorStyle(int NewValue);
    void setFocusDottedRect(bool NewValue);
    void setEnabledFlag(bool NewValue);
    void setFontType(const QFont& NewValue);
    void setIconMask(const QImage& NewValue);
    void setIcon(const QImage& NewValue);
    void setRoundedValue(int NewValue);

    // The drawing surface, in device pixels, brought up to date first: a
    // repaint that is still pending is drawn before the surface is handed out.
    const QImage& Surface() const;

    // Repaints the whole control: the rounded shape is applied at once, the
    // surface is drawn from the properties and flags at the next paint (or
    // when Surface() is read), so several changes in a row cost one drawing.
    void DrawButton();

signals:
    // The container's property-changed hook: name is the property-bag key.
    void PropertyChanged(const QString& name);

    // The control's events. The windows connect Click alone; the others,
    // and PropertyChanged above, are kept for the documented interface of
    // the control and heard only by its tests.
    void Click();
    void DoubleClick();
    void KeyDown(qint16& KeyCode, qint16& Shift);
    void KeyPress(qint16& KeyAscii);
    void KeyUp(qint16& KeyCode, qint16& Shift);
    void MouseDown(qint16& Button, qint16& Shift, float& x, float& Y);
    void MouseMove(qint16& Button, qint16& Shift, float& x, float& Y);
    void MouseUp(qint16& Button, qint16& Shift, float& x, float& Y);
    void MouseEnters(qint32 x, qint32 Y);
    void MouseLeaves(qint32 x, qint32 Y);

    // One NOTIFY signal per property, emitted only when the value really
    // changed (PropertyChanged above comes for every assignment).
    void captionAlignmentChanged(int CaptionAlignment);
    void iconAlignmentChanged(int IconAlignment);
    void captionChanged(const QString& Caption);
    void foreColorChanged(quint32 ForeColor);
    void colorStyleChanged(int ColorStyle);
    void focusDottedRectChanged(bool FocusDottedRect);
    void enabledFlagChanged(bool Enabled);
    void fontTypeChanged(const QFont& FontType);
    void iconMaskChanged(const QImage& IconMask);
    void iconChanged(const QImage& Icon);
    void roundedValueChanged(int RoundedValue);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

    // The container's notifications, turned into the control's own below.
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // The drawing itself, into the surface. The surface and what only the
    // drawing uses are a cache of the look, so these are const and that
    // state is mutable: reading Surface() may have to draw first.
    void DrawCaption(const QString& Text, int Alignment) const;
    void DrawIcon() const;
    void DrawFocusDots() const;
    void PaintSurface() const;
    void DrawFaceAndBorder(quint32 top, quint32 bottom, quint32 border) const;
    void DrawStateCues(const XPButtonLook::StyleLook& look) const;
    void DrawDisabledLook() const;
    void ApplyShape();
    // Tests set the state flags directly to paint every combination.
    friend class XPButtonTestAccess;

    // Persisted properties, at the defaults of XPButtonProperties() until the
    // instance is initialised or loaded.
    int captionAlignment_ = caCenter;
    int iconAlignment_ = iaLeft;
    QString caption_;
    quint32 foreColor_ = 0;
    int colorStyle_ = csBlue;
    bool focusDottedRect_ = true;
    bool enabledFlag_ = true;
    QFont fontType_;
    QImage iconMask_;
    QImage icon_;
    int roundedValue_ = 5;

    // State flags.
    bool bolPressed = false;
    bool bolHover = false;
    bool bolFocused = false;
    QPoint ptCursor;

    // Hidden picture buffers and the drawing surface.
    QImage imgIcon;
    QImage imgMask;
    mutable QImage imgDis;
    mutable QImage surface_;
    mutable QColor textColor_;         // the surface's current text and pen colour
    mutable bool surfaceStale_ = true; // a repaint was asked for and not drawn yet

    QTimer tmrCheck;
    bool hoverResting_ = false; // tmrCheck stopped until the pointer arrives
    void WakeHoverPoll();

    // Container services.
    QString displayName_;
    bool runMode_ = true;
    void StartTimerInRunMode();
    // Every setter: store, tell the container, repaint, and emit the
    // property's NOTIFY signal if the value changed.
    template <typename Value, typename Signal>
    void Assign(Value& field, const Value& NewValue, const char* key, Signal changed);

    // Notifications; all but the access key are ignored while Enabled is False.
    void OnClick();
    void OnDoubleClick();
    void OnFocus(bool gained);
    void OnKeyDown(qint16 KeyCode, qint16 Shift);
    void OnKeyPress(qint16 KeyAscii);
    void OnKeyUp(qint16 KeyCode, qint16 Shift);
    void OnMouseDown(qint16 Button, qint16 Shift, float x, float Y);
    void OnMouseUp(qint16 Button, qint16 Shift, float x, float Y);
    void OnAccessKey(qint16 KeyAscii);
    void SetPressed(bool pressed);
    bool IsOwnWindow(const QWidget* widget) const;

    tallix::MessageService* messages_ = nullptr;
    tallix::PointerProbe* probe_ = nullptr;
    bool clickArmed_ = false; // a left press on the control awaits its release

    // Registers the control with assistive technology, once per program.
    static void InstallAccessibility();
    friend class XPButtonAccessible;
};

} // namespace tallix
