#pragma once

#include "ui/FormLayout.h"
#include "ui/LayoutError.h"

#include <QHash>
#include <QListView>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <utility>

namespace tallix {

// The controls of a built window, by the names of its layout.
class FormControls {
public:
    explicit FormControls(QString file) : file_(std::move(file)) {}

    void Add(const QString& name, QWidget& control) { byName_.insert(name, &control); }
    QWidget* Find(const QString& name) const { return byName_.value(name); }

    // The named control as the type the window relies on; a layout that
    // lacks it or gives it another kind throws LayoutError.
    template <typename Control> Control& Get(const QString& name) const {
        QWidget* found = Find(name);
        if (found == nullptr) {
            throw LayoutError(file_, name, QStringLiteral("is missing from the layout"));
        }
        auto* control = qobject_cast<Control*>(found);
        if (control == nullptr) {
            throw LayoutError(file_, name,
                              QStringLiteral("must be a %1, not a %2")
                                  .arg(QLatin1String(Control::staticMetaObject.className()),
                                       QLatin1String(found->metaObject()->className())));
        }
        return *control;
    }

private:
    QString file_;
    QHash<QString, QWidget*> byName_;
};

// Gives the window form the caption, size, colours, font and frame of the
// layout (and the window role for assistive technology) and creates its controls as children,
// custom controls through their load path (XPButton::ReadProperties). Sizes are converted at dpi.
// The tab order follows the tab indices, and the first control in it that
// takes the focus gets it. Throws LayoutError for a class nobody registered
// or properties the class does not have.
FormControls BuildForm(const FormLayout& layout, QWidget& form, double dpi);

// Gives a list box that BuildForm created these entries in place of its
// own, the first one current and selected.
void SetListEntries(QListView& list, const QStringList& entries);

} // namespace tallix
