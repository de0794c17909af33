#include "ui/StartUp.h"

#include <QByteArray>
#include <QFont>
#include <QList>

#include <cstdio>
#include <cstdlib>

namespace tallix {

namespace {

constexpr const char* kHowToRun =
    "run it on a desktop, or under a virtual X server: xvfb-run tallix";

struct HeldMessage {
    QtMsgType type;
    const char* category; // categories are static strings
    QString text;
};

QtMessageHandler previousHandler = nullptr;
QList<HeldMessage>* heldMessages = nullptr;

void ReportAndExit(const char* reason) {
    std::fprintf(stderr, "tallix: %s; %s\n", reason, kHowToRun);
    std::_Exit(1);
}

// While the application object is being created: keeps messages, and turns
// the toolkit's fatal "no platform plugin" into one line and status 1.
void HoldMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        ReportAndExit("cannot connect to a display");
    }
    heldMessages->append({type, context.category, text});
}

void ReleaseMessages(QList<HeldMessage>& held) {
    qInstallMessageHandler(previousHandler);
    for (const HeldMessage& message : held) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category);
        qt_message_output(message.type, context, message.text);
    }
}

bool IsSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

} // namespace

QString MissingDisplayReason() {
    if (IsSet("QT_QPA_PLATFORM") || IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY")) {
        return QString();
    }
    return QStringLiteral("no display available (DISPLAY and WAYLAND_DISPLAY are not set)");
}

void InstallFontSubstitutes() {
    QFont::insertSubstitution(QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"));
}

std::unique_ptr<QApplication> StartApplication(int& argc, char** argv) {
    const QString missing = MissingDisplayReason();
    if (!missing.isEmpty()) {
        ReportAndExit(missing.toLocal8Bit().constData());
    }
    // Set before the first window: the toolkit gives them to the window system.
    QApplication::setApplicationName(QStringLiteral(TALLIX_APP_ID));
    QApplication::setDesktopFileName(QStringLiteral(TALLIX_APP_ID));
    QList<HeldMessage> held;
    heldMessages = &held;
    previousHandler = qInstallMessageHandler(&HoldMessages);
    auto app = std::make_unique<QApplication>(argc, argv);
    ReleaseMessages(held);
    heldMessages = nullptr;
    return app;
}

} // namespace tallix
