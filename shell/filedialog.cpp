#include "filedialog.h"

#include <QFileDialog>

namespace korvel::ui {
namespace {

OpenFileHook& CurrentHook()
{
    static OpenFileHook hook;
    return hook;
}

} // namespace

void SetOpenFileHook(OpenFileHook hook) { CurrentHook() = std::move(hook); }

QString AskOpenFileName(QWidget* parent, const QString& title, const QString& folder, const QString& filter)
{
    if (CurrentHook())
        return CurrentHook()(title, folder, filter);
    QFileDialog dialog(parent, title, folder, filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::ReadOnly, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().front();
}

} // namespace korvel::ui
