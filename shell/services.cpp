#include "services.h"

#include "host.h"
#include "uihooks.h"

#include "core/checks.h"
#include "core/notifier.h"
#include "core/settings.h"
#include "core/units.h"

#include <QCursor>
#include <QFileInfo>
#include <QImageReader>
#include <QLineEdit>
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QPalette>
#include <QTableWidgetItem>
#include <QUrl>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace korvel::ui {
namespace {

QString AppTitle() { return QString::fromUtf8(kAppTitle.data(), qsizetype(kAppTitle.size())); }

QString InvalidInputTitle()
{
    return QString::fromUtf8(kInvalidInputTitle.data(), qsizetype(kInvalidInputTitle.size()));
}

} // namespace

int TwipsToPixels(int twips) { return int(std::lround(double(twips) / kTwipsPerPixel)); }

bool PlaySound(const QString& file, bool force)
{
    if (!force && !Settings().soundEnabled)
        return false;
    PlayWave(file, true);
    return true;
}

void ResetWindowSize()
{
    if (CalculatorHost* host = Host())
        host->ResetWindowSize();
}

bool OpenDocument(QWidget* window, const QString& target)
{
    if (OpenTarget(target))
        return true;
    // A document that is not there is the "other" failure (file not found, error 2); a target
    // that is there but that nothing on the desktop opens has no association.
    const QUrl url = QUrl::fromUserInput(target, ProgramFolder(), QUrl::AssumeLocalFile);
    QString text;
    if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile()))
        text = AppTitle() + " encountered problem with your browser." + "(Error" + QString::number(2) + ")";
    else
        text = AppTitle() + " no file association for " + target + " found on your system.";
    ShowMessageBox(window, "Browser Unavailable", text, MsgIcon::Exclamation, Buttons::Ok);
    return false;
}

QPixmap ProgramPicture(const QString& fileName)
{
    const QString path = ProgramFile(fileName);
    if (!QFileInfo::exists(path))
        return {};
    // Decide by content, not by name: "link.cur" and friends may hold another format.
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    const QImage image = reader.read();
    return image.isNull() ? QPixmap() : QPixmap::fromImage(image);
}

QIcon ProgramIcon(const QString& fileName)
{
    const QString path = ProgramFile(fileName);
    if (!QFileInfo::exists(path))
        return {};
    if (path.endsWith(".svg", Qt::CaseInsensitive))
        return QIcon(path);
    const QPixmap picture = ProgramPicture(fileName);
    return picture.isNull() ? QIcon() : QIcon(picture);
}

QCursor ProgramCursor(const QString& fileName)
{
    const QPixmap picture = ProgramPicture(fileName);
    if (picture.isNull())
        return QCursor(Qt::ArrowCursor);
    return QCursor(picture, 0, 0);
}

QCursor LinkCursor()
{
    const QPixmap picture = ProgramPicture("link.cur");
    // The hand's finger tip sits near the top left of the picture.
    return picture.isNull() ? QCursor(Qt::PointingHandCursor) : QCursor(picture, 5, 0);
}

namespace {

double Luminance(const QColor& c)
{
    auto linear = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    const QColor rgb = c.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) + 0.0722 * linear(rgb.blueF());
}

} // namespace

double ContrastRatio(const QColor& a, const QColor& b)
{
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor InkOn(const QColor& background, bool disabled)
{
    const QColor ink = ContrastRatio(Qt::black, background) >= ContrastRatio(Qt::white, background)
                           ? QColor(Qt::black) : QColor(Qt::white);
    if (!disabled)
        return ink;
    // Greyed towards the background as far as the text stays readable.
    for (int percent = 45; percent > 0; percent -= 5) {
        auto mix = [percent](int i, int b) { return i + (b - i) * percent / 100; };
        const QColor grey(mix(ink.red(), background.red()), mix(ink.green(), background.green()),
                          mix(ink.blue(), background.blue()));
        if (ContrastRatio(grey, background) >= 4.5)
            return grey;
    }
    return ink;
}

void SetBackground(QWidget* widget, const QColor& colour)
{
    if (!widget)
        return;
    QPalette::ColorRole back = QPalette::Window;
    QPalette::ColorRole text = QPalette::WindowText;
    if (qobject_cast<QLineEdit*>(widget) || qobject_cast<QAbstractItemView*>(widget)) {
        back = QPalette::Base;
        text = QPalette::Text;
    } else if (qobject_cast<QAbstractButton*>(widget)) {
        back = QPalette::Button;
        text = QPalette::ButtonText;
    } else {
        widget->setAutoFillBackground(true);
    }
    QPalette palette = widget->palette();
    palette.setColor(back, colour);
    palette.setColor(text, InkOn(colour));
    palette.setColor(QPalette::Disabled, text, InkOn(colour, true));
    if (back == QPalette::Base)
        palette.setColor(QPalette::PlaceholderText, InkOn(colour, true));
    widget->setPalette(palette);
}

void SetCellBackground(QTableWidgetItem* cell, const QColor& colour)
{
    if (!cell)
        return;
    cell->setBackground(colour);
    cell->setForeground(InkOn(colour));
}

void SetFieldBackground(QWidget* field, const QColor& colour) { SetBackground(field, colour); }

QColor FieldBackground(const QWidget* field)
{
    return field ? field->palette().color(QPalette::Base) : QColor();
}

void FlagInvalidInput(QLineEdit* field, const QString& message, QLineEdit* second)
{
    for (QLineEdit* f : {field, second}) {
        if (!f)
            continue;
        SetFieldBackground(f, kFieldMarked);
        f->setFocus(Qt::OtherFocusReason);
        f->selectAll();
    }
    PlaySound("ding.wav");
    ShowMessageBox(field ? field->window() : nullptr, InvalidInputTitle(), message,
                   MsgIcon::Exclamation, Buttons::Ok);
}

namespace {
bool Passes(const std::string& message, QLineEdit* field, QLineEdit* second = nullptr)
{
    if (message.empty())
        return true;
    FlagInvalidInput(field, QString::fromStdString(message), second);
    return false;
}
} // namespace

bool ValidateInput(QLineEdit* field, bool optional)
{
    return Passes(ValidateInputMessage(field->text().toStdString(), optional), field);
}

bool CheckNumeric(QLineEdit* field)
{
    return Passes(CheckNumericMessage(field->text().toStdString()), field);
}

bool CheckRange(double value, double minimum, double maximum, bool zeroAllowed, QLineEdit* field)
{
    return Passes(CheckRangeMessage(value, minimum, maximum, zeroAllowed), field);
}

bool CheckRatio(double numerator, QLineEdit* field1, double denominator, QLineEdit* field2,
                double minimum, double maximum, bool unityAllowed, const QString& name1,
                const QString& name2)
{
    return Passes(CheckRatioMessage(numerator, denominator, minimum, maximum, unityAllowed,
                                    name1.toStdString(), name2.toStdString()),
                  field1, field2);
}

double FieldValue(const QLineEdit* field)
{
    return field ? NumberFromText(field->text().toStdString()) : 0.0;
}

} // namespace korvel::ui
