// The floors of gui_startup.sh's figures: the least a Qt Widgets program does
// to show an empty window the size of Tallix's and wait, and with "text" the
// same window showing one line of text. Any window with text pays for the
// font system (configuration, matching, font files, shaping) before its first
// paint, which an empty window never starts.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Floor"));
    window.resize(289, 209); // Tallix's client area at 96 dpi
    if (argc > 1 && QApplication::arguments().at(1) == QLatin1String("text")) {
        (new QLabel(QStringLiteral("Expression"), &window))->move(8, 8);
    }
    window.show();
    return app.exec();
}
