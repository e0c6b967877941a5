#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow w;
    w.setObjectName("MDITAR");
    w.setWindowTitle("TARVELO");
    w.resize(1024, 700);
    w.show();
    return app.exec();
}
