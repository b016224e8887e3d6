// The status bar of a calculator window: a row of text panels, each with an optional small
// indicator image, sized to their contents and hidden while empty. The first panel says
// whether the last result lies where the model is accurate ("Normal" with the green image).
#pragma once

#include <QStatusBar>
#include <QString>
#include <vector>

class QLabel;

namespace korvel::ui {

class StatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit StatusBar(QWidget* parent = nullptr, int panels = 2);

    int PanelCount() const { return int(panels_.size()); }
    // Adds a further panel (the active-circuit windows carry more than two).
    int AddPanel();

    // Shows a panel with its text and the image of that key ("grn", "yel", "red", "orn",
    // "blu"; empty for none). Empty text hides the panel.
    void SetPanel(int index, const QString& text, const QString& imageKey = QString());
    // The first panel.
    void SetStatus(const QString& text, const QString& imageKey = QString()) { SetPanel(0, text, imageKey); }
    // Every panel emptied and hidden.
    void ClearStatus();

    QString PanelText(int index) const;
    QString PanelImageKey(int index) const;
    bool PanelVisible(int index) const;

private:
    struct Panel {
        QWidget* box = nullptr;
        QLabel* image = nullptr;
        QLabel* text = nullptr;
        QString imageKey;
    };
    std::vector<Panel> panels_;
};

} // namespace korvel::ui
