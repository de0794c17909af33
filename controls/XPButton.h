#pragma once

#include <QFont>
#include <QImage>
#include <QString>
#include <QTimer>
#include <QWidget>

class PropertyBag;

namespace XPButtonLook {
struct StyleLook;
} // namespace XPButtonLook

namespace tallix {
class MessageService;
class PointerProbe;
} // namespace tallix

// The one push button of Tallix: a child window that draws itself entirely
// (rounded shape, gradient face, border, state ring, focus dots, icon,
// caption) and tracks mouse, keyboard, focus and hover itself.
//
// Stored layouts name the class "Quorbit.XPButton" and keep its properties
// in a property bag under the keys of the eleven properties below.
class XPButton : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int CaptionAlignment READ CaptionAlignment WRITE setCaptionAlignment)
    Q_PROPERTY(int IconAlignment READ IconAlignment WRITE setIconAlignment)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(quint32 ForeColor READ ForeColor WRITE setForeColor)
    Q_PROPERTY(int ColorStyle READ ColorStyle WRITE setColorStyle)
    Q_PROPERTY(bool FocusDottedRect READ FocusDottedRect WRITE setFocusDottedRect)
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabledFlag)
    Q_PROPERTY(QFont FontType READ FontType WRITE setFontType)
    Q_PROPERTY(QImage IconMask READ IconMask WRITE setIconMask)
    Q_PROPERTY(QImage Icon READ Icon WRITE setIcon)
    Q_PROPERTY(int RoundedValue READ RoundedValue WRITE setRoundedValue)

public:
    static constexpr const char* ClassId = "Quorbit.XPButton";

    enum CaptionAlign { caLeft = 0, caRight = 1, caCenter = 2 };
    enum IconAlign { iaLeft = 1, iaRight = 2 };
    enum Style { csBlue = 1, csSilver = 2, csOlive = 3 };

    // runMode is the container's run-mode flag: false while a window designer
    // shows the control (no hover tracking there), true in the running program.
    explicit XPButton(QWidget* parent = nullptr, bool runMode = true);
    ~XPButton() override;

    // Container services: the display name becomes the caption of a new
    // instance; the run-mode flag decides whether tmrCheck runs.
    QString DisplayName() const { return displayName_; }
    void setDisplayName(const QString& name) { displayName_ = name; }
    bool RunMode() const { return runMode_; }

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

    // One hover poll: tmrCheck runs it every 50 ms at run time.
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

    // The drawing surface, in device pixels; tests read its pixels.
    const QImage& Surface() const { return surface_; }

    // Paints the whole control into its surface from its properties and flags.
    void DrawButton();

signals:
    // The container's property-changed hook: name is the property-bag key.
    void PropertyChanged(const QString& name);

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
    void DrawCaption(const QString& Text, int Alignment);
    void DrawIcon();
    void DrawFocusDots();
    // DrawButton without its repaint request: what a paint notification runs.
    void PaintSurface();
    void DrawFaceAndBorder(quint32 top, quint32 bottom, quint32 border);
    void DrawStateCues(const XPButtonLook::StyleLook& look);
    void DrawDisabledLook();
    // Tests set the state flags directly to paint every combination.
    friend class XPButtonTestAccess;

    // Persisted properties.
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
    QImage imgDis;
    QImage surface_;
    QColor textColor_; // the surface's current text and pen colour

    QTimer tmrCheck;

    // Container services.
    QString displayName_;
    bool runMode_ = true;
    void StartTimerInRunMode();
    // Second and third step of every setter: tell the container, repaint.
    void NotifyAndRepaint(const char* key);

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
