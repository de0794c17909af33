#pragma once

#include "platform/MessageService.h"

#include <QString>

#include <stdexcept>

namespace tallix {

// A stored window layout that cannot be used: which file, which control
// (empty when the problem is in the window's own settings) and what is wrong.
class LayoutError : public std::runtime_error {
public:
    LayoutError(const QString& file, const QString& control, const QString& problem)
        : std::runtime_error(Describe(file, control, problem).toStdString()), file_(file),
          control_(control), problem_(problem) {}

    const QString& File() const noexcept { return file_; }
    const QString& Control() const noexcept { return control_; }
    const QString& Problem() const noexcept { return problem_; }

private:
    static QString Describe(const QString& file, const QString& control, const QString& problem) {
        return control.isEmpty() ? QStringLiteral("%1: %2").arg(file, problem)
                                 : QStringLiteral("%1: control %2: %3").arg(file, control, problem);
    }

    QString file_;
    QString control_;
    QString problem_;
};

// Tells the user in a stop box titled "Tallix"; the text names the file,
// the control and the fault.
inline void ShowLayoutError(const LayoutError& error, MessageService& messages) {
    messages.ShowMessage(error.what(), "Tallix", MessageIcon::Stop);
}

} // namespace tallix
