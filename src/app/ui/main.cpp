// The desktop program: start-up and the main window.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow w;
    w.setWindowTitle(QStringLiteral("Vezdar"));
    w.resize(800, 600);
    w.show();
    return app.exec();
}
