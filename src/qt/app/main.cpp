// quarno-ide: start-up of the editor application.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle("QUARNO+");
    window.show();
    return application.exec();
}
