#pragma once

class QWidget;

namespace tallix {

// Makes the windows built from layouts known to assistive technology as
// they are meant to be heard: a plain top-level widget as a window (a
// frame, to AT-SPI) named by its title, which the toolkit otherwise reports
// as the client area of a window (a filler) that screen readers do not
// announce; a dialog as a dialog. Either leaves out the controls marked
// decorative. The toolkit's own window classes keep their interfaces.
// Installing it again does nothing.
void InstallWindowAccessibility();

// Leaves a control that only decorates its window (a rule) out of the
// window's children as assistive technology sees them.
void MarkDecorative(QWidget& control);

} // namespace tallix
