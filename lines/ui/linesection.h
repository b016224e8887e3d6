// A small drawing of a planar line's cross-section with its dimensions lettered as the
// window's boxes name them (W, H, T, G), so the user sees which length goes where.
#pragma once

#include <QWidget>

namespace korvel::ui {

enum class LineSectionKind {
    Microstrip,      // strip on a substrate over a ground plane
    Stripline,       // strip centred between two ground planes
    CpwGround,       // coplanar strip and grounds, ground plane under the substrate
    CpwOpen,         // coplanar strip and grounds, nothing under the substrate
};

class LineSection : public QWidget {
    Q_OBJECT
public:
    explicit LineSection(LineSectionKind kind, QWidget* parent = nullptr);

    LineSectionKind Kind() const { return kind_; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    LineSectionKind kind_;
};

} // namespace korvel::ui
