#pragma once

namespace tallix {

// Makes a plain top-level widget, such as a window built from a layout,
// known to assistive technology as a window (a frame, to AT-SPI) named by its
// title; the toolkit otherwise reports it as the client area of a window
// (a filler), which screen readers do not announce as a window.
// Dialogs and the toolkit's own window classes keep their roles. Installing
// it again does nothing.
void InstallWindowAccessibility();

} // namespace tallix
