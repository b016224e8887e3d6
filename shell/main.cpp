// Korvel: start-up. A normal start shows the splash and brings the main window up 4 s later;
// `korvel --drive FILE` (or `-` for standard input) starts at once and runs a script of
// commands against the real windows.
#include "active/ui/register.h"
#include "lines/ui/register.h"
#include "signal/ui/register.h"
#include "sparam/ui/register.h"
#include "tools/ui/register.h"
#include "shell/drive.h"
#include "shell/mainwindow.h"
#include "shell/uihooks.h"

#include <QApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Korvel");
    QApplication::setApplicationVersion(KORVEL_VERSION);

    const QStringList args = QApplication::arguments();
    QString drivePath;
    const qsizetype driveAt = args.indexOf("--drive");
    if (driveAt > 0) {
        if (driveAt + 1 >= args.size()) {
            std::fputs("usage: korvel --drive FILE   (FILE may be - for standard input)\n", stderr);
            return 2;
        }
        drivePath = args.at(driveAt + 1);
    }

    korvel::ui::InstallCoreNotifier();
    korvel::ui::MainWindow mainWindow;  // settings, web link and catalogue are set up here
    // The calculator families make their windows known; the catalogue opens them by name.
    korvel::ui::RegisterLineWindows();
    korvel::ui::RegisterActiveWindows();
    korvel::ui::RegisterSignalWindows();
    korvel::ui::RegisterToolWindows();
    korvel::ui::RegisterSparamWindows();

    if (!drivePath.isEmpty()) {
        korvel::drive::InstallHooks();
        mainWindow.StartAtOnce();
        return korvel::drive::Run(drivePath);
    }

    mainWindow.StartWithSplash();
    return app.exec();
}
