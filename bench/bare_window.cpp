// The floor of gui_startup.sh's figures: the least a Qt Widgets program does
// to show an empty window the size of Tallix's and wait.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Floor"));
    window.resize(289, 209); // Tallix's client area at 96 dpi
    window.show();
    return app.exec();
}
