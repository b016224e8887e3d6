// Korvel: start-up. A normal start shows the splash and brings the main window up 4 s later;
// `korvel --drive FILE` (or `-` for standard input) starts at once and runs a script of
// commands against the real windows; `korvel FILE.s2p ...` starts at once in the S-parameter
// tool with the files loaded, which is what the desktop's "open with" calls.
#include "active/ui/register.h"
#include "lines/ui/register.h"
#include "signal/ui/register.h"
#include "sparam/ui/register.h"
#include "sparam/ui/sparamwindow.h"
#include "tools/ui/register.h"
#include "core/version.h"
#include "shell/drive.h"
#include "shell/mainwindow.h"
#include "shell/uihooks.h"

#include <QApplication>
#include <QDir>
#include <QStringList>

#include <cstdio>
#include <exception>
#include <new>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage =
    "usage: korvel [FILE.s2p [FILE.s2p [FILE.s2p]]]\n"
    "       korvel --drive FILE        (FILE may be - for standard input)\n"
    "       korvel --help | --version\n";

constexpr const char* kHelp =
    "Korvel: RF and microwave design calculators.\n"
    "\n"
    "  FILE...          open the S-parameter tool with one to three Touchstone files\n"
    "                   (.s1p, .s2p) loaded as data sets 1 to 3\n"
    "  --drive FILE     run a script of commands against the windows and print one JSON\n"
    "                   object per line; FILE may be - for standard input\n"
    "  -h, --help       show this help and exit\n"
    "  --version        show the version and exit\n"
    "\n"
    "Qt's own options (-platform NAME, -style NAME, -reverse and the like) are accepted.\n";

// Qt's options that QApplication takes out of the arguments itself, with whether they carry a
// value: they pass through untouched.
struct QtOption {
    const char* name;
    bool hasValue;
};
constexpr QtOption kQtOptions[] = {
    {"-platform", true}, {"-platformpluginpath", true}, {"-platformtheme", true}, {"-plugin", true},
    {"-qwindowgeometry", true}, {"-qwindowicon", true}, {"-qwindowtitle", true}, {"-style", true},
    {"-stylesheet", true}, {"-session", true}, {"-display", true}, {"-geometry", true},
    {"-name", true}, {"-title", true}, {"-reverse", false}, {"-widgetcount", false},
    {"-nograb", false}, {"-dograb", false}, {"-sync", false},
};

struct Options {
    bool help = false;
    bool version = false;
    std::optional<std::string> drive;
    std::vector<std::string> files;
};

int Usage(const std::string& why)
{
    std::fprintf(stderr, "korvel: %s\n%s", why.c_str(), kUsage);
    return 2;
}

// Reads the command line before any window exists, so that --help and --version work without
// a display. Returns 0 to go on, else the exit status.
int ReadOptions(int argc, char** argv, Options& o)
{
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        std::string name = a;
        // Qt accepts its options with one dash or two.
        if (name.starts_with("--"))
            name.erase(0, 1);
        const QtOption* qt = nullptr;
        for (const QtOption& q : kQtOptions)
            if (name == q.name || (q.hasValue && name.starts_with(std::string(q.name) + "=")))
                qt = &q;
        if (a == "-h" || a == "--help")
            o.help = true;
        else if (a == "--version")
            o.version = true;
        else if (a == "--drive") {
            if (i + 1 >= argc)
                return Usage("--drive needs a script file");
            o.drive = argv[++i];
        } else if (qt) {
            if (qt->hasValue && name.find('=') == std::string::npos)
                ++i;
        } else if (a.size() > 1 && a[0] == '-')
            return Usage("unknown option " + a);
        else
            o.files.push_back(a);
    }
    // A file manager passes every file chosen; the tool has three data sets.
    if (o.files.size() > 3) {
        std::fputs("korvel: the S-parameter tool takes three files; the others are not opened\n", stderr);
        o.files.resize(3);
    }
    if (o.drive && !o.files.empty())
        return Usage("--drive takes no S-parameter files");
    return 0;
}

// Qt cannot carry an exception through its event loop, so every event is delivered inside a
// guard: a handler that runs out of memory or fails unexpectedly ends with a message and the
// program goes on, instead of aborting with the user's work.
class KorvelApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override
    {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::bad_alloc&) {
            Report("There is not enough memory for this.");
        } catch (const std::exception& e) {
            Report(QString("Unexpected error: %1").arg(QString::fromLocal8Bit(e.what())));
        } catch (...) {
            Report("Unexpected error.");
        }
        return false;
    }

private:
    static void Report(const QString& text)
    {
        korvel::ui::ShowMessageBox(activeWindow(), QString(), text, korvel::MsgIcon::Critical);
    }
};

int Run(int argc, char** argv, const Options& options);

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (const int status = ReadOptions(argc, argv, options))
        return status;
    if (options.help) {
        std::fputs(kUsage, stdout);
        std::fputs("\n", stdout);
        std::fputs(kHelp, stdout);
        return 0;
    }
    if (options.version) {
        std::printf("korvel %s\n", KORVEL_VERSION);
        return 0;
    }
    try {
        return Run(argc, argv, options);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "korvel: %s\n", e.what());
    } catch (...) {
        std::fputs("korvel: unexpected error\n", stderr);
    }
    return 1;
}

namespace {

int Run(int argc, char** argv, const Options& options)
{
    KorvelApplication app(argc, argv);
    QApplication::setApplicationName("Korvel");
    QApplication::setApplicationVersion(KORVEL_VERSION);
    QApplication::setDesktopFileName("org.example.korvel.Korvel");

    korvel::ui::InstallCoreNotifier();
    korvel::ui::MainWindow mainWindow;  // settings, web link and catalogue are set up here
    // The calculator families make their windows known; the catalogue opens them by name.
    korvel::ui::RegisterLineWindows();
    korvel::ui::RegisterActiveWindows();
    korvel::ui::RegisterSignalWindows();
    korvel::ui::RegisterToolWindows();
    korvel::ui::RegisterSparamWindows();

    if (options.drive) {
        korvel::drive::InstallHooks();
        mainWindow.StartAtOnce();
        return korvel::drive::Run(QString::fromLocal8Bit(options.drive->c_str()));
    }

    if (!options.files.empty()) {
        // Whoever opens files wants to see them, not the splash.
        mainWindow.StartAtOnce();
        mainWindow.OpenCatalogueEntry("sparam");
        if (auto* tool = qobject_cast<korvel::ui::SparamWindow*>(mainWindow.ChildWindow("frmSparam"))) {
            int slot = 1;
            for (const std::string& file : options.files)
                tool->LoadFile(slot++, QDir::current().absoluteFilePath(QString::fromLocal8Bit(file.c_str())));
        }
        return app.exec();
    }

    mainWindow.StartWithSplash();
    return app.exec();
}

} // namespace
