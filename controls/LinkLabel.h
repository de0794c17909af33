#pragma once

#include <QLabel>

namespace tallix {

// A label that is a link: a left click on it, or Enter or Space while it has
// the keyboard focus, activates it. Tab reaches it; it then shows its focus
// with dots around its text (FocusDots.h). The pointer over it is a hand.
// Assistive technology sees a link named by its text, whose press action
// activates it. What activation opens is up to the window that holds it.
class LinkLabel : public QLabel {
    Q_OBJECT

public:
    explicit LinkLabel(const QString& text, QWidget* parent = nullptr);

signals:
    void Activated();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QRect FocusRect() const;

    // Registers the link with assistive technology, once per program.
    static void InstallAccessibility();
};

} // namespace tallix
