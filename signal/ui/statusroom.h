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

// Called when the window's layout changed: the frame around it (the child window of the main
// window) grows to the window's minimum; it never shrinks, so the user's own size stays.
inline void GrowFrameToFit(QWidget* window)
{
    QWidget* frame = window->parentWidget();
    // A maximized or minimized frame is sized by its area, not by its contents.
    if (!frame || !window->isVisible() || (frame->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized)))
        return;
    const QSize need = window->minimumSizeHint();
    const QSize extra = frame->size() - window->size();
    const QSize want(std::max(frame->width(), need.width() + extra.width()),
                     std::max(frame->height(), need.height() + extra.height()));
    if (want != frame->size())
        frame->resize(want);
}

} // namespace korvel::ui
