#include "schematic.h"

#include "shell/services.h"
#include "shell/uihooks.h"

#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>

namespace korvel::ui {

Schematic::Schematic(const QString& objectName, const QString& fileName, QWidget* parent) : QWidget(parent)
{
    setObjectName(objectName);
    renderer_ = new QSvgRenderer(this);
    SetDrawing(fileName);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

void Schematic::SetDrawing(const QString& fileName)
{
    const QString path = ProgramFile(fileName);
    // A missing drawing is no reason to bother the user; the area simply stays empty.
    if (QFile::exists(path))
        renderer_->load(path);
    update();
}

void Schematic::SetDisplayScale(double scale)
{
    scale_ = scale;
    updateGeometry();
}

QSize Schematic::sizeHint() const
{
    const QSize box = renderer_->isValid() ? renderer_->defaultSize() : QSize(320, 200);
    return (QSizeF(box) * scale_).toSize();
}

QRectF Schematic::Target() const
{
    const QSizeF box = renderer_->isValid() ? QSizeF(renderer_->viewBoxF().size()) : QSizeF(320, 200);
    QSizeF fitted = box;
    fitted.scale(QSizeF(size()), Qt::KeepAspectRatio);
    return QRectF(QPointF((width() - fitted.width()) / 2.0, (height() - fitted.height()) / 2.0), fitted);
}

void Schematic::paintEvent(QPaintEvent*)
{
    if (!renderer_->isValid())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    renderer_->render(&p, Target());
}

QLabel* Schematic::AddSpot(const QString& objectName, const QRectF& area, const QString& tip)
{
    auto* spot = new QLabel(this);
    spot->setObjectName(objectName);
    spot->setToolTip(tip);
    spot->setCursor(LinkCursor());
    spot->setAttribute(Qt::WA_TranslucentBackground);
    spot->installEventFilter(this);
    spots_.emplace_back(spot, area);
    PlaceSpots();
    return spot;
}

void Schematic::PlaceSpots()
{
    const QRectF target = Target();
    const QSizeF box = renderer_->isValid() ? QSizeF(renderer_->viewBoxF().size()) : QSizeF(320, 200);
    const double sx = target.width() / box.width();
    const double sy = target.height() / box.height();
    for (auto& [spot, area] : spots_)
        spot->setGeometry(QRectF(target.left() + area.left() * sx, target.top() + area.top() * sy,
                                 area.width() * sx, area.height() * sy)
                              .toRect());
}

void Schematic::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    PlaceSpots();
}

bool Schematic::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        emit SpotClicked(watched->objectName());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace korvel::ui
