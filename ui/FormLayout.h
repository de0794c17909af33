#pragma once

#include "platform/PropertyBag.h"

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QLine>
#include <QRect>
#include <QSize>
#include <QString>

#include <optional>
#include <vector>

namespace tallix {

// A window as its stored layout describes it, in twips relative to the
// client area. Layouts are JSON objects:
//
//   {"form": "frmMain", "caption": "Tallix", "width": 4335, "height": 3135,
//    "backColor": "#ffffff", "font": {"name": "Tahoma", "size": 8.25},
//    "border": "fixedSingle", "minButton": true, "maxButton": false,
//    "showInTaskbar": true, "controls": [ ... ]}
//
// and each control is
//
//   {"kind": "label", "name": "Label1", "left": 120, "top": 135,
//    "width": 1095, "height": 195, "tabIndex": 0, "caption": "Expression",
//    "font": {...}, "toolTip": "...", "foreColor": "#000000",
//    "backColor": "#ffffff"}
//
// Kinds: "label", "link" (a label that opens something when clicked or
// activated from the keyboard; the window decides what), "optionButton" (may
// add "value": true for the selected one), "textBox" (may add "text"),
// "listBox", "line" (no box or tab index but "x1", "y1", "x2", "y2"; its
// colour is "foreColor"), and "custom", a control of a registered class
// ("class": "Quorbit.XPButton") whose saved properties are the "properties"
// object, the control's property bag with the container's "_extentx" and
// "_extenty" (hundredths of a millimetre).
// Colours are "#rrggbb" or a system colour by name ("highlight",
// "highlightedText", "window", "windowText", "buttonFace").
// Fonts: "name" and "size" (points), optional "bold", "italic", "underline".
// Unknown keys are errors, so a misspelt setting is never silently ignored,
// and so is a key given twice in one object (in a property bag, also in
// another case). Every position and size is whole twips: a window at most
// 61,440 twips (4096 pixels at 96 dpi) on a side, every control's box and
// every line's ends inside it.
enum class ControlKind { Label, Link, OptionButton, TextBox, ListBox, Line, Custom };

struct ControlLayout {
    ControlKind kind = ControlKind::Label;
    QString name;
    QRect box;                   // twips; empty for a line
    QLine line;                  // twips; lines only
    std::optional<int> tabIndex; // none for a line
    QString caption;             // label and option caption, text box text
    std::optional<QFont> font;
    QString toolTip;
    std::optional<QColor> foreColor;
    std::optional<QColor> backColor;
    bool value = false; // option buttons: selected
    QString classId;    // custom controls
    PropertyBag properties;
};

enum class FormBorder { FixedSingle, FixedDialog };

struct FormLayout {
    QString file; // where the layout came from, for error messages
    QString name;
    QString caption;
    QSize size; // client area, twips
    QColor backColor;
    QFont font;
    FormBorder border = FormBorder::FixedSingle;
    bool minButton = false;
    bool maxButton = false;
    bool showInTaskbar = true;
    std::vector<ControlLayout> controls;
};

// Reads and checks a layout file or Qt resource (":/layouts/frmMain.json").
// Throws LayoutError naming the file, the control and the fault.
FormLayout LoadFormLayout(const QString& path);

// The same for layout text already in memory; file names it in errors.
FormLayout ParseFormLayout(const QByteArray& json, const QString& file);

} // namespace tallix
