// Expansion Chamber Design Utility: starts on the front screen and runs until "Exit" or
// the front screen's close control.

#include "core/files/platform.h"
#include "desktop/command_line.h"
#include "desktop/windows/form_keeper.h"
#include "desktop/windows/pips_menu.h"
#include "ecd_version.h"

#include <QApplication>
#include <QHashFunctions>

#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char* argv[]) {
    // Read before Qt starts, so that --help and --version need no display.
    const Command_Line line =
        Read_Command_Line(std::vector<std::string>(argv + std::min(argc, 1), argv + argc));
    if (!line.error.empty()) {
        std::cerr << "expansion-chamber: " << line.error
                  << "\nRun 'expansion-chamber --help' for the usage.\n";
        return 64;
    }
    if (line.help) {
        std::cout << Usage_Text();
        return 0;
    }
    if (line.version) {
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
    // The forms of the last run, and those a killed run left unsaved offered back.
    keeper::Keep_In(platform::State_Folder("expansion-chamber"));
    keeper::Offer_Unsaved(&Win<PipsMenu>());
    // "expansion-chamber pipe.ecd": the design window opens with that design.
    if (!line.file.empty()) {
        Open_Design_At_Start(line.file);
    }
    const int rc = QApplication::exec();
    keeper::Program_Ends();
    Discard_All_Windows(false);
    return rc;
}
