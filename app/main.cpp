#include "app/form1.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral(RAMULO_TITLE));
    QApplication::setDesktopFileName(QStringLiteral(RAMULO_APP_ID));
    Form1 window;
    window.show();
    return QApplication::exec();
}
