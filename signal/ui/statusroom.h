// Room for what appears under a calculator window's controls after it opened: the status
// panel and the web link show with the first result. A window whose controls fill its height
// keeps the panel's room from the start and grows its child frame when the link appears, so
// that neither ever squeezes the grids and lists above them.
#pragma once

#include "shell/statusbar.h"

#include <QEvent>
#include <QWidget>

#include <algorithm>

namespace korvel::ui {

inline void ReserveStatusRoom(StatusBar* bar)
{
    bar->SetStatus("Normal", "grn");
    const int height = bar->sizeHint().height();
    bar->ClearStatus();
    bar->setMinimumHeight(height);
}

} // namespace korvel::ui
