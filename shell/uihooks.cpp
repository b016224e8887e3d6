#include "uihooks.h"

#include "core/settings.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QSoundEffect>
#include <QUrl>


namespace korvel::ui {
namespace {

Hooks& CurrentHooks()
{
    static Hooks hooks;
    return hooks;
}

QMessageBox::Icon BoxIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Exclamation: return QMessageBox::Warning;
    case MsgIcon::Information: return QMessageBox::Information;
    case MsgIcon::Critical: return QMessageBox::Critical;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons BoxButtons(Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok: return QMessageBox::Ok;
    case Buttons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

class WindowNotifier final : public Notifier {
public:
    void Message(const std::string& title, const std::string& text, MsgIcon icon) override
    {
        ShowMessageBox(nullptr, QString::fromStdString(title), QString::fromStdString(text), icon,
                       Buttons::Ok);
    }
    // The core has already weighed the sound setting before it asks.
    void Sound(const std::string& file) override { PlayWave(QString::fromStdString(file), true); }
};

} // namespace

void SetHooks(Hooks hooks) { CurrentHooks() = std::move(hooks); }

Answer ShowMessageBox(QWidget* parent, const QString& title, const QString& text, MsgIcon icon,
                      Buttons buttons)
{
    const QString caption = title.isEmpty() ? QString::fromUtf8(kAppTitle.data(), kAppTitle.size())
                                            : title;
    if (CurrentHooks().message)
        return CurrentHooks().message(caption, text, icon, buttons);

    QMessageBox box(BoxIcon(icon), caption, text, BoxButtons(buttons), parent);
    switch (box.exec()) {
    case QMessageBox::Cancel: return Answer::Cancel;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return Answer::Ok;
    }
}

void PlayWave(const QString& file, bool force)
{
    if (!force && !Settings().soundEnabled)
        return;
    if (CurrentHooks().sound) {
        CurrentHooks().sound(file);
        return;
    }
    const QString path = ProgramFile(file);
    if (!QFileInfo::exists(path))
        return;  // a missing sound is simply not heard
    // Sounds are asynchronous: the effect lives on its own, owned by the application, until it
    // has played (or could not be loaded), and then removes itself.
    auto* effect = new QSoundEffect(QCoreApplication::instance());
    QObject::connect(effect, &QSoundEffect::playingChanged, effect, [effect] {
        if (!effect->isPlaying())
            effect->deleteLater();
    });
    QObject::connect(effect, &QSoundEffect::statusChanged, effect, [effect] {
        if (effect->status() == QSoundEffect::Error)
            effect->deleteLater();
    });
    effect->setSource(QUrl::fromLocalFile(path));
    effect->play();
}

bool OpenTarget(const QString& target)
{
    if (CurrentHooks().open)
        return CurrentHooks().open(target);
    const QUrl url = QUrl::fromUserInput(target, ProgramFolder(), QUrl::AssumeLocalFile);
    if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile()))
        return false;
    return QDesktopServices::openUrl(url);
}

bool StartProgram(const QString& path)
{
    if (CurrentHooks().open)
        return CurrentHooks().open(path);
    return QProcess::startDetached(path, {}, ProgramFolder());
}

QString ProgramFolder()
{
    // Installed, the files live in the shared data folder; in a build tree, beside the
    // executable. The help pages tell the two apart.
    static const QString folder = [] {
        const QDir bin(QCoreApplication::applicationDirPath());
        const QString installed = QDir::cleanPath(bin.filePath(KORVEL_DATA_FROM_BIN));
        return QFileInfo(QDir(installed).filePath("help")).isDir() ? installed : bin.path();
    }();
    return folder;
}

QString ProgramFile(const QString& name) { return QDir(ProgramFolder()).filePath(name); }

void InstallCoreNotifier()
{
    static WindowNotifier notifier;
    SetNotifier(&notifier);
}

} // namespace korvel::ui
