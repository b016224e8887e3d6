// Every calculator of the catalogue, opened as a user opens it, on a 1366 x 768 screen with a
// dark palette in the C, German and French locales: it shows whole (no scroll bar, cut caption
// or hidden grid row) and readable, and its defaults calculated (F4, F3), its examples and a
// fractional-Er material are accepted in comma locales where C accepts them, same numbers shown;
// no two of its controls share a name.
#include "active/ui/register.h"
#include "lines/ui/register.h"
#include "signal/ui/register.h"
#include "sparam/ui/register.h"
#include "tools/ui/register.h"

#include "shell/catalogue.h"
#include "shell/mainwindow.h"
#include "shell/registry.h"
#include "shell/services.h"
#include "shell/unitselector.h"
#include "tests/shell/shell_capture.h"

#include <QTest>
#include <QtWidgets>

using namespace korvel;
using namespace korvel::ui;

namespace {

// What the user sees after one step: the messages it raised and the shown texts, in the order
// the window made its controls. Boxes, result boxes and grid cells hold numbers the program
// wrote; a caption or message may quote one of the system's own texts ("1.0 Wavelength =").
struct Seen {
    QString step;
    QStringList names, texts;
    QList<bool> written;
    void Add(const QString& name, const QString& text, bool numbers)
    {
        names << name;
        texts << text;
        written << numbers;
    }
};

// Reads every shown control of the main window's area after a step; checks it whole and readable.
void Look(const MainWindow& main, const QString& where, Seen& seen, QStringList& faults)
{
    auto check = [&](const QString& what, const QColor& ink, const QColor& back) {
        if (ContrastRatio(ink, back) < 4.5)
            faults << QString("%1: %2 on %3 in %4").arg(what, ink.name(), back.name(), where);
    };
    for (const QWidget* w : main.MdiArea()->findChildren<QWidget*>()) {
        if (!w->isVisible())
            continue;
        const auto* label = qobject_cast<const QLabel*>(w);
        const auto* button = qobject_cast<const QPushButton*>(w);
        const QString name = w->objectName(), text = label ? label->text() : button ? button->text() : QString();
        const QPalette::ColorGroup group = w->isEnabled() ? QPalette::Active : QPalette::Disabled;
        // Whole: no scroll bar of the area or of a scrolling form (lists, grids and charts
        // scroll their data, not the window), no text cut short.
        const QWidget* area = w->parentWidget() ? w->parentWidget()->parentWidget() : nullptr;
        if (qobject_cast<const QScrollBar*>(w) && (area == main.MdiArea() || qobject_cast<const QScrollArea*>(area)))
            faults << QString("scroll bar in %1, main window %2 x %3 in %4").arg(area->objectName()).arg(main.width()).arg(main.height()).arg(where);
        if (!text.isEmpty() && !(label && label->wordWrap())
            && w->width() < w->fontMetrics().boundingRect(QRect(), Qt::TextShowMnemonic, text).width())
            faults << QString("\"%1\" cut in %2").arg(text, where);
        // The texts; the balun's printout carries the time of day, and the complex
        // calculator's registers are typed and shown with '.' whatever the locale.
        if (const auto* box = qobject_cast<const QLineEdit*>(w))
            seen.Add(name, box->text(), !name.startsWith("txtRegister"));
        else if (label && name != "lblDateTime")
            seen.Add(name, label->text(), label->autoFillBackground());
        if (const auto* grid = qobject_cast<const QTableWidget*>(w)) {
            int rows = 0;
            for (int r = 0; r < grid->rowCount(); ++r) {
                rows += grid->rowHeight(r);
                for (int c = 0; c < grid->columnCount(); ++c)
                    if (const QTableWidgetItem* item = grid->item(r, c)) {
                        const QString cell = QString("%1 %2 %3").arg(name).arg(r).arg(c);
                        seen.Add(cell, item->text(), true);
                        if (!item->text().isEmpty())
                            check(cell, item->foreground().style() ? item->foreground().color() : w->palette().color(QPalette::Text),
                                  item->background().style() ? item->background().color() : w->palette().color(QPalette::Base));
                    }
            }
            if (grid->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOff && grid->viewport()->height() < rows)
                faults << QString("rows of %1 hidden in %2").arg(name, where);
        }
        // Readable: a box, button or grid writes on its own background; a label, check box or
        // frame title on that of the nearest enclosing widget that fills one; a drawing that
        // fills its background writes in its window ink. The web link keeps its colour pairs.
        const bool onParent = label || qobject_cast<const QCheckBox*>(w) || qobject_cast<const QRadioButton*>(w)
                              || qobject_cast<const QGroupBox*>(w);
        const bool ownBack = !onParent && (w->backgroundRole() == QPalette::Base || w->backgroundRole() == QPalette::Button);
        const bool drawing = !onParent && w->autoFillBackground() && w->findChildren<QWidget*>().isEmpty();
        if ((label && text.isEmpty()) || name == "lblWeb" || !(onParent || ownBack || drawing))
            continue;
        const QWidget* back = w;
        while (onParent && !back->autoFillBackground() && !back->isWindow() && back->windowType() != Qt::SubWindow)
            back = back->parentWidget();
        const QPalette::ColorRole ink = onParent && !label ? QPalette::WindowText : w->foregroundRole();
        check(name, w->palette().color(group, ink), back->palette().color(group, back->backgroundRole()));
    }
}

// A text of a comma locale as C writes it: its group separator between digits becomes ',',
// its decimal separator next to a digit '.', and the "; " between the two numbers of a complex
// cell ", ". A '.' left between digits (a number written with a fixed point) then reads
// differently in German, where it is the group separator.
QString AsC(QString text, const QLocale& locale)
{
    const QString point = QRegularExpression::escape(locale.decimalPoint());
    text.replace(QRegularExpression("(?<=[0-9])" + QRegularExpression::escape(locale.groupSeparator()) + "(?=[0-9])"), "\x01");
    text.replace(QRegularExpression("(?<=[0-9])" + point + "(?! )|" + point + "(?=[0-9])"), ".");
    return text.replace('\x01', ',').replace(QRegularExpression("([0-9]); ([-0-9])"), "\\1, \\2");
}

// The window opened in a locale, and what each step shows: load, F4 and F3 on the defaults,
// each example, a line window's first material with a fractional Er.
std::vector<Seen> Run(const QString& key, const QString& name, const QLocale& locale, QStringList& faults)
{
    QLocale::setDefault(locale);
    test::ShellCapture capture;
    MainWindow main;  // takes the locale's separators into the settings
    main.StartAtOnce();
    main.OpenCatalogueEntry(key);
    QWidget* window = main.ChildWindow(name);
    if (!window)
        return {};
    // Every named control answers to its name alone (a script and the window's own lookups
    // reach it by name); the elements of a control array share one name and differ by index.
    QMap<QString, int> named;
    for (const QObject* o : window->findChildren<QObject*>())
        if ((o->isWidgetType() || qobject_cast<const QAction*>(o)) && !o->objectName().isEmpty()
            && !o->objectName().startsWith("qt_") && !o->property("index").isValid())
            ++named[o->objectName()];
    for (auto it = named.cbegin(); it != named.cend(); ++it)
        if (it.value() > 1)
            faults << QString("%1 controls named %2").arg(it.value()).arg(it.key());
    std::vector<Seen> seen;
    auto record = [&](const QString& step) {
        for (int settle = 0; settle < 3; ++settle)  // the frame and then the main window grow
            QApplication::processEvents();
        Seen s{step, {}, {}, {}};
        for (const test::ShownMessage& m : capture.messages)
            s.Add("message", m.title + ": " + m.text, false);
        capture.Clear();
        Look(main, locale.name() + " " + step, s, faults);
        seen.push_back(s);
    };
    auto calculate = [&](const QString& step) {
        record(step);
        QTest::keyClick(window, Qt::Key_F4);
        record(step + " F4");
        QTest::keyClick(window, Qt::Key_F3);
        record(step + " F3");
    };
    calculate("defaults");
    for (QAction* example : window->findChildren<QAction*>())
        if (example->objectName().contains("Example") && !example->menu()) {
            example->trigger();
            calculate(example->objectName());
        }
    if (auto* materials = window->findChild<UnitSelector*>("cbofpDielectric"))
        for (int row = 1; row < materials->count(); ++row)
            if (materials->CellText(row, 1).contains(QRegularExpression("[^0-9]"))) {
                materials->PickRow(row);
                calculate("material " + materials->CellText(row, 0));
                break;
            }
    return seen;
}

} // namespace

class TestEveryWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void everyWindow_data();
    void everyWindow();
};

void TestEveryWindow::initTestCase()
{
    RegisterLineWindows();
    RegisterActiveWindows();
    RegisterSignalWindows();
    RegisterToolWindows();
    RegisterSparamWindows();
    // The published ratio of #767676 on white; a dark scheme whose own pairs keep their
    // contrast (disabled text too), so that a pair below 4.5:1 is one the program coloured.
    QCOMPARE(qRound(ContrastRatio(QColor(0x76, 0x76, 0x76), Qt::white) * 100), 454);
    const QColor ink(232, 232, 232), back(45, 45, 48);
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    QApplication::setPalette(QPalette(ink, back, back.lighter(), back.darker(), back.darker(120), ink, Qt::white,
                                      QColor(30, 30, 30), back));
    // The smallest screen every window must open whole on (set by the test's environment).
    QCOMPARE(QGuiApplication::primaryScreen()->availableGeometry().size(), QSize(1366, 768));
}

void TestEveryWindow::everyWindow_data()
{
    QTest::addColumn<QString>("key");
    // The windows the calculator families register (the information pages are the main
    // window's own and are registered only once one exists).
    for (const CatalogueGroup& group : Catalogue())
        for (const CatalogueEntry& entry : group.entries)
            if (group.key != kMakerGroupKey && HasWindow(entry.windowClass))
                QTest::newRow(qPrintable(entry.windowClass)) << entry.key;
}

void TestEveryWindow::everyWindow()
{
    QFETCH(QString, key);
    const QString name = QTest::currentDataTag();
    QStringList faults;
    const std::vector<Seen> inC = Run(key, name, QLocale::c(), faults);
    QVERIFY(!inC.empty());
    for (const QLocale& locale : {QLocale(QLocale::German, QLocale::Germany), QLocale(QLocale::French, QLocale::France)}) {
        const std::vector<Seen> seen = Run(key, name, locale, faults);
        QCOMPARE(seen.size(), inC.size());
        // Nothing refused or shown that C does not; a number the program wrote reads as the
        // locale writes it.
        for (std::size_t i = 0; i < seen.size(); ++i) {
            const Seen &l = seen[i], &c = inC[i];
            const QString at = locale.name() + ", " + c.step;
            if (l.names != c.names)
                faults << QString("%1: \"%2\" where C shows \"%3\"").arg(at, l.texts.join("\", \""), c.texts.join("\", \""));
            for (qsizetype k = 0; k < c.texts.size() && l.names == c.names; ++k)
                if (AsC(l.texts[k], locale) != c.texts[k] && (c.written[k] || l.texts[k] != c.texts[k]))
                    faults << QString("%1, %2: \"%3\" where C shows \"%4\"").arg(at, c.names[k], l.texts[k], c.texts[k]);
        }
    }
    QLocale::setDefault(QLocale::c());
    faults.removeDuplicates();
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
}

QTEST_MAIN(TestEveryWindow)
#include "tst_everywindow.moc"
