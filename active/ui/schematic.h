// A circuit diagram drawn from an SVG file of the program folder (the help pages show the
// same drawings), with clickable spots over the parts the user may take in or out of the
// circuit. A spot is a named, transparent control placed in the drawing's own coordinates,
// so it stays over its part however the picture is scaled.
#pragma once

#include <QRectF>
#include <QString>
#include <QWidget>

#include <vector>

class QLabel;
class QSvgRenderer;

namespace korvel::ui {

class Schematic : public QWidget {
    Q_OBJECT
public:
    // `fileName` relative to the program folder; a missing file leaves the area blank.
    Schematic(const QString& objectName, const QString& fileName, QWidget* parent = nullptr);

    // Shows another drawing of the same size (the circuit with a part in or out).
    void SetDrawing(const QString& fileName);
    // Shown at this fraction of the drawing's own size (its size hint).
    void SetDisplayScale(double scale);
    // A clickable spot over `area` (in the drawing's view-box units).
    QLabel* AddSpot(const QString& objectName, const QRectF& area, const QString& tip);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    void SpotClicked(const QString& objectName);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QRectF Target() const;
    void PlaceSpots();

    QSvgRenderer* renderer_ = nullptr;
    double scale_ = 1.0;
    std::vector<std::pair<QLabel*, QRectF>> spots_;
};

} // namespace korvel::ui
