#include "ui/FormBuilder.h"

#include "controls/EditBox.h"
#include "controls/FocusDotsDelegate.h"
#include "controls/LinkLabel.h"
#include "controls/XPButton.h"
#include "platform/FixedSizeGuard.h"
#include "platform/Twips.h"
#include "ui/WidgetColors.h"
#include "ui/WindowAccessible.h"

#include <QFrame>
#include <QLabel>
#include <QListView>
#include <QMetaProperty>
#include <QRadioButton>
#include <QSet>
#include <QStringListModel>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <utility>
#include <vector>

namespace tallix {

namespace {

using Factory = QWidget* (*)(const ControlLayout&, QWidget& parent);

// Captions start at the top left corner of their box, however tall it is.
QWidget* AlignedAtTopLeft(QLabel* label) {
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QWidget* CreateLabel(const ControlLayout& layout, QWidget& parent) {
    return AlignedAtTopLeft(new QLabel(layout.caption, &parent));
}

QWidget* CreateLink(const ControlLayout& layout, QWidget& parent) {
    return AlignedAtTopLeft(new LinkLabel(layout.caption, &parent));
}

QWidget* CreateOptionButton(const ControlLayout& layout, QWidget& parent) {
    auto* option = new QRadioButton(layout.caption, &parent);
    option->setChecked(layout.value);
    return option;
}

QWidget* CreateTextBox(const ControlLayout& layout, QWidget& parent) {
    auto* edit = new EditBox(&parent);
    edit->SetText(layout.caption);
    return edit;
}

// A view over a list of texts: item widgets would add nothing a list box
// needs, and their classes page in at start-up. Its entries are read, never
// edited in place, and are all one line of one font, so one entry's height
// lays out the rest.
QWidget* CreateListBox(const ControlLayout&, QWidget& parent) {
    auto* list = new QListView(&parent);
    list->setModel(new QStringListModel(list));
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setUniformItemSizes(true);
    list->setItemDelegate(new FocusDotsDelegate(list));
    return list;
}

QWidget* CreateLine(const ControlLayout& layout, QWidget& parent) {
    auto* line = new QFrame(&parent);
    SetBackColor(*line, layout.foreColor.value_or(Qt::black));
    MarkDecorative(*line);
    return line;
}

// A custom control's saved properties must all be properties of its class
// (matched without regard to case), or the container's size keys.
void CheckPropertyKeys(const ControlLayout& layout, const QMetaObject& type, const QString& file) {
    QSet<QString> known = {QStringLiteral("_extentx"), QStringLiteral("_extenty")};
    for (int i = type.propertyOffset(); i < type.propertyCount(); ++i) {
        known.insert(QString::fromLatin1(type.property(i).name()).toLower());
    }
    for (const QString& key : layout.properties.ToJson().keys()) {
        if (!known.contains(key.toLower())) {
            throw LayoutError(file, layout.name,
                              QStringLiteral("%1 has no property \"%2\"").arg(layout.classId, key));
        }
    }
}

QWidget* CreateXPButton(const ControlLayout& layout, QWidget& parent) {
    auto* button = new XPButton(&parent);
    button->ReadProperties(layout.properties);
    return button;
}

struct CustomClass {
    const char* classId;
    const QMetaObject* type;
    Factory create;
};

const std::array<CustomClass, 1> kCustomClasses = {{
    {XPButton::ClassId, &XPButton::staticMetaObject, &CreateXPButton},
}};

QWidget* CreateCustom(const ControlLayout& layout, QWidget& parent, const QString& file) {
    for (const CustomClass& custom : kCustomClasses) {
        if (layout.classId == QLatin1String(custom.classId)) {
            CheckPropertyKeys(layout, *custom.type, file);
            return custom.create(layout, parent);
        }
    }
    throw LayoutError(file, layout.name,
                      QStringLiteral("unknown class \"%1\"").arg(layout.classId));
}

QWidget* CreateControl(const ControlLayout& layout, QWidget& parent, const QString& file) {
    switch (layout.kind) {
    case ControlKind::Label:
        return CreateLabel(layout, parent);
    case ControlKind::Link:
        return CreateLink(layout, parent);
    case ControlKind::OptionButton:
        return CreateOptionButton(layout, parent);
    case ControlKind::TextBox:
        return CreateTextBox(layout, parent);
    case ControlKind::ListBox:
        return CreateListBox(layout, parent);
    case ControlKind::Line:
        return CreateLine(layout, parent);
    case ControlKind::Custom:
        break;
    }
    return CreateCustom(layout, parent, file);
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

void ApplyCommonSettings(const ControlLayout& layout, QWidget& control, double dpi) {
    control.setObjectName(layout.name);
    control.setGeometry(layout.kind == ControlKind::Line ? LineGeometry(layout.line, dpi)
                                                         : TwipsToPixels(layout.box, dpi));
    control.setToolTip(layout.toolTip);
    if (layout.font) {
        control.setFont(*layout.font);
    }
    if (layout.backColor) {
        SetBackColor(control, *layout.backColor);
    }
    if (layout.foreColor && layout.kind != ControlKind::Line) {
        SetForeColor(control, *layout.foreColor);
    }
}

Qt::WindowFlags WindowFlags(const FormLayout& layout) {
    const bool dialog = layout.border == FormBorder::FixedDialog || !layout.showInTaskbar;
    Qt::WindowFlags flags = dialog ? Qt::Dialog : Qt::Window;
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
             Qt::WindowCloseButtonHint;
    flags.setFlag(Qt::WindowMinimizeButtonHint, layout.minButton);
    flags.setFlag(Qt::WindowMaximizeButtonHint, layout.maxButton);
    return flags;
}

// The text colour of every control whose layout leaves it open, whatever the
// desktop's theme: the windows' backgrounds and the keys are light by
// design, and text drawn in a dark theme's light colour would vanish on them.
constexpr Qt::GlobalColor kDefaultTextColor = Qt::black;

void ApplyWindowSettings(const FormLayout& layout, QWidget& form, double dpi) {
    form.setObjectName(layout.name);
    form.setWindowTitle(layout.caption);
    form.setWindowFlags(WindowFlags(layout));
    form.setFont(layout.font);
    SetBackColor(form, layout.backColor);
    SetForeColor(form, kDefaultTextColor);
    form.setFixedSize(TwipsToPixels(layout.size.width(), dpi),
                      TwipsToPixels(layout.size.height(), dpi));
    FixedSizeGuard::Install(form);
}

// Chains the controls that take the focus in the order of their tab
// indices and gives the first of them the focus.
void ApplyTabOrder(const FormLayout& layout, const FormControls& controls) {
    std::vector<std::pair<int, QWidget*>> order;
    for (const ControlLayout& control : layout.controls) {
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

FormControls BuildForm(const FormLayout& layout, QWidget& form, double dpi) {
    InstallWindowAccessibility();
    ApplyWindowSettings(layout, form, dpi);
    FormControls controls(layout.file);
    for (const ControlLayout& control : layout.controls) {
        QWidget* widget = CreateControl(control, form, layout.file);
        ApplyCommonSettings(control, *widget, dpi);
        controls.Add(control.name, *widget);
    }
    ApplyTabOrder(layout, controls);
    return controls;
}

void SetListEntries(QListView& list, const QStringList& entries) {
    auto& model = static_cast<QStringListModel&>(*list.model()); // as CreateListBox made it
    model.setStringList(entries);
    list.setCurrentIndex(model.index(0));
}

} // namespace tallix
