#include "drive.h"

#include "core/settings.h"
#include "filedialog.h"
#include "helpviewer.h"
#include "host.h"
#include "infowindows.h"
#include "statusbar.h"
#include "uihooks.h"
#include "unitselector.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QEventLoop>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QToolBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPixmap>
#include <QPointer>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTableWidget>
#include <QTextEdit>
#include <QTextStream>
#include <QTimer>
#include <QTreeWidget>
#include <QValueAxis>
#include <QXYSeries>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <utility>
#include <vector>

namespace korvel::drive {

// ---- JSON, one object per line, keys in the order they are written ----------------------

QString JsonString(const QString& text)
{
    QString out;
    out.reserve(text.size() + 2);
    out += '"';
    for (QChar c : text) {
        switch (c.unicode()) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        default:
            if (c.unicode() < 0x20 || c.unicode() == 0x7F)
                out += QString("\\u%1").arg(int(c.unicode()), 4, 16, QChar('0'));
            else
                out += c;
        }
    }
    out += '"';
    return out;
}

QString JsonNumber(double v, int digits)
{
    if (!std::isfinite(v))
        return "null";
    return QString::number(v, 'g', digits);
}

namespace {

class Json {
public:
    Json& Add(const QString& key, const QString& value) { return Raw(key, JsonString(value)); }
    Json& Add(const QString& key, const char* value) { return Raw(key, JsonString(QString::fromUtf8(value))); }
    Json& Add(const QString& key, bool value) { return Raw(key, value ? "true" : "false"); }
    Json& Add(const QString& key, int value) { return Raw(key, QString::number(value)); }
    Json& Add(const QString& key, double value) { return Raw(key, JsonNumber(value)); }
    Json& Add(const QString& key, const Json& value) { return Raw(key, value.Text()); }
    Json& Add(const QString& key, const QStringList& values)
    {
        QStringList parts;
        for (const QString& v : values)
            parts << JsonString(v);
        return Raw(key, "[" + parts.join(',') + "]");
    }
    Json& Add(const QString& key, const std::vector<Json>& values)
    {
        QStringList parts;
        for (const Json& v : values)
            parts << v.Text();
        return Raw(key, "[" + parts.join(',') + "]");
    }
    Json& Raw(const QString& key, const QString& json)
    {
        fields_.emplace_back(key, json);
        return *this;
    }
    QString Text() const
    {
        QStringList parts;
        for (const auto& [k, v] : fields_)
            parts << JsonString(k) + ":" + v;
        return "{" + parts.join(',') + "}";
    }

private:
    std::vector<std::pair<QString, QString>> fields_;
};

void Print(const Json& json)
{
    const QByteArray line = json.Text().toUtf8() + '\n';
    std::fwrite(line.constData(), 1, std::size_t(line.size()), stdout);
    std::fflush(stdout);
}

QString ColourText(const QColor& c) { return c.isValid() ? c.name(QColor::HexRgb).toUpper() : QString(); }

const char* IconName(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Exclamation: return "exclamation";
    case MsgIcon::Information: return "information";
    case MsgIcon::Critical: return "critical";
    case MsgIcon::Question: return "question";
    case MsgIcon::None: break;
    }
    return "none";
}

struct KeyName {
    const char* name;
    int key;
    const char* text;
};

constexpr KeyName kKeys[] = {
    {"F1", Qt::Key_F1, ""},          {"F3", Qt::Key_F3, ""},          {"F4", Qt::Key_F4, ""},
    {"F8", Qt::Key_F8, ""},          {"F9", Qt::Key_F9, ""},          {"Return", Qt::Key_Return, "\r"},
    {"Escape", Qt::Key_Escape, "\x1b"}, {"PageUp", Qt::Key_PageUp, ""}, {"PageDown", Qt::Key_PageDown, ""},
    {"Up", Qt::Key_Up, ""},          {"Down", Qt::Key_Down, ""},      {"Tab", Qt::Key_Tab, "\t"},
    {"Plus", Qt::Key_Plus, "+"},     {"Minus", Qt::Key_Minus, "-"},   {"Asterisk", Qt::Key_Asterisk, "*"},
    {"Slash", Qt::Key_Slash, "/"},   {"Caret", Qt::Key_AsciiCircum, "^"},
};

// A failed command that makes the rest of the script meaningless.
struct ScriptError {
    QString text;
};

// How the next message box is answered; one `answer` command covers one box.
std::optional<ui::Answer>& PendingAnswer()
{
    static std::optional<ui::Answer> answer;
    return answer;
}

// How the next file dialog is answered: a path, or empty for Cancel; one `file` covers one.
std::optional<QString>& PendingFile()
{
    static std::optional<QString> file;
    return file;
}

ui::Answer AnswerBox(ui::Buttons buttons)
{
    if (PendingAnswer()) {
        const ui::Answer a = *PendingAnswer();
        PendingAnswer().reset();
        return a;
    }
    // The default button: the first one of the box.
    switch (buttons) {
    case ui::Buttons::YesNo:
    case ui::Buttons::YesNoCancel: return ui::Answer::Yes;
    default: return ui::Answer::Ok;
    }
}

// A script runs on its own clock: the program's timers (the tmr... of the windows, such as the
// one that reveals the web link) fire only while the script waits, never because a command
// happened to take long. That keeps the output of a script the same on a slow machine.
class ScriptClock : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!running && event->type() == QEvent::Timer) {
            // A swallowed timer stays armed and comes round again after its interval.
            const auto* timer = qobject_cast<QTimer*>(watched);
            if (timer && timer->objectName().startsWith("tmr"))
                return true;
        }
        return false;
    }

    bool running = false;
};

class Driver {
public:
    Driver() { QCoreApplication::instance()->installEventFilter(&clock_); }

    int Run(QTextStream& script)
    {
        Settle();
        while (!script.atEnd()) {
            QString line = script.readLine();
            while (line.endsWith('\r') || line.endsWith('\n'))
                line.chop(1);
            if (line.trimmed().isEmpty() || line.trimmed().startsWith('#'))
                continue;
            try {
                Execute(line);
            } catch (const ScriptError& e) {
                Print(Json().Add("error", e.text));
                Settle();
                return 2;
            }
            Settle();
        }
        return 0;
    }

private:
    ScriptClock clock_;

    static void Settle()
    {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }

    // ---- Windows -------------------------------------------------------------------------

    static QWidget* MainWidget() { return ui::Host() ? ui::Host()->MainWidget() : nullptr; }

    static QMdiArea* Area()
    {
        QWidget* main = MainWidget();
        return main ? main->findChild<QMdiArea*>() : nullptr;
    }

    static QList<QMdiSubWindow*> SubWindows()
    {
        QList<QMdiSubWindow*> out;
        if (QMdiArea* area = Area())
            for (QMdiSubWindow* sub : area->subWindowList(QMdiArea::StackingOrder))
                if (sub->widget())
                    out << sub;
        return out;
    }

    static QMdiSubWindow* ActiveSub()
    {
        QMdiArea* area = Area();
        if (!area)
            return nullptr;
        QMdiSubWindow* sub = area->activeSubWindow();
        if (!sub)
            sub = area->currentSubWindow();
        if (sub && sub->isVisible() && sub->widget())
            return sub;
        // Offscreen the area may have no active child: take the topmost visible one.
        const auto subs = SubWindows();
        for (auto it = subs.rbegin(); it != subs.rend(); ++it)
            if ((*it)->isVisible())
                return *it;
        return nullptr;
    }

    static QWidget* ActiveWindow()
    {
        QMdiSubWindow* sub = ActiveSub();
        return sub ? sub->widget() : nullptr;
    }

    // Every open window in lookup order: the active calculator, the other children, then the
    // free-standing windows (preferences, about) and the main window.
    // The free-standing windows in a fixed order (by name), whatever order they were opened.
    static QList<QWidget*> TopLevels()
    {
        QList<QWidget*> out;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top == MainWidget() || !top->isVisible() || top->objectName().isEmpty())
                continue;
            if (top->windowType() == Qt::Popup || top->windowType() == Qt::ToolTip)
                continue;
            out << top;
        }
        std::sort(out.begin(), out.end(), [](QWidget* a, QWidget* b) { return a->objectName() < b->objectName(); });
        return out;
    }

    static QList<QWidget*> Windows()
    {
        QList<QWidget*> out;
        if (QWidget* active = ActiveWindow())
            out << active;
        const auto subs = SubWindows();
        for (auto it = subs.rbegin(); it != subs.rend(); ++it)
            if (!out.contains((*it)->widget()))
                out << (*it)->widget();
        out << TopLevels();
        if (QWidget* main = MainWidget())
            out << main;
        return out;
    }

    static QWidget* WindowNamed(const QString& name)
    {
        if (name == "window")
            return ActiveWindow();
        if (name == "main")
            return MainWidget();
        for (QWidget* w : Windows())
            if (w->objectName() == name)
                return w;
        return nullptr;
    }

    static QObject* FindIn(QWidget* window, const QString& name)
    {
        if (!window)
            return nullptr;
        if (window->objectName() == name)
            return window;
        if (auto* w = window->findChild<QWidget*>(name))
            return w;
        if (auto* a = window->findChild<QAction*>(name))
            return a;
        // A control-array element, name(index): an object named name carrying that index.
        static const QRegularExpression element(R"(^(\w+)\((\d+)\)$)");
        const auto m = element.match(name);
        if (m.hasMatch()) {
            const int index = m.captured(2).toInt();
            for (QObject* o : window->findChildren<QObject*>(m.captured(1)))
                if (o->property("index").isValid() && o->property("index").toInt() == index)
                    return o;
        }
        return nullptr;
    }

    static QObject* Find(const QString& name)
    {
        if (name == "window" || name == "main") {
            if (QWidget* w = WindowNamed(name))
                return w;
            throw ScriptError{"no window open: " + name};
        }
        const qsizetype dot = name.indexOf('.');
        if (dot > 0) {
            QWidget* window = WindowNamed(name.left(dot));
            if (!window)
                throw ScriptError{"unknown window: " + name.left(dot)};
            if (QObject* o = FindIn(window, name.mid(dot + 1)))
                return o;
            throw ScriptError{"unknown control: " + name};
        }
        for (QWidget* window : Windows())
            if (QObject* o = FindIn(window, name))
                return o;
        throw ScriptError{"unknown control: " + name};
    }

    template <typename T>
    static T* FindAs(const QString& name, const char* what)
    {
        QObject* o = Find(name);
        if (auto* t = qobject_cast<T*>(o))
            return t;
        throw ScriptError{name + " is not " + what};
    }

    // ---- Reading controls ----------------------------------------------------------------

    static QString TextOf(QObject* o)
    {
        if (auto* e = qobject_cast<QLineEdit*>(o))
            return e->text();
        if (auto* l = qobject_cast<QLabel*>(o))
            return l->text();
        if (auto* b = qobject_cast<QAbstractButton*>(o))
            return b->text();
        if (auto* c = qobject_cast<QComboBox*>(o))
            return c->currentIndex() < 0 && !c->isEditable() ? c->placeholderText() : c->currentText();
        if (auto* g = qobject_cast<QGroupBox*>(o))
            return g->title();
        if (auto* t = qobject_cast<QTextEdit*>(o))
            return t->toPlainText();
        if (auto* t = qobject_cast<QPlainTextEdit*>(o))
            return t->toPlainText();
        if (auto* s = qobject_cast<QAbstractSpinBox*>(o))
            return s->text();
        if (auto* sb = qobject_cast<ui::StatusBar*>(o))
            return sb->PanelText(0);
        if (auto* a = qobject_cast<QAction*>(o))
            return a->text();
        if (auto* w = qobject_cast<QWidget*>(o)) {
            if (w->isWindow() || qobject_cast<QMdiSubWindow*>(w->parentWidget()))
                return w->windowTitle();
            const QVariant text = w->property("text");
            if (text.isValid())
                return text.toString();
        }
        return QString();
    }

    static QColor BackgroundOf(QObject* o)
    {
        auto* w = qobject_cast<QWidget*>(o);
        if (!w)
            throw ScriptError{o->objectName() + " has no colour"};
        if (qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractItemView*>(w) || qobject_cast<QTextEdit*>(w)
            || qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QAbstractSpinBox*>(w))
            return w->palette().color(QPalette::Base);
        return w->palette().color(w->backgroundRole());
    }

    static QStringList RowsOf(QObject* o)
    {
        QStringList rows;
        if (auto* u = qobject_cast<ui::UnitSelector*>(o)) {
            for (int i = 0; i < u->count(); ++i)
                rows << u->RowText(i);
        } else if (auto* c = qobject_cast<QComboBox*>(o)) {
            for (int i = 0; i < c->count(); ++i)
                rows << c->itemText(i);
        } else if (auto* l = qobject_cast<QListWidget*>(o)) {
            for (int i = 0; i < l->count(); ++i)
                rows << l->item(i)->text();
        } else if (auto* t = qobject_cast<QTreeWidget*>(o)) {
            for (QTreeWidgetItemIterator it(t); *it; ++it)
                rows << (*it)->text(0);
        } else if (auto* b = qobject_cast<QToolBox*>(o)) {
            // The catalogue bar: its groups.
            for (int i = 0; i < b->count(); ++i)
                rows << b->itemText(i);
        } else if (auto* v = qobject_cast<QAbstractItemView*>(o)) {
            QAbstractItemModel* m = v->model();
            for (int r = 0; m && r < m->rowCount(); ++r) {
                QStringList cells;
                for (int c = 0; c < m->columnCount(); ++c)
                    cells << m->index(r, c).data().toString();
                rows << cells.join('\t');
            }
        } else {
            throw ScriptError{o->objectName() + " is not a list"};
        }
        return rows;
    }

    // ---- Commands ------------------------------------------------------------------------

    static std::pair<QString, QString> Split(const QString& text)
    {
        const qsizetype blank = text.indexOf(' ');
        if (blank < 0)
            return {text, QString()};
        return {text.left(blank), text.mid(blank + 1)};
    }

    static int ToInt(const QString& text)
    {
        bool ok = false;
        const int v = text.trimmed().toInt(&ok);
        if (!ok)
            throw ScriptError{"not a number: " + text};
        return v;
    }

    void Execute(const QString& line)
    {
        const auto [command, rest] = Split(line);
        // clang-format off
        if (command == "open") Open(rest);
        else if (command == "set") Set(rest);
        else if (command == "select") Select(rest);
        else if (command == "choose") Choose(rest);
        else if (command == "edit") Edit(rest);
        else if (command == "click") Click(rest);
        else if (command == "check") Check(rest);
        else if (command == "menu") Menu(rest);
        else if (command == "key") Key(rest);
        else if (command == "call") Call(rest);
        else if (command == "answer") AnswerCmd(rest);
        else if (command == "wait") Wait(rest);
        else if (command == "get") Get(rest);
        else if (command == "cell") Cell(rest);
        else if (command == "rows") Rows(rest);
        else if (command == "color") Color(rest);
        else if (command == "status") Status(rest);
        else if (command == "series") Series(rest);
        else if (command == "items") Items(rest);
        else if (command == "windows") WindowsCmd(rest);
        else if (command == "shot") Shot(rest);
        else if (command == "dataset") DataSet(rest);
        else if (command == "focus") Focus(rest);
        else if (command == "setting") SettingCmd(rest);
        else if (command == "tab") Tab(rest);
        else if (command == "file") FileCmd(rest);
        else if (command == "hover") Hover(rest);
        else if (command == "clipboard") ClipboardCmd(rest);
        else if (command == "info") Info(rest);
        else
            throw ScriptError{"unknown command: " + command};
        // clang-format on
    }

    void Open(const QString& key)
    {
        if (!ui::Host() || !ui::Host()->OpenCatalogueEntry(key))
            throw ScriptError{"unknown window: " + key};
    }

    // A script's own message to the person watching, in the program's message window; it
    // stays until its Close button is pressed.
    void Info(const QString& text)
    {
        auto* info = new ui::InfoWindow(text, ui::Host() ? ui::Host()->MainWidget() : nullptr);
        info->show();
    }

    void Set(const QString& args)
    {
        const auto [name, text] = Split(args);
        QObject* o = Find(name);
        if (auto* e = qobject_cast<QLineEdit*>(o)) {
            // Retyping the same text is still typing: the change handler runs either way.
            if (e->text() == text)
                emit e->textChanged(text);
            else
                e->setText(text);
        } else if (auto* t = qobject_cast<QTextEdit*>(o))
            t->setPlainText(text);
        else if (auto* p = qobject_cast<QPlainTextEdit*>(o))
            p->setPlainText(text);
        else if (auto* s = qobject_cast<QSpinBox*>(o))
            s->setValue(ToInt(text));
        else if (auto* d = qobject_cast<QDoubleSpinBox*>(o))
            d->setValue(text.toDouble());
        else if (auto* c = qobject_cast<QComboBox*>(o); c && c->isEditable())
            c->setEditText(text);
        else
            throw ScriptError{name + " takes no text"};
    }

    static void PickRow(QObject* o, int row)
    {
        if (auto* u = qobject_cast<ui::UnitSelector*>(o)) {
            u->PickRow(row);
        } else if (auto* c = qobject_cast<QComboBox*>(o)) {
            c->setCurrentIndex(row);
            emit c->activated(row);
        } else if (auto* l = qobject_cast<QListWidget*>(o)) {
            l->setCurrentRow(row);
        } else if (auto* b = qobject_cast<QToolBox*>(o)) {
            // Opening a group of the catalogue bar, as a click on its title does.
            b->setCurrentIndex(row);
        } else if (auto* v = qobject_cast<QAbstractItemView*>(o)) {
            v->setCurrentIndex(v->model()->index(row, 0));
        } else {
            throw ScriptError{o->objectName() + " is not a list"};
        }
    }

    void Select(const QString& args)
    {
        const auto [name, index] = Split(args);
        PickRow(Find(name), ToInt(index));
    }

    void Choose(const QString& args)
    {
        const auto [name, text] = Split(args);
        QObject* o = Find(name);
        if (auto* t = qobject_cast<QTreeWidget*>(o)) {
            for (QTreeWidgetItemIterator it(t); *it; ++it) {
                if ((*it)->data(0, Qt::UserRole).toString() == text || (*it)->text(0) == text) {
                    t->setCurrentItem(*it);
                    emit t->itemClicked(*it, 0);
                    return;
                }
            }
            throw ScriptError{"no entry " + text + " in " + name};
        }
        if (auto* u = qobject_cast<ui::UnitSelector*>(o)) {
            for (int i = 0; i < u->count(); ++i)
                if (u->itemText(i) == text || u->RowText(i) == text) {
                    u->PickRow(i);
                    return;
                }
            throw ScriptError{"no entry " + text + " in " + name};
        }
        const QStringList rows = RowsOf(o);
        const qsizetype row = rows.indexOf(text);
        if (row < 0)
            throw ScriptError{"no entry " + text + " in " + name};
        PickRow(o, int(row));
    }

    void Edit(const QString& args)
    {
        const auto [name, r1] = Split(args);
        const auto [rowText, r2] = Split(r1);
        const auto [colText, text] = Split(r2);
        const int row = ToInt(rowText);
        const int col = ToInt(colText);
        QObject* o = Find(name);
        if (auto* t = qobject_cast<QTableWidget*>(o)) {
            t->setCurrentCell(row, col);
            QTableWidgetItem* item = t->item(row, col);
            if (!item) {
                item = new QTableWidgetItem;
                t->setItem(row, col, item);
            }
            item->setText(text);
            return;
        }
        if (auto* v = qobject_cast<QAbstractItemView*>(o)) {
            const QModelIndex index = v->model()->index(row, col);
            if (!index.isValid())
                throw ScriptError{QString("no cell %1 %2 in %3").arg(row).arg(col).arg(name)};
            v->setCurrentIndex(index);
            v->model()->setData(index, text, Qt::EditRole);
            return;
        }
        throw ScriptError{name + " is not a grid"};
    }

    static void MouseClick(QWidget* w)
    {
        const QPointF at(w->width() / 2.0, w->height() / 2.0);
        const QPointF global = w->mapToGlobal(at);
        QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w, &release);
    }

    void Click(const QString& name)
    {
        QObject* o = Find(name);
        if (auto* b = qobject_cast<QAbstractButton*>(o))
            b->click();
        else if (auto* a = qobject_cast<QAction*>(o))
            a->trigger();
        else if (auto* w = qobject_cast<QWidget*>(o))
            MouseClick(w);
    }

    void Check(const QString& args)
    {
        const auto [name, state] = Split(args);
        if (state != "on" && state != "off")
            throw ScriptError{"check takes on or off: " + args};
        const bool on = state == "on";
        QObject* o = Find(name);
        if (auto* b = qobject_cast<QAbstractButton*>(o)) {
            if (!b->isCheckable())
                throw ScriptError{name + " cannot be checked"};
            if (b->isChecked() == on)
                return;
            if (!on && b->autoExclusive()) {
                // An option button is normally cleared by its neighbour; here it is told to.
                b->setAutoExclusive(false);
                b->setChecked(false);
                b->setAutoExclusive(true);
                emit b->clicked(false);
            } else {
                b->click();
            }
            return;
        }
        if (auto* a = qobject_cast<QAction*>(o); a && a->isCheckable()) {
            if (a->isChecked() != on)
                a->trigger();
            return;
        }
        throw ScriptError{name + " cannot be checked"};
    }

    // A menu item by the caption a person reads ("&Help" is "Help"), in the lookup order of
    // the windows.
    static QAction* MenuItemCaptioned(const QString& caption)
    {
        for (QWidget* window : Windows())
            for (QAction* a : window->findChildren<QAction*>()) {
                QString text = a->text();
                text = text.left(text.indexOf('\t') < 0 ? text.size() : text.indexOf('\t'));
                text.replace("&&", "\x01").remove('&').replace('\x01', '&');
                if (text == caption && !a->isSeparator())
                    return a;
            }
        throw ScriptError{"no menu item " + caption};
    }

    void Menu(const QString& name)
    {
        QAction* a = nullptr;
        if (name.size() > 1 && name.startsWith('"') && name.endsWith('"'))
            a = MenuItemCaptioned(name.mid(1, name.size() - 2));
        else
            a = FindAs<QAction>(name, "a menu item");
        a->trigger();
    }

    void Key(const QString& args)
    {
        const auto [name, keyName] = Split(args);
        const KeyName* key = nullptr;
        for (const KeyName& k : kKeys)
            if (keyName == QLatin1String(k.name))
                key = &k;
        if (!key)
            throw ScriptError{"unknown key: " + keyName};
        QObject* o = name == "focus" ? FocusWidget() : Find(name);
        QPointer<QWidget> w = qobject_cast<QWidget*>(o);
        if (!w)
            throw ScriptError{name + " takes no keys"};
        // An open drop-down list has the keyboard, as it has for the user.
        if (auto* c = qobject_cast<QComboBox*>(w.data()); c && c->view()->isVisible())
            w = c->view();
        QKeyEvent press(QEvent::KeyPress, key->key, Qt::NoModifier, QString::fromLatin1(key->text));
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, key->key, Qt::NoModifier, QString::fromLatin1(key->text));
        if (!w.isNull())
            QApplication::sendEvent(w, &release);
    }

    void Call(const QString& args)
    {
        const QStringList parts = args.split(' ', Qt::SkipEmptyParts);
        if (parts.isEmpty())
            throw ScriptError{"call needs a procedure"};
        QWidget* window = ActiveWindow();
        if (!window)
            throw ScriptError{"no window open for call " + parts[0]};
        const QStringList values = parts.mid(1);
        const QMetaObject* meta = window->metaObject();
        for (int i = 0; i < meta->methodCount(); ++i) {
            const QMetaMethod m = meta->method(i);
            if (m.name() != parts[0].toUtf8() || m.parameterCount() != values.size())
                continue;
            if (m.access() != QMetaMethod::Public)
                continue;
            std::vector<QVariant> storage;
            storage.reserve(std::size_t(values.size()));
            for (int p = 0; p < m.parameterCount(); ++p) {
                QVariant v(values[p]);
                if (!v.convert(m.parameterMetaType(p)))
                    throw ScriptError{"argument " + values[p] + " does not fit " + parts[0]};
                storage.push_back(v);
            }
            // The type names must outlive the call: QGenericArgument keeps only the pointer.
            std::vector<QByteArray> typeNames;
            for (int p = 0; p < m.parameterCount(); ++p)
                typeNames.push_back(m.parameterTypeName(p));
            QGenericArgument a[10];
            for (std::size_t p = 0; p < storage.size() && p < 10; ++p)
                a[p] = QGenericArgument(typeNames[p].constData(), storage[p].constData());
            QVariant result;
            QGenericReturnArgument ret;
            if (m.returnMetaType().isValid() && m.returnMetaType().id() != QMetaType::Void) {
                result = QVariant(m.returnMetaType());
                ret = QGenericReturnArgument(m.typeName(), result.data());
            }
            if (!m.invoke(window, Qt::DirectConnection, ret, a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8],
                          a[9]))
                throw ScriptError{"call failed: " + parts[0]};
            if (!result.isValid())
                return;
            // Numbers and truth values as JSON has them, anything else as its text.
            Json out;
            out.Add("call", parts[0]);
            switch (result.typeId()) {
            case QMetaType::Bool: out.Add("result", result.toBool()); break;
            case QMetaType::Int:
            case QMetaType::Long:
            case QMetaType::LongLong:
            case QMetaType::UInt:
            case QMetaType::Float:
            case QMetaType::Double: out.Add("result", result.toDouble()); break;
            default: out.Add("result", result.toString());
            }
            Print(out);
            return;
        }
        throw ScriptError{"unknown procedure: " + parts[0]};
    }

    void AnswerCmd(const QString& button)
    {
        static const std::pair<const char*, ui::Answer> answers[] = {
            {"OK", ui::Answer::Ok}, {"Cancel", ui::Answer::Cancel}, {"Yes", ui::Answer::Yes}, {"No", ui::Answer::No}};
        for (const auto& [name, answer] : answers)
            if (button.trimmed() == QLatin1String(name)) {
                PendingAnswer() = answer;
                return;
            }
        throw ScriptError{"unknown answer: " + button};
    }

    void Wait(const QString& ms)
    {
        // A timer given a negative time never fires, and the script would wait for ever.
        const int time = ToInt(ms);
        if (time < 0)
            throw ScriptError{"not a time: " + ms};
        QEventLoop loop;
        QTimer::singleShot(time, &loop, &QEventLoop::quit);
        clock_.running = true;
        loop.exec();
        clock_.running = false;
    }

    void Get(const QString& name)
    {
        QObject* o = Find(name);
        Json out;
        out.Add("get", name).Add("text", TextOf(o));
        if (auto* a = qobject_cast<QAction*>(o)) {
            out.Add("visible", a->isVisible()).Add("enabled", a->isEnabled());
            if (a->isCheckable())
                out.Add("checked", a->isChecked());
        } else if (auto* w = qobject_cast<QWidget*>(o)) {
            out.Add("visible", w->isVisible()).Add("enabled", w->isEnabled());
            if (auto* b = qobject_cast<QAbstractButton*>(w); b && b->isCheckable())
                out.Add("checked", b->isChecked());
            // The row a selector or list stands on, -1 for none.
            if (auto* c = qobject_cast<QComboBox*>(w))
                out.Add("index", c->currentIndex());
            else if (auto* l = qobject_cast<QListWidget*>(w))
                out.Add("index", l->currentRow());
            else if (auto* v = qobject_cast<QAbstractItemView*>(w); v && !qobject_cast<QTreeWidget*>(w))
                out.Add("index", v->currentIndex().isValid() ? v->currentIndex().row() : -1);
            // A tooltip is given only where the window sets one.
            if (!w->toolTip().isEmpty())
                out.Add("tooltip", w->toolTip());
        }
        Print(out);
    }

    void Cell(const QString& args)
    {
        const auto [name, r1] = Split(args);
        const auto [rowText, colText] = Split(r1);
        const int row = ToInt(rowText);
        const int col = ToInt(colText);
        auto* view = FindAs<QAbstractItemView>(name, "a grid");
        const QModelIndex index = view->model()->index(row, col);
        if (!index.isValid())
            throw ScriptError{QString("no cell %1 %2 in %3").arg(row).arg(col).arg(name)};
        QColor colour = view->palette().color(QPalette::Base);
        const QVariant brush = index.data(Qt::BackgroundRole);
        if (brush.canConvert<QBrush>() && brush.value<QBrush>().style() != Qt::NoBrush)
            colour = brush.value<QBrush>().color();
        Print(Json()
                  .Add("cell", name)
                  .Add("row", row)
                  .Add("col", col)
                  .Add("text", index.data(Qt::DisplayRole).toString())
                  .Add("color", ColourText(colour)));
    }

    void Rows(const QString& name) { Print(Json().Add("rows", name).Add("text", RowsOf(Find(name)))); }

    // The column headings of a list of several columns (a selector's drop-down included).
    static QStringList HeadingsOf(QObject* o)
    {
        QAbstractItemModel* m = nullptr;
        if (auto* c = qobject_cast<QComboBox*>(o))
            m = c->model();
        else if (auto* v = qobject_cast<QAbstractItemView*>(o))
            m = v->model();
        QStringList headings;
        for (int c = 0; m && m->columnCount() > 1 && c < m->columnCount(); ++c)
            headings << m->headerData(c, Qt::Horizontal).toString();
        return headings;
    }

    void Items(const QString& name)
    {
        QObject* o = Find(name);
        Json out;
        out.Add("items", name).Add("text", RowsOf(o));
        if (const QStringList headings = HeadingsOf(o); !headings.isEmpty())
            out.Add("headings", headings);
        Print(out);
    }

    void Color(const QString& name)
    {
        Print(Json().Add("color", name).Add("background", ColourText(BackgroundOf(Find(name)))));
    }

    void Status(const QString&)
    {
        QWidget* window = ActiveWindow();
        auto* bar = window ? window->findChild<ui::StatusBar*>("sbrInfo") : nullptr;
        if (!bar)
            throw ScriptError{"the active window has no status bar"};
        std::vector<Json> panels;
        for (int i = 0; i < bar->PanelCount(); ++i)
            panels.push_back(Json()
                                 .Add("text", bar->PanelText(i))
                                 .Add("image", bar->PanelImageKey(i))
                                 .Add("visible", bar->PanelVisible(i)));
        auto* lbl = window->findChild<QWidget*>("lblWeb");
        auto* pic = window->findChild<QWidget*>("picWeb");
        const bool web = lbl && pic && lbl->isVisible() && pic->isVisible();
        Print(Json().Add("status", panels).Add("web", web));
    }

    void Series(const QString& name)
    {
        QObject* o = Find(name);
        // A chart drawn by hand describes itself.
        const int own = o->metaObject()->indexOfMethod("DriveSeriesJson()");
        if (own >= 0) {
            QString json;
            o->metaObject()->method(own).invoke(o, Qt::DirectConnection, Q_RETURN_ARG(QString, json));
            json = json.trimmed();
            if (!json.startsWith('{') || !json.endsWith('}'))
                throw ScriptError{name + " describes itself with no JSON object"};
            // The chart's own fields follow the name, as for a chart view.
            const QString fields = json.mid(1, json.size() - 2).trimmed();
            const QByteArray line = ("{" + JsonString("series") + ":" + JsonString(name)
                                     + (fields.isEmpty() ? QString() : "," + fields) + "}\n").toUtf8();
            std::fwrite(line.constData(), 1, std::size_t(line.size()), stdout);
            std::fflush(stdout);
            return;
        }
        auto* view = qobject_cast<QChartView*>(o);
        if (!view || !view->chart())
            throw ScriptError{name + " is not a chart"};
        QChart* chart = view->chart();
        QStringList axes;
        for (QAbstractAxis* axis : chart->axes())
            axes << axis->titleText();
        std::vector<Json> series;
        for (QAbstractSeries* s : chart->series()) {
            QStringList points;
            Json curve;
            curve.Add("name", s->name());
            if (auto* xy = qobject_cast<QXYSeries*>(s)) {
                curve.Add("color", ColourText(xy->color()));
                for (const QPointF& p : xy->points())
                    points << "[" + JsonNumber(p.x()) + "," + JsonNumber(p.y()) + "]";
            }
            series.push_back(curve.Raw("points", "[" + points.join(',') + "]"));
        }
        Print(Json().Add("series", name).Add("title", chart->title()).Add("axes", axes).Add("data", series));
    }

    static QString GeometryText(const QRect& r)
    {
        return QString("[%1,%2,%3,%4]").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    }

    static const char* StateName(Qt::WindowStates state)
    {
        if (state & Qt::WindowMinimized)
            return "minimized";
        if (state & Qt::WindowMaximized)
            return "maximized";
        return "normal";
    }

    // Geometry only when asked for: where a window sits and how big it is depend on the fonts
    // and on when the desktop settled its layout, which a script should not compare by default.
    void WindowsCmd(const QString& args)
    {
        if (!args.isEmpty() && args != "geometry")
            throw ScriptError{"windows takes nothing or geometry, not " + args};
        const bool geometry = !args.isEmpty();
        std::vector<Json> list;
        const auto add = [&](QWidget* shown, QWidget* frame, bool active) {
            Json j = Json().Add("name", shown->objectName()).Add("caption", shown->windowTitle()).Add("active", active);
            if (geometry)
                j.Raw("geometry", GeometryText(frame->geometry()));
            list.push_back(j.Add("state", StateName(frame->windowState())));
        };
        QWidget* active = ActiveWindow();
        for (QMdiSubWindow* sub : SubWindows())
            if (sub->isVisible())
                add(sub->widget(), sub, sub->widget() == active);
        for (QWidget* top : TopLevels())
            add(top, top, false);
        Print(Json().Add("windows", list));
    }

    void Shot(const QString& args)
    {
        const auto [name, file] = Split(args);
        if (file.isEmpty())
            throw ScriptError{"shot needs a file"};
        auto* w = qobject_cast<QWidget*>(Find(name));
        if (!w)
            throw ScriptError{name + " cannot be drawn"};
        // A child window is drawn with its frame and caption.
        QWidget* drawn = w;
        if (auto* sub = qobject_cast<QMdiSubWindow*>(w->parentWidget()))
            drawn = sub;
        // A selector with its list open is drawn as the open list.
        if (auto* c = qobject_cast<QComboBox*>(w); c && c->view()->isVisible())
            drawn = c->view()->window();
        const bool saved = drawn->grab().save(file, "PNG");
        Print(Json().Add("shot", name).Add("file", file).Add("saved", saved));
    }

    // The control with the keyboard: the application's, else the one the active window would
    // give it to (offscreen a window need not be active).
    static QWidget* FocusWidget()
    {
        if (QWidget* w = QApplication::focusWidget())
            return w;
        QWidget* window = ActiveWindow();
        QWidget* w = window ? window->focusWidget() : nullptr;
        if (!w)
            throw ScriptError{"no control has the focus"};
        return w;
    }

    // Makes the window holding w the active one, so that focus changes send their events
    // (the lost-focus checks) as they do for a person.
    static void Activate(QWidget* w)
    {
        for (QWidget* p = w; p; p = p->parentWidget())
            if (auto* sub = qobject_cast<QMdiSubWindow*>(p)) {
                if (Area() && Area()->activeSubWindow() != sub)
                    Area()->setActiveSubWindow(sub);
                break;
            }
        if (QApplication::activeWindow() != w->window())
            QApplication::setActiveWindow(w->window());
    }

    void Focus(const QString& name)
    {
        if (name.trimmed().isEmpty()) {
            QWidget* w = FocusWidget();
            Print(Json().Add("focus", w->objectName()));
            return;
        }
        auto* w = qobject_cast<QWidget*>(Find(name));
        if (!w || w->focusPolicy() == Qt::NoFocus || !w->isEnabled() || !w->isVisible())
            throw ScriptError{name + " cannot take the focus"};
        Activate(w);
        w->setFocus(Qt::MouseFocusReason);
    }

    void Tab(const QString&)
    {
        QWidget* w = FocusWidget();
        Activate(w);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, "\t");
        QApplication::sendEvent(w, &press);
    }

    // The session's shared settings, by the names the program gives them.
    void SettingCmd(const QString& name)
    {
        const SharedSettings& s = Settings();
        const std::pair<const char*, QString> values[] = {
            {"componentTolerance", QString::number(s.componentTolerance)},
            {"useStandardValues", s.useStandardValues ? "true" : "false"},
            {"soundEnabled", s.soundEnabled ? "true" : "false"},
            {"intelligentFormat", s.intelligentFormat ? "true" : "false"},
            {"significantFigures", QString::number(s.significantFigures)},
            {"bypassRatio", QString::number(s.bypassRatio)},
            {"maxJunctionTempC", JsonNumber(s.maxJunctionTempC)},
            {"quietMathErrors", s.quietMathErrors ? "true" : "false"},
            {"mathErrorFlag", s.mathErrorFlag ? "true" : "false"},
            {"lastMathError", JsonString(QString::fromStdString(s.lastMathError))},
            {"decimalSeparator", JsonString(QString::fromStdString(s.decimalSeparator))},
            {"groupSeparator", JsonString(QString::fromStdString(s.groupSeparator))},
            {"webAddress", JsonString(QString::fromStdString(s.webAddress))},
            {"webLinkCaption", JsonString(QString::fromStdString(s.webLink.caption))},
            {"webLinkIntervalMs", JsonNumber(s.webLink.intervalMs, 7)},
            {"sensitivityColourIntensity", JsonNumber(ui::SensitivityColourIntensity(), 7)},
        };
        for (const auto& [key, value] : values)
            if (name.trimmed() == QLatin1String(key)) {
                Print(Json().Add("setting", name.trimmed()).Raw("value", value));
                return;
            }
        throw ScriptError{"unknown setting: " + name};
    }

    void DataSet(const QString& number)
    {
        const int slot = ToInt(number);
        for (QWidget* window : Windows()) {
            const int own = window->metaObject()->indexOfMethod("DriveDataSetJson(int)");
            if (own < 0)
                continue;
            QString fields;
            window->metaObject()->method(own).invoke(window, Qt::DirectConnection, Q_RETURN_ARG(QString, fields),
                                                     Q_ARG(int, slot));
            if (fields.isEmpty())
                throw ScriptError{"no data set " + number};
            const QByteArray line = ("{" + JsonString("dataset") + ":" + QString::number(slot) + "," + fields + "}\n").toUtf8();
            std::fwrite(line.constData(), 1, std::size_t(line.size()), stdout);
            std::fflush(stdout);
            return;
        }
        throw ScriptError{"no open window holds data sets"};
    }

    // The mouse resting at X Y (pixels from the control's top left), as for a read-out
    // that follows the cursor.
    void Hover(const QString& args)
    {
        const auto [name, r1] = Split(args);
        const auto [xText, yText] = Split(r1);
        auto* w = qobject_cast<QWidget*>(Find(name));
        if (!w)
            throw ScriptError{name + " takes no mouse"};
        const QPointF at(ToInt(xText), ToInt(yText));
        QMouseEvent move(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w, &move);
    }

    void FileCmd(const QString& answer)
    {
        if (answer.trimmed().isEmpty())
            throw ScriptError{"file takes a path or cancel"};
        PendingFile() = answer.trimmed() == "cancel" ? QString() : answer;
    }

    void ClipboardCmd(const QString&)
    {
        const QClipboard* clip = QApplication::clipboard();
        Json out;
        out.Add("clipboard", clip->text());
        if (const QImage image = clip->image(); !image.isNull())
            out.Raw("image", QString("[%1,%2]").arg(image.width()).arg(image.height()));
        Print(out);
    }
};

} // namespace

void InstallHooks()
{
    ui::Hooks hooks;
    hooks.message = [](const QString& title, const QString& text, MsgIcon icon, ui::Buttons buttons) {
        Print(Json().Add("message", Json().Add("title", title).Add("text", text).Add("icon", IconName(icon))));
        return AnswerBox(buttons);
    };
    hooks.sound = [](const QString& file) { Print(Json().Add("sound", file)); };
    hooks.open = [](const QString& target) {
        Print(Json().Add("open", target));
        return true;
    };
    ui::SetHooks(std::move(hooks));
    ui::SetHelpShownHook([](int topic) { Print(Json().Add("help", topic)); });
    // A dialog nobody answered is cancelled: a script never waits for a person.
    ui::SetOpenFileHook([](const QString& title, const QString&, const QString& filter) {
        const QString chosen = PendingFile().value_or(QString());
        PendingFile().reset();
        Json dialog;
        dialog.Add("title", title).Add("filter", filter);
        if (chosen.isEmpty())
            dialog.Raw("chosen", "null");
        else
            dialog.Add("chosen", chosen);
        Print(Json().Add("file", dialog));
        return chosen;
    });
}

int Run(const QString& scriptPath)
{
    InstallHooks();
    QFile file;
    if (scriptPath == "-") {
        if (!file.open(stdin, QIODevice::ReadOnly | QIODevice::Text))
            return 2;
    } else {
        file.setFileName(scriptPath);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            Print(Json().Add("error", "cannot read script: " + scriptPath));
            return 2;
        }
    }
    QTextStream script(&file);
    script.setEncoding(QStringConverter::Utf8);
    Driver driver;
    return driver.Run(script);
}

} // namespace korvel::drive
