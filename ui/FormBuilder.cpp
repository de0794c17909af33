#include "FormBuilder.h"

#include "EditBox.h"
#include "Twips.h"
#include "WidgetColors.h"
#include "XPButton.h"

#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QMetaProperty>
#include <QRadioButton>
#include <QSet>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <utility>
#include <vector>

namespace tallix {

namespace {

using Factory = QWidget* (*)(const ControlSpec&, QWidget& parent);

QWidget* CreateLabel(const ControlSpec& spec, QWidget& parent) {
    auto* label = new QLabel(spec.caption, &parent);
    // Captions start at the top left corner of their box, however tall it is.
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QWidget* CreateOptionButton(const ControlSpec& spec, QWidget& parent) {
    auto* option = new QRadioButton(spec.caption, &parent);
    option->setChecked(spec.value);
    return option;
}

QWidget* CreateTextBox(const ControlSpec& spec, QWidget& parent) {
    auto* edit = new EditBox(&parent);
    edit->SetText(spec.caption);
    return edit;
}

QWidget* CreateListBox(const ControlSpec&, QWidget& parent) {
    return new QListWidget(&parent);
}

QWidget* CreateLine(const ControlSpec& spec, QWidget& parent) {
    auto* line = new QFrame(&parent);
    SetBackColor(*line, spec.foreColor.value_or(Qt::black));
    return line;
}

// A custom control's saved properties must all be properties of its class
// (matched without regard to case), or the container's size keys.
void CheckPropertyKeys(const ControlSpec& spec, const QMetaObject& type, const QString& file) {
    QSet<QString> known = {QStringLiteral("_extentx"), QStringLiteral("_extenty")};
    for (int i = type.propertyOffset(); i < type.propertyCount(); ++i) {
        known.insert(QString::fromLatin1(type.property(i).name()).toLower());
    }
    for (const QString& key : spec.properties.ToJson().keys()) {
        if (!known.contains(key.toLower())) {
            throw LayoutError(file, spec.name,
                              QStringLiteral("%1 has no property \"%2\"").arg(spec.classId, key));
        }
    }
}

QWidget* CreateXPButton(const ControlSpec& spec, QWidget& parent) {
    auto* button = new XPButton(&parent);
    button->ReadProperties(spec.properties);
    return button;
}

struct CustomClass {
    const char* classId;
    const QMetaObject* type;
    Factory create;
};

const std::array<CustomClass, 1> kCustomClasses = {
    {
     {XPButton::ClassId, &XPButton::staticMetaObject, &CreateXPButton},
     }
};

QWidget* CreateCustom(const ControlSpec& spec, QWidget& parent, const QString& file) {
    for (const CustomClass& custom : kCustomClasses) {
        if (spec.classId == QLatin1String(custom.classId)) {
            CheckPropertyKeys(spec, *custom.type, file);
            return custom.create(spec, parent);
        }
    }
    throw LayoutError(file, spec.name, QStringLiteral("unknown class \"%1\"").arg(spec.classId));
}

QWidget* CreateControl(const ControlSpec& spec, QWidget& parent, const QString& file) {
    switch (spec.kind) {
    case ControlKind::Label:
        return CreateLabel(spec, parent);
    case ControlKind::OptionButton:
        return CreateOptionButton(spec, parent);
    case ControlKind::TextBox:
        return CreateTextBox(spec, parent);
    case ControlKind::ListBox:
        return CreateListBox(spec, parent);
    case ControlKind::Line:
        return CreateLine(spec, parent);
    case ControlKind::Custom:
        break;
    }
    return CreateCustom(spec, parent, file);
}

// A line is one pixel thick along its length.
QRect LineGeometry(const QLine& twips, double dpi) {
    const QPoint from(TwipsToPixels(twips.x1(), dpi), TwipsToPixels(twips.y1(), dpi));
    const QPoint to(TwipsToPixels(twips.x2(), dpi), TwipsToPixels(twips.y2(), dpi));
    const QPoint topLeft(std::min(from.x(), to.x()), std::min(from.y(), to.y()));
    const QSize size(std::max(std::abs(to.x() - from.x()), 1),
                     std::max(std::abs(to.y() - from.y()), 1));
    return QRect(topLeft, size);
}

void ApplyCommonSettings(const ControlSpec& spec, QWidget& control, double dpi) {
    control.setObjectName(spec.name);
    control.setGeometry(spec.kind == ControlKind::Line ? LineGeometry(spec.line, dpi)
                                                       : TwipsToPixels(spec.box, dpi));
    control.setToolTip(spec.toolTip);
    if (spec.font) {
        control.setFont(*spec.font);
    }
    if (spec.backColor) {
        SetBackColor(control, *spec.backColor);
    }
    if (spec.foreColor && spec.kind != ControlKind::Line) {
        SetForeColor(control, *spec.foreColor);
    }
}

Qt::WindowFlags WindowFlags(const FormSpec& spec) {
    const bool dialog = spec.border == FormBorder::FixedDialog || !spec.showInTaskbar;
    Qt::WindowFlags flags = dialog ? Qt::Dialog : Qt::Window;
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
             Qt::WindowCloseButtonHint;
    flags.setFlag(Qt::WindowMinimizeButtonHint, spec.minButton);
    flags.setFlag(Qt::WindowMaximizeButtonHint, spec.maxButton);
    return flags;
}

void ApplyWindowSettings(const FormSpec& spec, QWidget& form, double dpi) {
    form.setObjectName(spec.name);
    form.setWindowTitle(spec.caption);
    form.setWindowFlags(WindowFlags(spec));
    form.setFont(spec.font);
    SetBackColor(form, spec.backColor);
    form.setFixedSize(TwipsToPixels(spec.size.width(), dpi),
                      TwipsToPixels(spec.size.height(), dpi));
}

// Chains the controls that take the focus in the order of their tab
// indices and gives the first of them the focus.
void ApplyTabOrder(const FormSpec& spec, const FormControls& controls) {
    std::vector<std::pair<int, QWidget*>> order;
    for (const ControlSpec& control : spec.controls) {
        QWidget* widget = controls.Find(control.name);
        if (control.tabIndex && (widget->focusPolicy() & Qt::TabFocus) != 0) {
            order.emplace_back(*control.tabIndex, widget);
        }
    }
    std::sort(order.begin(), order.end());
    for (std::size_t i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(order[i - 1].second, order[i].second);
    }
    if (!order.empty()) {
        order.front().second->setFocus();
    }
}

} // namespace

FormControls BuildForm(const FormSpec& spec, QWidget& form, double dpi) {
    ApplyWindowSettings(spec, form, dpi);
    FormControls controls(spec.file);
    for (const ControlSpec& control : spec.controls) {
        QWidget* widget = CreateControl(control, form, spec.file);
        ApplyCommonSettings(control, *widget, dpi);
        controls.Add(control.name, *widget);
    }
    ApplyTabOrder(spec, controls);
    return controls;
}

} // namespace tallix
