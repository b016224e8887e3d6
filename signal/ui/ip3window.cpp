#include "ip3window.h"

#include "core/units.h"
#include "shell/formwidgets.h"
#include "shell/services.h"
#include "shell/statusbar.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace korvel::ui {
namespace {

// Levels in dB and dBm beyond these are no device; the checks refuse them.
constexpr double kLevelLimit = 300.0;

QString Plain(double v) { return QString::fromStdString(NumberText(v)); }

QLineEdit* MakeBox(QWidget* parent, const QString& name, const QString& tip)
{
    QLineEdit* box = ui::MakeInput(parent, name, QString(), tip);
    // Levels in dBm are short numbers; narrow boxes leave room for the diagram.
    box->setFixedWidth(QFontMetrics(box->font()).horizontalAdvance("-000.0000") + 10);
    box->setAlignment(Qt::AlignRight);
    return box;
}

QRadioButton* Option(const QString& array, int index, const QString& caption, QWidget* parent)
{
    auto* button = new QRadioButton(caption, parent);
    button->setObjectName(QString("%1(%2)").arg(array).arg(index));
    return button;
}

// A box the window writes: it looks like a result and takes no typing.
void MakeResult(QLineEdit* box, bool result)
{
    box->setReadOnly(result);
    box->setFocusPolicy(result ? Qt::ClickFocus : Qt::StrongFocus);
    SetFieldBackground(box, result ? QColor(240, 240, 240) : kFieldNormal);
}

// Typing sets a box marked by a failed check back to white; a result box keeps its shade.
void WhiteWhenTyped(QLineEdit* box)
{
    QObject::connect(box, &QLineEdit::textChanged, box, [box] {
        if (!box->isReadOnly())
            SetFieldBackground(box, kFieldNormal);
    });
}

} // namespace

// ---- Diagram ----------------------------------------------------------------------------

InterceptDiagram::InterceptDiagram(QWidget* parent) : QWidget(parent)
{
    setObjectName("picDiagram");
    setMinimumSize(240, 200);
    SetBackground(this, Qt::white);
}

void InterceptDiagram::SetPoint(double iip3, double toneIn, double gain)
{
    set_ = true;
    iip3_ = iip3;
    toneIn_ = toneIn;
    gain_ = gain;
    update();
}

void InterceptDiagram::Clear()
{
    set_ = false;
    update();
}

InterceptDiagram::Range InterceptDiagram::Axes() const
{
    // From well below the tone (so that the slope-3 line shows its rise) to past the
    // intercept, in whole 10 dB steps.
    const double lo = std::floor((std::min(toneIn_, iip3_) - 20.0) / 10.0) * 10.0;
    const double hi = std::ceil((std::max(toneIn_, iip3_) + 10.0) / 10.0) * 10.0;
    const double imAtLo = 3.0 * lo - 2.0 * iip3_ + gain_;
    const double y0 = std::floor((std::max(imAtLo, lo + gain_ - 60.0)) / 10.0) * 10.0;
    const double imAtTone = 3.0 * toneIn_ - 2.0 * iip3_ + gain_;
    const double y1 = std::ceil((std::max({hi + gain_, iip3_ + gain_, imAtTone}) + 5.0) / 10.0) * 10.0;
    return {lo, hi, std::min(y0, lo + gain_), y1};
}

// The curves' colours, shared by the drawing and the description a script reads.
const QColor kFundamentalColour(31, 95, 166);
const QColor kProductColour(200, 60, 40);
const QColor kOperatingColour(40, 140, 60);

QString InterceptDiagram::DriveSeriesJson() const
{
    if (!set_)
        return R"j({"title":"Intercept diagram","axes":["Input tone level (dBm)","Output level (dBm)"],"data":[]})j";
    const Range r = Axes();
    auto pt = [](double x, double y) { return "[" + Plain(x) + "," + Plain(y) + "]"; };
    const double oip3 = iip3_ + gain_;
    const QString fund = pt(r.x0, r.x0 + gain_) + "," + pt(iip3_, oip3);
    const QString im = pt(r.x0, 3.0 * r.x0 - 2.0 * iip3_ + gain_) + "," + pt(iip3_, oip3);
    const QString op = pt(toneIn_, toneIn_ + gain_) + "," + pt(toneIn_, 3.0 * toneIn_ - 2.0 * iip3_ + gain_);
    return QString(R"j({"title":"Intercept diagram","axes":["Input tone level (dBm)","Output level (dBm)"],)j"
                   R"j("data":[{"name":"Fundamental","color":"%4","points":[%1]},)j"
                   R"j({"name":"Third-order product","color":"%5","points":[%2]},)j"
                   R"j({"name":"Operating point","color":"%6","points":[%3]}]})j")
        .arg(fund, im, op, kFundamentalColour.name().toUpper(), kProductColour.name().toUpper(),
             kOperatingColour.name().toUpper());
}

void InterceptDiagram::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics fm(font());
    const QRectF plot(fm.horizontalAdvance("-000") + 12, 8, width() - fm.horizontalAdvance("-000") - 22,
                      height() - fm.height() * 2 - 16);
    p.setPen(QColor(160, 160, 160));
    p.drawRect(plot);
    const QString xTitle = "Input tone level (dBm)";
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(QRectF(plot.left(), height() - fm.height() - 2, plot.width(), fm.height()), Qt::AlignHCenter, xTitle);
    if (!set_) {
        p.setPen(QColor(120, 120, 120));
        p.drawText(plot, Qt::AlignCenter, "Calculate to draw the diagram");
        return;
    }

    const Range r = Axes();
    auto X = [&](double x) { return plot.left() + (x - r.x0) / (r.x1 - r.x0) * plot.width(); };
    auto Y = [&](double y) { return plot.bottom() - (y - r.y0) / (r.y1 - r.y0) * plot.height(); };

    // Grid and scale every 10 dB (every 20 dB when crowded).
    const double stepX = (r.x1 - r.x0) > 100 ? 20.0 : 10.0;
    const double stepY = (r.y1 - r.y0) > 100 ? 20.0 : 10.0;
    p.setPen(QPen(QColor(225, 225, 225), 1));
    for (double x = r.x0; x <= r.x1 + 1e-9; x += stepX) {
        p.drawLine(QPointF(X(x), plot.top()), QPointF(X(x), plot.bottom()));
        p.save();
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(QRectF(X(x) - 30, plot.bottom() + 2, 60, fm.height()), Qt::AlignHCenter, Plain(x));
        p.restore();
    }
    for (double y = r.y0; y <= r.y1 + 1e-9; y += stepY) {
        p.drawLine(QPointF(plot.left(), Y(y)), QPointF(plot.right(), Y(y)));
        p.save();
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(QRectF(0, Y(y) - fm.height() / 2.0, plot.left() - 4, fm.height()), Qt::AlignRight, Plain(y));
        p.restore();
    }

    p.setClipRect(plot);
    const double oip3 = iip3_ + gain_;
    // Fundamental, slope 1, and the third-order product, slope 3, both through the intercept.
    p.setPen(QPen(kFundamentalColour, 2));
    p.drawLine(QPointF(X(r.x0), Y(r.x0 + gain_)), QPointF(X(r.x1), Y(r.x1 + gain_)));
    p.setPen(QPen(kProductColour, 2));
    p.drawLine(QPointF(X(r.x0), Y(3.0 * r.x0 - 2.0 * iip3_ + gain_)),
               QPointF(X(r.x1), Y(3.0 * r.x1 - 2.0 * iip3_ + gain_)));
    // Dashed guides to the intercept.
    p.setPen(QPen(QColor(90, 90, 90), 1, Qt::DashLine));
    p.drawLine(QPointF(X(iip3_), Y(oip3)), QPointF(X(iip3_), plot.bottom()));
    p.drawLine(QPointF(X(iip3_), Y(oip3)), QPointF(plot.left(), Y(oip3)));
    // The operating point: the tone and its product at the same drive, and the distance
    // between them (the dBc figure).
    const double toneOut = toneIn_ + gain_;
    const double imOut = 3.0 * toneIn_ - 2.0 * iip3_ + gain_;
    p.setPen(QPen(kOperatingColour, 1, Qt::DotLine));
    p.drawLine(QPointF(X(toneIn_), Y(toneOut)), QPointF(X(toneIn_), Y(imOut)));
    p.setPen(Qt::NoPen);
    p.setBrush(kFundamentalColour);
    p.drawEllipse(QPointF(X(toneIn_), Y(toneOut)), 4, 4);
    p.setBrush(kProductColour);
    p.drawEllipse(QPointF(X(toneIn_), Y(imOut)), 4, 4);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(X(iip3_), Y(oip3)), 4, 4);
    p.setClipping(false);

    // The legend in the lower right corner, which the two rising lines leave empty.
    const QString fundText = "Fundamental (1:1)";
    const QString imText = "3rd-order IM (3:1)";
    const double legendW = std::max(fm.horizontalAdvance(fundText), fm.horizontalAdvance(imText)) + 10;
    const QRectF legend(plot.right() - legendW - 4, plot.bottom() - 2 * fm.height() - 10, legendW, 2 * fm.height() + 6);
    p.setPen(QColor(190, 190, 190));
    p.setBrush(Qt::white);
    p.drawRect(legend);
    p.setPen(kFundamentalColour);
    p.drawText(QPointF(legend.left() + 5, legend.top() + fm.ascent() + 3), fundText);
    p.setPen(kProductColour);
    p.drawText(QPointF(legend.left() + 5, legend.top() + fm.ascent() + fm.height() + 3), imText);
}

// ---- Window ------------------------------------------------------------------------------

IP3Window::IP3Window(QWidget* parent)
    : CalcFrame({"frmIP3", "Intercept Point", 53, "Intercept Point &Help"}, parent)
{
    BuildControls();
    BuildMenus();
    SetMainCalculateButton(cmdCalculate_);
    UpdateEditable();
}

void IP3Window::BuildControls()
{
    QWidget* body = Body();
    auto* outer = new QVBoxLayout(body);
    outer->setContentsMargins(12, 10, 12, 4);
    outer->setSpacing(10);

    // ---- What to calculate ---------------------------------------------------------------
    auto* calcBox = new QGroupBox("Calculate", body);
    calcBox->setObjectName("fraCalculate");
    auto* calcRow = new QVBoxLayout(calcBox);
    calcRow->setSpacing(4);
    const char* const choices[] = {"IM product level", "Signal (tone) level", "Intercept point (IP3)"};
    auto* calcGroup = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        optCalculate_[std::size_t(i)] = Option("optCalculate", i, choices[i], calcBox);
        calcGroup->addButton(optCalculate_[std::size_t(i)], i);
        calcRow->addWidget(optCalculate_[std::size_t(i)]);
        connect(optCalculate_[std::size_t(i)], &QRadioButton::toggled, this, [this] { UpdateEditable(); });
    }
    optCalculate_[0]->setChecked(true);

    auto* columns = new QHBoxLayout;
    columns->setSpacing(12);

    // ---- Device levels ---------------------------------------------------------------------
    auto* devBox = new QGroupBox("Two-tone levels", body);
    devBox->setObjectName("fraLevels");
    auto* grid = new QGridLayout(devBox);
    grid->setVerticalSpacing(6);
    grid->setHorizontalSpacing(8);
    grid->addWidget(MakeColumnHeading(devBox, "Input"), 0, 1);
    grid->addWidget(MakeColumnHeading(devBox, "Output"), 0, 2);
    grid->addWidget(MakeLabel(devBox, "Given at"), 0, 4, 1, 2);

    txtGain_ = MakeBox(devBox, "txtGain", "Gain of the device, dB");
    txtGain_->setText("10");
    grid->addWidget(MakeCaption(devBox, "Gain ="), 1, 0);
    grid->addWidget(txtGain_, 1, 1);
    grid->addWidget(new QLabel("dB", devBox), 1, 3);

    struct Row {
        Pair* pair;
        const char* caption;
        const char* inName;
        const char* outName;
        const char* refName;
        const char* tip;
    };
    const Row rows[] = {
        {&ip3_, "IP3 =", "txtIIP3", "txtOIP3", "optIP3ref", "Third-order intercept point, dBm"},
        {&tone_, "Tone 1 =", "txtPsig1In", "txtPsig1Out", "optSignalRef", "Level of each of the two equal tones, dBm"},
        {&im_, "IM 1 =", "txtIM1in", "txtIM1out", "optIMRef", "Level of a third-order product, dBm"},
    };
    int r = 2;
    for (const Row& row : rows) {
        row.pair->in = MakeBox(devBox, row.inName, row.tip);
        row.pair->out = MakeBox(devBox, row.outName, row.tip);
        auto* group = new QButtonGroup(this);
        row.pair->ref[0] = Option(row.refName, 0, "In", devBox);
        row.pair->ref[1] = Option(row.refName, 1, "Out", devBox);
        row.pair->ref[0]->setToolTip("Given at the device input");
        row.pair->ref[1]->setToolTip("Given at the device output");
        group->addButton(row.pair->ref[0]);
        group->addButton(row.pair->ref[1]);
        row.pair->ref[1]->setChecked(true);
        for (QRadioButton* b : row.pair->ref)
            connect(b, &QRadioButton::toggled, this, [this] { UpdateEditable(); });
        grid->addWidget(MakeCaption(devBox, row.caption), r, 0);
        grid->addWidget(row.pair->in, r, 1);
        grid->addWidget(row.pair->out, r, 2);
        grid->addWidget(new QLabel("dBm", devBox), r, 3);
        grid->addWidget(row.pair->ref[0], r, 4);
        grid->addWidget(row.pair->ref[1], r, 5);
        WhiteWhenTyped(row.pair->in);
        WhiteWhenTyped(row.pair->out);
        ++r;
        // The second tone and the second product sit under the first ones: the tones are
        // taken as equal, so they mirror the first tone's figures.
        if (row.pair == &tone_ || row.pair == &im_) {
            const bool tone = row.pair == &tone_;
            auto* in2 = MakeBox(devBox, tone ? "txtPsig2In" : "txtIM2in", "Equal to the first; shown for reference");
            auto* out2 = MakeBox(devBox, tone ? "txtPsig2Out" : "txtIM2out", "Equal to the first; shown for reference");
            MakeResult(in2, true);
            MakeResult(out2, true);
            (tone ? txtPsig2In_ : txtIM2in_) = in2;
            (tone ? txtPsig2Out_ : txtIM2out_) = out2;
            auto* label = MakeCaption(devBox, tone ? "Tone 2 =" : "IM 2 =");
            label->setObjectName(tone ? "lblPsig2" : "lblIM2");
            grid->addWidget(label, r, 0);
            grid->addWidget(in2, r, 1);
            grid->addWidget(out2, r, 2);
            grid->addWidget(new QLabel("dBm", devBox), r, 3);
            auto* same = new QLabel("(equal)", devBox);
            same->setEnabled(false);
            grid->addWidget(same, r, 4, 1, 2);
            ++r;
        }
    }
    WhiteWhenTyped(txtGain_);
    ip3_.out->setText("20");
    tone_.out->setText("0");
    grid->setRowStretch(r, 1);
    // The choice of the unknown sits under the levels it decides about.
    auto* left = new QVBoxLayout;
    left->setSpacing(10);
    left->addWidget(devBox);
    left->addWidget(calcBox);
    left->addStretch(1);
    columns->addLayout(left);

    // ---- Diagram -------------------------------------------------------------------------
    auto* graphBox = new QGroupBox("Intercept diagram", body);
    graphBox->setObjectName("fraGraph");
    auto* g = new QGridLayout(graphBox);
    g->setVerticalSpacing(4);
    picDiagram_ = new InterceptDiagram(graphBox);
    g->addWidget(picDiagram_, 0, 0, 1, 6);
    auto* refGroup = new QButtonGroup(this);
    optGraphRef_[0] = Option("optGraphRef", 0, "Input", graphBox);
    optGraphRef_[1] = Option("optGraphRef", 1, "Output", graphBox);
    auto* refRow = new QHBoxLayout;
    refRow->addWidget(new QLabel("Values referred to:", graphBox));
    refRow->addWidget(optGraphRef_[0]);
    refRow->addWidget(optGraphRef_[1]);
    refRow->addStretch(1);
    refGroup->addButton(optGraphRef_[0]);
    refGroup->addButton(optGraphRef_[1]);
    optGraphRef_[1]->setChecked(true);
    g->addLayout(refRow, 1, 0, 1, 6);
    txtGraphIP3_ = MakeBox(graphBox, "txtGraphIP3", "Intercept point on the diagram");
    txtGraphPsig1_ = MakeBox(graphBox, "txtGraphPsig1", "Tone level on the diagram");
    txtGraphIM1dBm_ = MakeBox(graphBox, "txtGraphIM1dBm", "Product level on the diagram");
    txtGraphIM1dBC_ = MakeBox(graphBox, "txtGraphIM1dBC", "Product level below the tone");
    for (QLineEdit* b : {txtGraphIP3_, txtGraphPsig1_, txtGraphIM1dBm_, txtGraphIM1dBC_}) {
        MakeResult(b, true);
    }
    g->addWidget(MakeCaption(graphBox, "IP3 ="), 2, 0);
    g->addWidget(txtGraphIP3_, 2, 1);
    g->addWidget(new QLabel("dBm", graphBox), 2, 2);
    g->addWidget(MakeCaption(graphBox, "Tone ="), 2, 3);
    g->addWidget(txtGraphPsig1_, 2, 4);
    g->addWidget(new QLabel("dBm", graphBox), 2, 5);
    g->addWidget(MakeCaption(graphBox, "IM ="), 3, 0);
    g->addWidget(txtGraphIM1dBm_, 3, 1);
    g->addWidget(new QLabel("dBm", graphBox), 3, 2);
    g->addWidget(MakeCaption(graphBox, "IM ="), 3, 3);
    g->addWidget(txtGraphIM1dBC_, 3, 4);
    g->addWidget(new QLabel("dBc", graphBox), 3, 5);
    g->setRowStretch(0, 1);
    columns->addWidget(graphBox, 1);
    outer->addLayout(columns, 1);

    // ---- Command ---------------------------------------------------------------------------
    auto* buttons = new QHBoxLayout;
    cmdCalculate_ = MakeCalculateButton(body, "Calculate  [F4]", "Calculates the chosen quantity from the other two");
    cmdCalculate_->setMinimumWidth(150);
    buttons->addWidget(cmdCalculate_);
    buttons->addStretch(1);
    outer->addLayout(buttons);
    connect(cmdCalculate_, &QPushButton::clicked, this, &IP3Window::CalcIntermods);
}

void IP3Window::BuildMenus()
{
    QMenu* calc = AddMenu("&Calculate", "mnuCalculate");
    AddItem(calc, "Calculate &Intermods", "mnuCalculateIntermods", &IP3Window::CalcIntermods);
}

IP3Unknown IP3Window::Unknown() const
{
    if (optCalculate_[1]->isChecked())
        return IP3Unknown::ToneLevel;
    if (optCalculate_[2]->isChecked())
        return IP3Unknown::InterceptPoint;
    return IP3Unknown::ProductLevel;
}

bool IP3Window::AtInput(const Pair& p) { return p.ref[0]->isChecked(); }

QLineEdit* IP3Window::Given(const Pair& p) { return AtInput(p) ? p.in : p.out; }

void IP3Window::UpdateEditable()
{
    // The options switch boxes while the window is still being built.
    if (!im_.out || !picDiagram_)
        return;
    const IP3Unknown unknown = Unknown();
    const std::pair<Pair*, IP3Unknown> pairs[] = {
        {&ip3_, IP3Unknown::InterceptPoint}, {&tone_, IP3Unknown::ToneLevel}, {&im_, IP3Unknown::ProductLevel}};
    for (const auto& [pair, role] : pairs) {
        const bool isUnknown = role == unknown;
        MakeResult(pair->in, isUnknown || !AtInput(*pair));
        MakeResult(pair->out, isUnknown || AtInput(*pair));
        // The reference of a calculated quantity is no choice: it is shown on both sides.
        for (QRadioButton* b : pair->ref)
            b->setEnabled(!isUnknown);
    }
}

double IP3Window::IMlarge(bool resultAtInput, double p1, double p2, bool tonesAtInput, double ip3, bool ip3AtInput,
                          double g) const
{
    return korvel::IMlarge(resultAtInput, p1, p2, tonesAtInput, ip3, ip3AtInput, g);
}

double IP3Window::SigLarge(bool resultAtInput, double ip3, bool ip3AtInput, double im1, double im2, bool imsAtInput,
                           double g) const
{
    return korvel::SigLarge(resultAtInput, ip3, ip3AtInput, im1, im2, imsAtInput, g);
}

double IP3Window::IP3(bool resultAtInput, double p1, double p2, bool tonesAtInput, double im1, double im2,
                      bool imsAtInput, double g) const
{
    return korvel::IP3(resultAtInput, p1, p2, tonesAtInput, im1, im2, imsAtInput, g);
}

void IP3Window::CalcIntermods()
{
    BeginCalculation();
    const IP3Unknown unknown = Unknown();
    if (!CheckInput(txtGain_, -kLevelLimit, kLevelLimit, true))
        return;
    const std::pair<const Pair*, IP3Unknown> known[] = {
        {&ip3_, IP3Unknown::InterceptPoint}, {&tone_, IP3Unknown::ToneLevel}, {&im_, IP3Unknown::ProductLevel}};
    for (const auto& [pair, role] : known)
        if (role != unknown && !CheckInput(Given(*pair), -kLevelLimit, kLevelLimit, true))
            return;

    IP3Inputs in;
    in.unknown = unknown;
    in.gainDb = FieldValue(txtGain_);
    in.ip3Dbm = FieldValue(Given(ip3_));
    in.ip3AtInput = AtInput(ip3_);
    in.toneDbm = FieldValue(Given(tone_));
    in.toneAtInput = AtInput(tone_);
    in.imDbm = FieldValue(Given(im_));
    in.imAtInput = AtInput(im_);
    in.graphAtInput = optGraphRef_[0]->isChecked();
    const IP3Result r = korvel::CalcIntermods(in);

    // The box that was typed into keeps its text as typed; every other one is written.
    auto show = [](const Pair& p, double atIn, double atOut, bool known) {
        if (!known || !AtInput(p))
            p.in->setText(Plain(atIn));
        if (!known || AtInput(p))
            p.out->setText(Plain(atOut));
    };
    show(ip3_, r.ip3In, r.ip3Out, unknown != IP3Unknown::InterceptPoint);
    show(tone_, r.toneIn, r.toneOut, unknown != IP3Unknown::ToneLevel);
    show(im_, r.imIn, r.imOut, unknown != IP3Unknown::ProductLevel);
    txtPsig2In_->setText(Plain(r.toneIn));
    txtPsig2Out_->setText(Plain(r.toneOut));
    txtIM2in_->setText(Plain(r.imIn));
    txtIM2out_->setText(Plain(r.imOut));

    txtGraphIP3_->setText(Plain(r.graphIp3));
    txtGraphPsig1_->setText(Plain(r.graphTone));
    txtGraphIM1dBm_->setText(Plain(r.graphImDbm));
    txtGraphIM1dBC_->setText(Plain(r.graphImDbc));
    picDiagram_->SetPoint(r.ip3In, r.toneIn, in.gainDb);

    ShowNormalStatus();
    for (const std::string& w : r.warnings)
        ShowWarning(QString::fromStdString(w), false);
}

} // namespace korvel::ui
