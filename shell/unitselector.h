// A drop-down list of units (or of materials) that maps the shown entry to a short code.
//
// It behaves the way calculator users expect from the keyboard: opening the list remembers
// the entry that was selected, moving the highlight with the arrow keys selects as it goes,
// Escape puts the remembered entry back, Enter takes the highlighted one, and when the list
// closes the focus moves on (normally to the window's main Calculate button) so that a
// following Enter calculates. A unit change never recalculates anything.
#pragma once

#include <QComboBox>
#include <QPointer>
#include <QStringList>

namespace korvel::ui {

class UnitSelector : public QComboBox {
    Q_OBJECT
public:
    explicit UnitSelector(QWidget* parent = nullptr);

    // Single-column list: the shown text and the unit code it stands for.
    void AddUnit(const QString& text, const QString& code);
    // Several columns with a header row; the widths are in characters of the list font.
    void SetColumns(const QStringList& headers, const QList<int>& widthChars);
    // One row of a multi-column list (fewer cells than columns leaves the rest blank).
    void AddRow(const QStringList& cells, const QString& code = QString());

    // The unit code of the current entry; a position outside the list keeps the last code.
    QString Code() const { return code_; }
    // The code stored for a row (empty outside the list).
    QString CodeAt(int row) const;
    // The text of a row as the list holds it: the cells joined by tabs.
    QString RowText(int row) const;
    // The text of one cell of a row.
    QString CellText(int row, int column) const;
    int RememberedPosition() const { return remembered_; }

    // Where the focus goes when the list closes.
    void SetFocusAfterClose(QWidget* target) { focusAfterClose_ = target; }

    // Opens the list as the window's "Select Parameters" menu does.
    virtual void OpenFromMenu();
    // What a click on a row of the opened list does: remember, select, close.
    void PickRow(int row);

    void showPopup() override;
    void hidePopup() override;

signals:
    void CodeChanged(const QString& code);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    // Hooks for selectors with more behaviour (the dielectric list).
    virtual void OnRowChanged(int row);
    virtual void OnEnter();
    virtual void OnListClosed();

    bool PopupOpen() const { return popupOpen_; }

private:
    void Remember();
    void RestoreRemembered();
    bool HandleListKey(int key);

    QString code_;
    int remembered_ = 0;
    bool popupOpen_ = false;
    int columns_ = 1;
    QPointer<QWidget> focusAfterClose_;
};

} // namespace korvel::ui
