#include "statusbar.h"

#include "host.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>

namespace korvel::ui {

StatusBar::StatusBar(QWidget* parent, int panels) : QStatusBar(parent)
{
    setObjectName("sbrInfo");
    setSizeGripEnabled(false);
    for (int i = 0; i < panels; ++i)
        AddPanel();
}

int StatusBar::AddPanel()
{
    Panel p;
    // An inset, text-style panel that grows with its text.
    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::Panel);
    frame->setFrameShadow(QFrame::Sunken);
    auto* layout = new QHBoxLayout(frame);
    layout->setContentsMargins(3, 1, 6, 1);
    layout->setSpacing(4);
    p.image = new QLabel(frame);
    p.image->setFixedSize(16, 16);
    p.image->hide();
    p.text = new QLabel(frame);
    p.text->setTextFormat(Qt::PlainText);
    layout->addWidget(p.image);
    layout->addWidget(p.text);
    p.box = frame;
    frame->setObjectName(QString("sbrInfoPanel%1").arg(panels_.size() + 1));
    frame->hide();
    addWidget(frame);
    panels_.push_back(p);
    return int(panels_.size()) - 1;
}

void StatusBar::SetPanel(int index, const QString& text, const QString& imageKey)
{
    if (index < 0 || index >= PanelCount())
        return;
    Panel& p = panels_[std::size_t(index)];
    p.text->setText(text);
    p.imageKey = imageKey;
    QIcon icon;
    if (!imageKey.isEmpty() && Host())
        icon = Host()->StatusImage(imageKey);
    if (!icon.isNull()) {
        p.image->setPixmap(icon.pixmap(16, 16));
        p.image->show();
    } else {
        p.image->clear();
        p.image->hide();
    }
    p.box->setVisible(!text.isEmpty() || !imageKey.isEmpty());
}

void StatusBar::ClearStatus()
{
    for (int i = 0; i < PanelCount(); ++i)
        SetPanel(i, QString(), QString());
}

QString StatusBar::PanelText(int index) const
{
    return index >= 0 && index < PanelCount() ? panels_[std::size_t(index)].text->text() : QString();
}

QString StatusBar::PanelImageKey(int index) const
{
    return index >= 0 && index < PanelCount() ? panels_[std::size_t(index)].imageKey : QString();
}

bool StatusBar::PanelVisible(int index) const
{
    return index >= 0 && index < PanelCount() && panels_[std::size_t(index)].box->isVisibleTo(this);
}

} // namespace korvel::ui
