// Expansion Chamber Design Utility: starts on the front screen and runs until "Exit" or
// the front screen's close control.

#include "app/pips_menu.h"
#include "ecd_version.h"

#include <QApplication>
#include <QHashFunctions>

#include <cstring>
#include <iostream>

int main(int argc, char* argv[]) {
    // Answered before Qt starts, so that it needs no display.
    if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
        std::cout << "expansion-chamber " << Ecd_Version << "\n";
        return 0;
    }
    // The same files as the command line's: Qt writes a PDF's fonts in the order of a hash
    // table, which is otherwise seeded afresh in every process.
    QHashSeed::setDeterministicGlobalSeed();
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("org.ecdu.ExpansionChamber"));
    QApplication::setApplicationVersion(QString::fromLatin1(Ecd_Version));
    Prepare_Application(app);
    Start_Program();
    // "expansion-chamber pipe.ecd": the design window opens with that design.
    const QStringList args = QApplication::arguments();
    if (args.size() > 1 && !args[1].startsWith(QLatin1Char('-'))) {
        Open_Design_At_Start(args[1].toStdString());
    }
    const int rc = QApplication::exec();
    Discard_All_Windows(false);
    return rc;
}
