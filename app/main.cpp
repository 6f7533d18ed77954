// Expansion Chamber Design Utility: starts on the front screen and runs until "Exit" or
// the front screen's close control.

#include "app/pips_menu.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    Prepare_Application(app);
    Start_Program();
    const int rc = QApplication::exec();
    Discard_All_Windows(false);
    return rc;
}
