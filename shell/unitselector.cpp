#include "unitselector.h"

#include <QAbstractItemView>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTreeView>

namespace korvel::ui {

UnitSelector::UnitSelector(QWidget* parent) : QComboBox(parent)
{
    setSizeAdjustPolicy(QComboBox::AdjustToContents);
    view()->installEventFilter(this);
    connect(this, &QComboBox::currentIndexChanged, this, [this](int row) { OnRowChanged(row); });
}

void UnitSelector::AddUnit(const QString& text, const QString& code)
{
    addItem(text, code);
    if (count() == 1 && code_.isEmpty())
        code_ = code;
}

void UnitSelector::SetColumns(const QStringList& headers, const QList<int>& widthChars)
{
    columns_ = int(headers.size());
    auto* model = new QStandardItemModel(0, columns_, this);
    model->setHorizontalHeaderLabels(headers);
    auto* tree = new QTreeView(this);
    tree->setRootIsDecorated(false);
    tree->setItemsExpandable(false);
    tree->setUniformRowHeights(true);
    tree->setAllColumnsShowFocus(true);
    tree->setSelectionBehavior(QAbstractItemView::SelectRows);
    tree->header()->setStretchLastSection(false);
    tree->header()->setSectionsMovable(false);
    setModel(model);
    setView(tree);
    setModelColumn(0);
    tree->installEventFilter(this);
    const int charWidth = tree->fontMetrics().averageCharWidth();
    int total = 0;
    for (int c = 0; c < columns_ && c < widthChars.size(); ++c) {
        const int w = widthChars[c] * charWidth;
        tree->setColumnWidth(c, w);
        total += w;
    }
    tree->setMinimumWidth(total + tree->verticalScrollBar()->sizeHint().width() + 4);
}

void UnitSelector::AddRow(const QStringList& cells, const QString& code)
{
    auto* model = qobject_cast<QStandardItemModel*>(this->model());
    if (!model || columns_ <= 1) {
        AddUnit(cells.value(0), code);
        return;
    }
    QList<QStandardItem*> items;
    for (int c = 0; c < columns_; ++c) {
        auto* item = new QStandardItem(cells.value(c));
        item->setEditable(false);
        if (c == 0)
            item->setData(code, Qt::UserRole);
        items << item;
    }
    model->appendRow(items);
}

QString UnitSelector::CodeAt(int row) const
{
    if (row < 0 || row >= count())
        return QString();
    return model()->index(row, 0).data(Qt::UserRole).toString();
}

QString UnitSelector::RowText(int row) const
{
    if (row < 0 || row >= count())
        return QString();
    if (columns_ <= 1)
        return itemText(row);
    // A row with nothing past its name (the custom entry) is listed by its name alone.
    if (CellText(row, 1).isEmpty())
        return CellText(row, 0);
    QStringList cells;
    for (int c = 0; c < columns_; ++c)
        cells << CellText(row, c);
    return cells.join('\t');
}

QString UnitSelector::CellText(int row, int column) const
{
    if (row < 0 || row >= count() || column < 0 || column >= qMax(1, columns_))
        return QString();
    return model()->index(row, column).data(Qt::DisplayRole).toString();
}

void UnitSelector::Remember() { remembered_ = currentIndex(); }

void UnitSelector::RestoreRemembered() { setCurrentIndex(remembered_); }

void UnitSelector::OpenFromMenu()
{
    setFocus(Qt::OtherFocusReason);
    showPopup();
}

void UnitSelector::PickRow(int row)
{
    Remember();
    setCurrentIndex(row);
    OnListClosed();
}

void UnitSelector::showPopup()
{
    Remember();
    popupOpen_ = true;
    QComboBox::showPopup();
}

void UnitSelector::hidePopup()
{
    QComboBox::hidePopup();
    if (popupOpen_) {
        popupOpen_ = false;
        OnListClosed();
    }
}

void UnitSelector::OnRowChanged(int row)
{
    if (row < 0 || row >= count())
        return;
    const QString code = CodeAt(row);
    if (code != code_) {
        code_ = code;
        emit CodeChanged(code_);
    }
}

void UnitSelector::OnEnter() {}

void UnitSelector::OnListClosed()
{
    if (focusAfterClose_)
        focusAfterClose_->setFocus(Qt::OtherFocusReason);
}

bool UnitSelector::HandleListKey(int key)
{
    QAbstractItemView* list = view();
    switch (key) {
    case Qt::Key_Escape:
        RestoreRemembered();
        hidePopup();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        const int row = list->currentIndex().isValid() ? list->currentIndex().row() : currentIndex();
        if (row >= 0)
            setCurrentIndex(row);
        OnEnter();
        hidePopup();
        return true;
    }
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End: {
        if (count() == 0)
            return true;
        // The selection follows the highlight, so Escape has something to undo.
        int row = list->currentIndex().isValid() ? list->currentIndex().row() : currentIndex();
        const int page = qMax(1, maxVisibleItems() - 1);
        switch (key) {
        case Qt::Key_Up: row = row < 0 ? 0 : row - 1; break;
        case Qt::Key_Down: row += 1; break;
        case Qt::Key_PageUp: row -= page; break;
        case Qt::Key_PageDown: row = row < 0 ? page - 1 : row + page; break;
        case Qt::Key_Home: row = 0; break;
        default: row = count() - 1; break;
        }
        row = qBound(0, row, count() - 1);
        list->setCurrentIndex(model()->index(row, modelColumn()));
        setCurrentIndex(row);
        return true;
    }
    default:
        return false;
    }
}

bool UnitSelector::eventFilter(QObject* watched, QEvent* event)
{
    const bool keyEvent = event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress;
    if (watched == view() && popupOpen_ && keyEvent) {
        auto* key = static_cast<QKeyEvent*>(event);
        // Enter and Escape arrive first as a shortcut check, on which the list would close on
        // its own without restoring the remembered entry; they are taken here instead.
        if (event->type() == QEvent::ShortcutOverride) {
            switch (key->key()) {
            case Qt::Key_Escape:
            case Qt::Key_Return:
            case Qt::Key_Enter:
                HandleListKey(key->key());
                key->accept();
                return true;
            default:
                break;
            }
        } else if (event->type() == QEvent::KeyPress && HandleListKey(key->key())) {
            return true;
        }
    }
    return QComboBox::eventFilter(watched, event);
}

void UnitSelector::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        RestoreRemembered();
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        OnEnter();
        event->accept();
        return;
    default:
        QComboBox::keyPressEvent(event);
    }
}

} // namespace korvel::ui
