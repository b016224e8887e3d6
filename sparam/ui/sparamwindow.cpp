#include "sparamwindow.h"

#include "smithchart.h"

#include "shell/host.h"
#include "shell/formwidgets.h"
#include "shell/services.h"
#include "shell/drive.h"
#include "shell/filedialog.h"
#include "shell/uihooks.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QButtonGroup>
#include <QChartView>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QTableWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>
#include <new>

namespace korvel::ui {
namespace {

constexpr int kKeyRole = Qt::UserRole;
constexpr std::size_t kMaxCurves = 60;

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

const char* const kGridLabels[3][3] = {
    {"Start:", "Stop:", "Step:"},
    {"Center:", "BW:", "Points:"},
    {"Freq:", "", ""},
};

} // namespace

SparamWindow::SparamWindow(QWidget* parent)
    : CalcFrame({"frmSparam", "Everything S-Parameters", kSparamHelpTopic, "S-Parameters &Help"}, parent)
{
    setAcceptDrops(true);
    BuildToolbar();
    BuildControls();
    SetMainCalculateButton(findChild<QPushButton*>("cmdCalc"));
    SetGridMode(0);
    RefreshDataSetControls();
    RebuildTree();
}

DisplayType SparamWindow::CurrentDisplay() const
{
    for (int i = 0; i < kDisplayTypes; ++i)
        if (optDisplay_[std::size_t(i)]->isChecked())
            return DisplayType(i);
    return DisplayType::None;
}

// ---- Building --------------------------------------------------------------------------------

void SparamWindow::BuildToolbar()
{
    toolbar_ = new QToolBar(this);
    toolbar_->setObjectName("SSActiveToolBars1");
    toolbar_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto add = [this](QObject* owner, const QString& name, const QString& text, auto slot) {
        auto* a = new QAction(text, owner);
        a->setObjectName(name);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    auto dropDown = [this](const QString& name, const QString& text, QMenu* menu) {
        auto* tool = new QAction(text, toolbar_);
        tool->setObjectName(name);
        tool->setMenu(menu);
        toolbar_->addAction(tool);
        if (auto* b = qobject_cast<QToolButton*>(toolbar_->widgetForAction(tool)))
            b->setPopupMode(QToolButton::InstantPopup);
    };
    for (int slot = 1; slot <= 3; ++slot) {
        const QString name = slot == 1 ? "id_OpenDataFile1" : QString("ID_OpenDataFile%1").arg(slot);
        toolbar_->addAction(add(toolbar_, name, QString("Open %1").arg(slot), [this, slot] { OpenFileDialog(slot); }));
    }
    toolbar_->addSeparator();

    // Examples: a drop-down of the six entries.
    auto* examples = new QMenu("Examples", this);
    const char* const exampleNames[6] = {"ID_LoadExample1:PHEMT", "ID_LoadExample2", "ID_LoadExample3",
                                         "ID_Example4:StabilityAnalysis", "ID_Example5:RFICatthreebiases",
                                         "ID_Example6:ViewSnPfilecontents"};
    const char* const exampleTexts[6] = {"PHEMT: Smith chart of Gamma Opt", "Noise and gain circles",
                                         "Differential 1-port impedance", "Stability analysis",
                                         "RFIC at three biases", "View SnP file contents"};
    for (int i = 0; i < 6; ++i)
        examples->addAction(add(examples, exampleNames[i], exampleTexts[i], [this, i] { LoadExample(i + 1); }));
    dropDown("ID_Examples", "Examples", examples);

    // Help topics.
    auto* help = new QMenu("Help", this);
    const std::pair<const char*, const char*> topics[] = {
        {"ID_ParameterDefinitions", "Parameter definitions"},
        {"ID_CommentaryonStability", "Commentary on stability"},
        {"ID_S-ParameterFileFormat", "S-parameter file format"},
        {"ID_DesigningwithS-Parameters", "Designing with S-parameters"},
        {"ID_HELP", "S-parameter window help"}};
    const int topicNumbers[] = {kParameterDefinitionsTopic, kStabilityTopic, kFileFormatTopic, kDesigningTopic,
                                kSparamHelpTopic};
    for (int i = 0; i < 5; ++i) {
        const int topic = topicNumbers[i];
        help->addAction(add(help, topics[i].first, topics[i].second, [topic] {
            if (Host())
                Host()->ShowHelp(topic);
        }));
    }
    dropDown("ID_HelpTopics", "Help Topics", help);

    toolbar_->addAction(add(toolbar_, "id_Print", "Print", [this] {
        ShowMessageBox(this, QString(), "Funky Little Print Work-around", MsgIcon::Information);
    }));

    // Plot options: exclusive groups of checkable items.
    auto* options = new QMenu("Plot Options", this);
    using Item = std::pair<QAction**, std::pair<const char*, const char*>>;
    auto group = [&](std::initializer_list<Item> items) {
        auto* g = new QActionGroup(this);
        g->setExclusive(true);
        for (const auto& [slot, nt] : items) {
            auto* a = new QAction(nt.second, options);
            a->setObjectName(nt.first);
            a->setCheckable(true);
            g->addAction(a);
            options->addAction(a);
            connect(a, &QAction::triggered, this, &SparamWindow::ApplyChartOptions);
            *slot = a;
        }
        options->addSeparator();
    };
    group({{&lightLine_, {"ID_LightLine", "Light line"}},
           {&mediumLine_, {"ID_MediumLine", "Medium line"}},
           {&heavyLine_, {"ID_HeavyLine", "Heavy line"}}});
    group({{&points_, {"ID_Points", "Points"}}, {&line_, {"ID_Line", "Line"}},
           {&linePoints_, {"ID_Line+Points", "Line + points"}}});
    group({{&linearFreq_, {"ID_LinearFreq(RectangularPlot)", "Linear frequency (rectangular plot)"}},
           {&logFreq_, {"ID_LogFreq(RectangularPlot)", "Log frequency (rectangular plot)"}}});
    group({{&labelFreq_, {"ID_LabelFrequency(Smith)", "Label frequency (Smith)"}},
           {&noLabels_, {"ID_NoLabels", "No labels"}}});
    group({{&white_, {"ID_WhiteBackground", "White background"}},
           {&black_, {"ID_BlackBackground", "Black background"}}});
    mediumLine_->setChecked(true);
    line_->setChecked(true);
    linearFreq_->setChecked(true);
    noLabels_->setChecked(true);
    white_->setChecked(true);
    auto* full = new QAction("Full screen [F9]", options);
    full->setObjectName("ID_FullScreen[F9]");
    connect(full, &QAction::triggered, this, &SparamWindow::ToggleFullScreen);
    options->addAction(full);
    dropDown("ID_PlotOptions", "Plot Options", options);
    toolbar_->addAction(add(toolbar_, "ID_UndoZoom", "Undo Zoom", [this] { UndoZoom(); }));
    toolbar_->addAction(add(toolbar_, "ID_CopyDisplay", "Copy", [this] { CopyDisplay(); }));
    toolbar_->addSeparator();

    // Circle settings.
    auto circleBox = [this](const char* name, const char* caption, const char* text, const char* tip) {
        auto* l = new QLabel(caption, toolbar_);
        l->setContentsMargins(6, 0, 2, 0);
        toolbar_->addWidget(l);
        auto* e = new QLineEdit(LocalNumber(text), toolbar_);
        e->setObjectName(name);
        e->setToolTip(tip);
        e->setFixedWidth(QFontMetrics(e->font()).horizontalAdvance("00000") + 12);
        SetFieldBackground(e, kFieldNormal);
        WhiteOnTyping({e});
        toolbar_->addWidget(e);
        return e;
    };
    numberGain_ = circleBox("ID_NumberGainCircles", "Gain circles:", "1", "Number of gain circles");
    gainSpacing_ = circleBox("ID_GainCircleSpacing", "dB apart:", "1", "Spacing of the gain circles (dB)");
    numberNoise_ = circleBox("ID_NumberNoiseCircles", "Noise circles:", "1", "Number of noise circles");
    noiseSpacing_ = circleBox("ID_NoiseCircleSpacing", "dB apart:", "0.5", "Spacing of the noise circles (dB)");

    toolbar_->addSeparator();
    toolbar_->addAction(add(toolbar_, "ID_MainMenu", "Main Menu", [this] { ReturnToMainMenu(); }));
    toolbar_->addAction(add(toolbar_, "ID_EXIT", "Exit", [] {
        if (Host())
            Host()->ExitProgram();
    }));
}

void SparamWindow::BuildControls()
{
    auto* outer = new QVBoxLayout(Body());
    outer->setContentsMargins(4, 4, 4, 4);
    outer->addWidget(toolbar_);

    auto* split = new QSplitter(Qt::Horizontal, Body());
    outer->addWidget(split, 1);

    controls_ = new QWidget(split);
    auto* left = new QVBoxLayout(controls_);
    left->setContentsMargins(0, 0, 0, 0);
    left->setSpacing(4);

    auto* fraDataSets = new QGroupBox("Select or Compare", controls_);
    fraDataSets->setObjectName("fraDataSets");
    auto* dl = new QVBoxLayout(fraDataSets);
    for (int i = 0; i < 3; ++i) {
        auto* c = new QCheckBox(QString("Data Set #%1").arg(i + 1), fraDataSets);
        c->setObjectName(QString("chkDataSets(%1)").arg(i));
        dl->addWidget(c);
        chkDataSets_[std::size_t(i)] = c;
    }
    left->addWidget(fraDataSets);

    auto* heading = new QLabel("Select Parameters to Display:", controls_);
    heading->setObjectName("lblTreeHeading");
    left->addWidget(heading);
    tree_ = new QTreeWidget(controls_);
    tree_->setObjectName("SSTree");
    tree_->setHeaderHidden(true);
    tree_->setMinimumHeight(120);
    tree_->setMinimumWidth(220);
    connect(tree_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item, int) { TreeClicked(item); });
    left->addWidget(tree_, 1);

    auto* fraDisplay = new QGroupBox("Display Type", controls_);
    fraDisplay->setObjectName("fraDisplay");
    auto* gl = new QGridLayout(fraDisplay);
    auto* displayGroup = new QButtonGroup(this);
    for (int i = 0; i < kDisplayTypes; ++i) {
        auto* o = new QRadioButton(Q(kDisplayCaptions[i]), fraDisplay);
        o->setObjectName(QString("optDisplay(%1)").arg(i));
        displayGroup->addButton(o, i);
        gl->addWidget(o, i / 2, i % 2);
        optDisplay_[std::size_t(i)] = o;
        connect(o, &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                DisplayTypeChosen(i);
        });
    }
    left->addWidget(fraDisplay);

    auto* fraFreq = new QGroupBox("Frequency (MHz)", controls_);
    fraFreq->setObjectName("fraFreq");
    auto* fl = new QGridLayout(fraFreq);
    const char* const modes[3] = {"Start-Stop", "Center-Span", "Single"};
    auto* freqGroup = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        auto* o = new QRadioButton(modes[i], fraFreq);
        o->setObjectName(QString("optFreq(%1)").arg(i));
        freqGroup->addButton(o, i);
        fl->addWidget(o, 0, i);
        optFreq_[std::size_t(i)] = o;
        connect(o, &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                SetGridMode(i);
        });
    }
    auto row = [&](int r, const char* labelName, const char* boxName, const char* text, QLabel*& label) {
        label = new QLabel(fraFreq);
        label->setObjectName(labelName);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* box = new QLineEdit(LocalNumber(text), fraFreq);
        box->setObjectName(boxName);
        SetFieldBackground(box, kFieldNormal);
        WhiteOnTyping({box});
        fl->addWidget(label, r, 0);
        fl->addWidget(box, r, 1, 1, 2);
        return box;
    };
    txtStart_ = row(1, "lblStart", "txtStart", "1000", lblStart_);
    txtStop_ = row(2, "lblStop", "txtStop", "6000", lblStop_);
    txtStep_ = row(3, "lblStep", "txtStep", "250", lblStep_);
    optFreq_[0]->setChecked(true);
    left->addWidget(fraFreq);

    auto* cmdCalc = new QPushButton("Calculate  [F4]", controls_);
    cmdCalc->setObjectName("cmdCalc");
    connect(cmdCalc, &QPushButton::clicked, this, &SparamWindow::Calculate);
    left->addWidget(cmdCalc);

    auto* right = new QWidget(split);
    auto* rl = new QVBoxLayout(right);
    rl->setContentsMargins(0, 0, 0, 0);
    lblExampleTitle_ = new QLabel(right);
    lblExampleTitle_->setObjectName("lblExampleTitle");
    QFont bold = lblExampleTitle_->font();
    bold.setBold(true);
    lblExampleTitle_->setFont(bold);
    lblExampleText_ = new QLabel(right);
    lblExampleText_->setObjectName("lblExampleText");
    lblExampleText_->setWordWrap(true);
    lblExampleTitle_->hide();
    lblExampleText_->hide();
    rl->addWidget(lblExampleTitle_);
    rl->addWidget(lblExampleText_);

    displays_ = new QStackedWidget(right);
    displays_->setObjectName("fraDisplays");
    rtbFileViewer_ = new QPlainTextEdit(displays_);
    rtbFileViewer_->setObjectName("rtbFileViewer");
    rtbFileViewer_->setReadOnly(true);
    rtbFileViewer_->setLineWrapMode(QPlainTextEdit::NoWrap);
    rtbFileViewer_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    grdTabular_ = new QTableWidget(displays_);
    grdTabular_->setObjectName("grdTabular");
    grdTabular_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdTabular_->verticalHeader()->hide();
    peRectPlot_ = new QChartView(displays_);
    peRectPlot_->setObjectName("peRectPlot");
    peRectPlot_->setRenderHint(QPainter::Antialiasing);
    peRectPlot_->setRubberBand(QChartView::RectangleRubberBand);
    peSmith_ = new SmithChart(displays_);
    peSmith_->setObjectName("peSmith");
    pePolar_ = new QChartView(displays_);
    pePolar_->setObjectName("pePolar");
    pePolar_->setRenderHint(QPainter::Antialiasing);
    peSmithCircles_ = new SmithChart(displays_);
    peSmithCircles_->setObjectName("peSmithCircles");
    for (QWidget* w : std::initializer_list<QWidget*>{rtbFileViewer_, grdTabular_, peRectPlot_, peSmith_, pePolar_,
                                                      peSmithCircles_})
        displays_->addWidget(w);
    rl->addWidget(displays_, 1);
    lblCursor_ = new QLabel(right);
    lblCursor_->setObjectName("lblCursor");
    lblCursor_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    rl->addWidget(lblCursor_);
    for (SmithChart* s : {peSmith_, peSmithCircles_})
        connect(s, &SmithChart::CursorReadout, lblCursor_, &QLabel::setText);

    split->addWidget(controls_);
    split->addWidget(right);
    split->setStretchFactor(0, 0);
    split->setStretchFactor(1, 1);
}

void SparamWindow::SetGridMode(int mode)
{
    lblStart_->setText(kGridLabels[mode][0]);
    lblStop_->setText(kGridLabels[mode][1]);
    lblStep_->setText(kGridLabels[mode][2]);
    const bool single = mode == 2;
    for (QWidget* w : std::initializer_list<QWidget*>{lblStop_, lblStep_, txtStop_, txtStep_})
        w->setVisible(!single);
}

void SparamWindow::DisplayTypeChosen(int)
{
    RebuildTree();
}

// ---- Data sets -----------------------------------------------------------------------------

void SparamWindow::OpenFileDialog(int slot)
{
    const QString path = AskOpenFileName(this, "Open S1P or S2P files", lastFolder_, "S-Parameter Files (*.s1p *.s2p)");
    if (!path.isEmpty())
        LoadFile(slot, path);
}

QString SparamWindow::DriveDataSetJson(int slot) const
{
    if (slot < 1 || slot > 3)
        return QString();
    const DataSet& d = slots_[slot];
    if (!d.loaded)
        return "\"loaded\":false";
    // Stored values are single precision: seven figures show all they hold.
    auto num = [](float v) { return drive::JsonNumber(double(v), 7); };
    auto list = [](const QStringList& items) { return "[" + items.join(',') + "]"; };
    QStringList freq, pairs, noise;
    // The pairs in the file's own order: S11, or S11 S21 S12 S22.
    const std::vector<int> order = d.ports == 1 ? std::vector<int>{SIndex(1, 1)}
                                                : std::vector<int>{SIndex(1, 1), SIndex(2, 1), SIndex(1, 2), SIndex(2, 2)};
    for (std::size_t k = 0; k < d.Points(); ++k) {
        freq << num(d.freq[k]);
        QStringList row;
        for (int s : order)
            row << list({num(d.first[std::size_t(s)][k]), num(d.second[std::size_t(s)][k])});
        pairs << list(row);
    }
    for (std::size_t k = 0; k < d.NoisePoints(); ++k)
        noise << list({num(d.noiseFreq[k]), num(d.nfMinDb[k]), num(d.gammaOptMag[k]), num(d.gammaOptAng[k]), num(d.rn[k])});
    return QString("\"loaded\":true,\"file\":%1,\"ports\":%2,\"format\":%3,\"unit\":%4,\"z0\":%5,"
                   "\"points\":%6,\"noisePoints\":%7,\"freq\":%8,\"pairs\":%9,\"noise\":%10")
        .arg(drive::JsonString(Q(d.fileName)))
        .arg(d.ports)
        .arg(drive::JsonString(Q(d.numberFormat)), drive::JsonString(Q(d.frequencyUnit)), num(d.referenceImpedance))
        .arg(d.Points())
        .arg(d.NoisePoints())
        .arg(list(freq), list(pairs), list(noise));
}

void SparamWindow::LoadFile(int slot, const QString& path)
{
    Guarded([&] { LoadFileNow(slot, path); });
}

void SparamWindow::LoadFileNow(int slot, const QString& path)
{
    if (slot < 1 || slot > 3)
        return;
    QString full = path;
    if (QFileInfo(path).isRelative() && !QFileInfo::exists(path) && QFileInfo::exists(ProgramFile(path)))
        full = ProgramFile(path);
    const QFileInfo info(full);
    lastFolder_ = info.absolutePath();
    const std::string fullStd = info.absoluteFilePath().toStdString();
    const LoadResult r = GetSnpFile(FileNameOfPath(fullStd), slot, fullStd, slots_);
    if (!r.ok)
        ShowMessageBox(this, Q(r.title), Q(r.text), r.icon);
    chkDataSets_[std::size_t(slot - 1)]->setChecked(r.ok);
    if (!r.ok && textSlot_ == slot)
        textSlot_ = 0;
    // Loaded again or emptied, the slot no longer holds what the display was drawn from.
    if (shown_[std::size_t(slot - 1)])
        ClearDisplay();
    RefreshDataSetControls();
    RebuildTree();
}

void SparamWindow::RefreshDataSetControls()
{
    for (int i = 0; i < 3; ++i) {
        const DataSet& d = slots_[i + 1];
        QCheckBox* c = chkDataSets_[std::size_t(i)];
        c->setEnabled(!d.IsEmpty());
        if (d.IsEmpty()) {
            c->setChecked(false);
            c->setText(QString("Data Set #%1").arg(i + 1));
            c->setToolTip(QString());
        } else {
            c->setText(QString("Data Set #%1:  %2").arg(i + 1).arg(Q(d.fileName)));
            c->setToolTip(Q(d.folder));
        }
    }
}

std::vector<int> SparamWindow::CheckedSets() const
{
    std::vector<int> out;
    for (int i = 0; i < 3; ++i)
        if (chkDataSets_[std::size_t(i)]->isChecked() && !slots_[i + 1].IsEmpty())
            out.push_back(i + 1);
    return out;
}

// ---- The tree ------------------------------------------------------------------------------

void SparamWindow::RebuildTree()
{
    tree_->clear();
    const DisplayType type = CurrentDisplay();
    auto item = [](QTreeWidgetItem* parent, const QString& text, const QString& key) {
        auto* it = new QTreeWidgetItem(parent, QStringList{text});
        it->setData(0, kKeyRole, key);
        return it;
    };
    if (type == DisplayType::None) {
        auto* dummy = new QTreeWidgetItem(tree_, QStringList{"Select a Display Type"});
        dummy->setData(0, kKeyRole, Q(kDummyKey));
        return;
    }
    if (type == DisplayType::Text) {
        auto* files = new QTreeWidgetItem(tree_, QStringList{"SnP Data Files"});
        files->setData(0, kKeyRole, Q(kDataFilesKey));
        for (int slot = 1; slot <= 3; ++slot) {
            const DataSet& d = slots_[slot];
            if (d.IsEmpty())
                continue;
            auto* n = item(files, QString("Data Set #%1:  %2").arg(slot).arg(Q(d.fileName)),
                           QString::fromStdString(DataSetNodeKey(slot)));
            n->setCheckState(0, textSlot_ == slot ? Qt::Checked : Qt::Unchecked);
            n->setFlags(n->flags() & ~Qt::ItemIsUserCheckable);
        }
        files->setExpanded(true);
        return;
    }
    const auto& chosen = chosen_[std::size_t(type)];
    for (const CategoryNode& c : NodesOf(type)) {
        auto* cat = new QTreeWidgetItem(tree_, QStringList{Q(c.text)});
        cat->setData(0, kKeyRole, Q(c.key));
        for (const ParamNode& n : c.nodes) {
            auto* it = item(cat, Q(n.text), Q(n.key));
            it->setCheckState(0, chosen.count(std::string(n.key)) ? Qt::Checked : Qt::Unchecked);
            // The whole row toggles, so the box itself is not a second, separate switch.
            it->setFlags(it->flags() & ~Qt::ItemIsUserCheckable);
        }
        cat->setExpanded(true);
    }
}

void SparamWindow::TreeClicked(QTreeWidgetItem* item)
{
    if (!item || !item->parent())
        return;  // category nodes only fold
    const std::string key = item->data(0, kKeyRole).toString().toStdString();
    const DisplayType type = CurrentDisplay();
    if (type == DisplayType::Text) {
        // One file is viewed at a time.
        textSlot_ = SlotOfDataSetKey(key);
        RebuildTree();
        return;
    }
    if (type == DisplayType::None)
        return;
    auto& chosen = chosen_[std::size_t(type)];
    const bool on = !chosen.count(key);
    if (on)
        chosen.insert(key);
    else
        chosen.erase(key);
    item->setCheckState(0, on ? Qt::Checked : Qt::Unchecked);
}

std::vector<const ParamNode*> SparamWindow::ChosenNodes() const
{
    std::vector<const ParamNode*> out;
    const DisplayType type = CurrentDisplay();
    if (type == DisplayType::None || type == DisplayType::Text)
        return out;
    // In the tree's order, so that columns and legends read like the tree.
    for (const CategoryNode& c : NodesOf(type))
        for (const ParamNode& n : c.nodes)
            if (chosen_[std::size_t(type)].count(std::string(n.key)))
                out.push_back(&n);
    return out;
}

// ---- Checks and calculation ----------------------------------------------------------------

bool SparamWindow::RunChecks()
{
    auto refuse = [this](const QString& title, const QString& text) {
        ShowMessageBox(this, title, text, MsgIcon::Exclamation);
        return false;
    };
    if (std::all_of(slots_.sets.begin(), slots_.sets.end(), [](const DataSet& d) { return d.IsEmpty(); }))
        return refuse("No files loaded", "You must load at least one SnP data file ");
    const std::vector<int> sets = CheckedSets();
    if (sets.empty())
        return refuse("No data sets selected", "You must select at least one set of data to analyze ");
    const DisplayType type = CurrentDisplay();
    if (type == DisplayType::Text && (textSlot_ == 0 || slots_[textSlot_].IsEmpty()))
        return refuse(QString(), "Click a data set in the \"Select Parameters to Display\" tree to view a file, or "
                                 "select a different Display Type ");
    if (type == DisplayType::None)
        return refuse("No Display Type selected", "Please select a Display Type ");
    if (type == DisplayType::Text)
        return true;
    const auto nodes = ChosenNodes();
    if (nodes.empty())
        return refuse("No parameters selected", "You must select at least one parameter analyze ");
    if (type == DisplayType::Rectangular) {
        std::vector<std::string_view> keys;
        for (const ParamNode* n : nodes)
            keys.push_back(n->key);
        if (!OneCategory(keys))
            return refuse("Plot error", "Only one category of parameters per rectangular plot, please. \n"
                                        "(Multiple parameters within each category OK)");
    }
    if (sets.size() * nodes.size() > kMaxCurves)
        return refuse(QString(), "Maximum number of (Data Sets) x (Parameters) is 60.   Please deselect some Data "
                                 "Sets or Parameters.");
    const float z0 = slots_[sets.front()].referenceImpedance;
    for (int s : sets)
        if (slots_[s].referenceImpedance != z0)
            return refuse("Incompatible Snp files", "Cannot compare SnP files with mixed characteristic impedances ");
    return true;
}

bool SparamWindow::ReadGrid(std::vector<float>& grid, float& single)
{
    constexpr double kTop = 1e7;  // MHz: far above any measured S-parameter file
    const int mode = optFreq_[1]->isChecked() ? 1 : optFreq_[2]->isChecked() ? 2 : 0;
    if (!CheckInput(txtStart_, 0.0, kTop, true))
        return false;
    single = float(FieldValue(txtStart_));
    if (CurrentDisplay() == DisplayType::SmithCircles || mode == 2) {
        grid = {single};
        return true;
    }
    if (mode == 0) {
        if (!CheckInput(txtStop_, 0.0, kTop, true) || !CheckInput(txtStep_, 1e-9, kTop))
            return false;
        if (FieldValue(txtStop_) < FieldValue(txtStart_)) {
            FlagInvalidInput(txtStop_, "The stop frequency must not lie below the start frequency.");
            return false;
        }
        grid = StartStopGrid(float(FieldValue(txtStart_)), float(FieldValue(txtStop_)), float(FieldValue(txtStep_)));
    } else {
        if (!CheckInput(txtStop_, 0.0, kTop, true) || !CheckInput(txtStep_, 1, 1e6))
            return false;
        const int points = int(FieldValue(txtStep_));
        const CenterSpanGrid g = MakeCenterSpanGrid(single, float(FieldValue(txtStop_)), points);
        // An even number of points is raised by one so that the center is a grid point.
        if (g.points != points)
            txtStep_->setText(QString::number(g.points));
        grid = g.freq;
    }
    if (grid.empty()) {
        FlagInvalidInput(txtStep_, "This grid has no frequency points.");
        return false;
    }
    return true;
}

void SparamWindow::Calculate()
{
    Guarded([this] { CalculateNow(); });
}

void SparamWindow::Guarded(const std::function<void()>& work)
{
    QString title = "Not enough memory";
    QString text;
    try {
        work();
        return;
    } catch (const std::bad_alloc&) {
        text = "There is not enough memory for this. Try a coarser frequency grid, or fewer data sets or "
               "parameters.";
    } catch (const std::exception& e) {   // a thread that could not be started, and the like
        title = "Unexpected error";
        text = QString::fromLocal8Bit(e.what());
    }
    ClearDisplay();
    ShowMessageBox(this, title, text, MsgIcon::Exclamation);
}

void SparamWindow::ClearDisplay()
{
    shown_ = {};
    rtbFileViewer_->clear();
    grdTabular_->clear();
    grdTabular_->setRowCount(0);
    grdTabular_->setColumnCount(0);
    grdTabular_->setProperty("text", QString());
    for (QChartView* view : {peRectPlot_, pePolar_}) {
        QChart* old = view->chart();
        view->setChart(new QChart);
        delete old;
    }
    peSmith_->Clear();
    peSmithCircles_->Clear();
    lblCursor_->clear();
    ApplyChartOptions();
}

void SparamWindow::CalculateNow()
{
    // An example's explanation belongs to the example's own display only.
    if (!inExample_)
        ShowExampleText(QString(), QString());
    BeginCalculation();
    if (!RunChecks())
        return;
    const DisplayType type = CurrentDisplay();
    lblCursor_->clear();
    if (type == DisplayType::Text) {
        ShowText();
        shown_ = {};
        shown_[std::size_t(textSlot_ - 1)] = true;
        ShowNormalStatus();
        return;
    }
    std::vector<float> grid;
    float single = 0.0f;
    if (!ReadGrid(grid, single))
        return;
    if (type == DisplayType::SmithCircles) {
        for (QLineEdit* e : {numberGain_, numberNoise_})
            if (!CheckInput(e, 0, 20, true))
                return;
        for (QLineEdit* e : {gainSpacing_, noiseSpacing_})
            if (!CheckInput(e, 0.01, 100))
                return;
    }
    const std::vector<int> numbers = CheckedSets();
    std::vector<GridSet> sets;
    sets.reserve(numbers.size());
    QString fault;
    for (int n : numbers) {
        sets.push_back(InterpolateDataSet(slots_[n], grid));
        if (!sets.back().fault.empty())
            fault = Q(sets.back().fault);
    }
    switch (type) {
    case DisplayType::Tabular: ShowTabular(sets, numbers); break;
    case DisplayType::Rectangular: ShowRectangular(sets, numbers); break;
    case DisplayType::Smith: ShowSmith(sets, numbers); break;
    case DisplayType::Polar: ShowPolar(sets, numbers); break;
    case DisplayType::SmithCircles: ShowSmithCircles(sets, numbers); break;
    default: break;
    }
    shown_ = {};
    for (int n : numbers)
        shown_[std::size_t(n - 1)] = true;
    ShowNormalStatus();
    if (!fault.isEmpty())
        ShowFault(fault);
}

void SparamWindow::ShowText()
{
    // The file is read again, so the view shows it exactly as it is on disk now.
    const DataSet& d = slots_[textSlot_];
    std::string bytes;
    if (!ReadSnpFile(d.folder + "/" + d.fileName, bytes))
        bytes.clear();
    rtbFileViewer_->setPlainText(Q(TextForDisplay(bytes)));
    displays_->setCurrentWidget(rtbFileViewer_);
}

void SparamWindow::ShowTabular(const std::vector<GridSet>& sets, const std::vector<int>& numbers)
{
    std::vector<TabularColumnSource> sources;
    for (std::size_t i = 0; i < sets.size(); ++i)
        sources.push_back({numbers[i], &sets[i]});
    std::vector<Param> params;
    for (const ParamNode* n : ChosenNodes())
        params.push_back(n->param);
    const TabularText t = MakeTabular(sources, params);
    const QString text = QString::fromStdString(t.text);
    QStringList lines = text.split('\n', Qt::SkipEmptyParts);
    grdTabular_->clear();
    const QStringList head = lines.isEmpty() ? QStringList() : lines.takeFirst().split('\t');
    grdTabular_->setColumnCount(int(head.size()));
    grdTabular_->setRowCount(int(lines.size()));
    grdTabular_->setHorizontalHeaderLabels(head);
    for (int r = 0; r < lines.size(); ++r) {
        const QStringList cells = lines[r].split('\t');
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grdTabular_->setItem(r, c, item);
        }
    }
    grdTabular_->resizeColumnsToContents();
    // The whole table as the tab-separated text, headings included (copy and drive mode).
    grdTabular_->setProperty("text", text);
    displays_->setCurrentWidget(grdTabular_);
}

// ---- Options, zoom, clipboard, drops, keys --------------------------------------------------

double SparamWindow::LineWidth() const
{
    if (lightLine_->isChecked())
        return 1.0;
    if (heavyLine_->isChecked())
        return 3.0;
    return 2.0;
}

void SparamWindow::UndoZoom()
{
    if (peRectPlot_->chart())
        peRectPlot_->chart()->zoomReset();
    if (pePolar_->chart())
        pePolar_->chart()->zoomReset();
}

void SparamWindow::ToggleFullScreen()
{
    // The display takes the whole window; the choices come back with the next F9.
    fullScreen_ = !fullScreen_;
    controls_->setVisible(!fullScreen_);
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()); sub && fullScreen_)
        sub->showMaximized();
}

bool SparamWindow::IsFullScreen() const { return fullScreen_; }

void SparamWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F9) {
        ToggleFullScreen();
        return;
    }
    CalcFrame::keyPressEvent(event);
}

void SparamWindow::CopyDisplay()
{
    Guarded([this] {
        QWidget* current = displays_->currentWidget();
        if (current == grdTabular_)
            QApplication::clipboard()->setText(grdTabular_->property("text").toString());
        else if (current == rtbFileViewer_)
            QApplication::clipboard()->setText(rtbFileViewer_->toPlainText());
        else if (current)
            QApplication::clipboard()->setImage(current->grab().toImage());
    });
}

void SparamWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void SparamWindow::dropEvent(QDropEvent* event)
{
    for (const QUrl& url : event->mimeData()->urls()) {
        if (!url.isLocalFile())
            continue;
        // The first free slot, else the first one.
        int slot = 1;
        for (int s = 1; s <= 3; ++s)
            if (slots_[s].IsEmpty()) {
                slot = s;
                break;
            }
        LoadFile(slot, url.toLocalFile());
    }
    event->acceptProposedAction();
}

// ---- Examples -------------------------------------------------------------------------------

void SparamWindow::ShowExampleText(const QString& title, const QString& text)
{
    lblExampleTitle_->setText(title);
    lblExampleText_->setText(text);
    lblExampleTitle_->setVisible(!title.isEmpty());
    lblExampleText_->setVisible(!text.isEmpty());
}

void SparamWindow::LoadExample(int number)
{
    Guarded([this, number] { LoadExampleNow(number); });
}

void SparamWindow::LoadExampleNow(int number)
{
    struct Example {
        QStringList files;
        const char* start;
        const char* stop;
        const char* step;
        DisplayType display;
        std::vector<const char*> keys;
        const char* title;
        const char* text;
    };
    static const Example examples[6] = {
        {{"examples/KV-P71 PHEMT 2V 20mA.s2p"}, "1800", "2000", "20", DisplayType::Smith, {"2key SnGamma Opt"},
         "Example: Smith chart, Gamma Opt plot",
         "The optimum source reflection coefficient of the KV-P71 PHEMT at 2 V, 20 mA from 1800 to 2000 MHz. "
         "Present this source to the transistor and it reaches its minimum noise figure; move the mouse over the "
         "chart to read the normalised impedance the input match must turn 50 ohms into."},
        {{"examples/KV-P71 PHEMT 2V 20mA.s2p"}, "2400", "10000", "500", DisplayType::SmithCircles,
         {"2key CGain Circles In", "2key CnNoise Circles"}, "Example: Noise and Gain circles",
         "Input gain circles and noise circles of the KV-P71 PHEMT at 2400 MHz (the first frequency box). Where "
         "a gain circle and a noise circle touch, the source gives that gain at that noise figure; set the number "
         "and spacing of the circles in the toolbar."},
        {{"examples/Diff Zc.s2p", "examples/Diff Za.s2p"}, "800", "1200", "50", DisplayType::Tabular,
         {"2key SDiff Z"}, "Example: Differential 1-port impedance",
         "Two measurements of a balanced antenna feed, each made as a two-port with one port on each side of the "
         "balanced pair. Diff Z is the impedance between the two ports driven in anti-phase, the load a "
         "differential amplifier or a balun sees (resistance, reactance in ohms)."},
        {{"examples/3v10ma.s2p"}, "100", "6000", "100", DisplayType::Rectangular,
         {"2key K", "2key KB1", "2key KMu1"}, "Example: Stability analysis",
         "The KV-B20 silicon bipolar transistor at 3 V, 10 mA. Where K stays above 1 with B1 positive, or u1 above "
         "1, the transistor is unconditionally stable and any passive source and load are safe; below that, see "
         "the stability circles (display type SmithCircles). Its gain Gt is plotted by choosing the Gain "
         "category on its own."},
        {{"examples/3v5ma.s2p", "examples/3v10ma.s2p", "examples/3v20ma.s2p"}, "100", "3000", "100",
         DisplayType::Rectangular, {"2key FGain Flatness"},
         "Example: Comparing the same device under different conditions.",
         "The KV-B20 bipolar transistor at 5, 10 and 20 mA collector current, 3 V: its gain and its flatness "
         "over the band rise with the current, as the transition frequency does."},
        {{"examples/KV-P71 PHEMT 2V 20mA.s2p"}, "1000", "6000", "250", DisplayType::Text, {},
         "Example:  Viewing an S-parameter file.",
         "The file of data set 1 exactly as it is written: the option line (#), comments (!), the S-parameters "
         "and the noise block that follows them."},
    };
    if (number < 1 || number > 6)
        return;
    const Example& e = examples[number - 1];
    for (int s = 1; s <= 3; ++s)
        slots_[s] = DataSet{};
    ClearDisplay();
    textSlot_ = 0;
    for (int i = 0; i < e.files.size(); ++i)
        LoadFile(i + 1, e.files[i]);
    optFreq_[0]->setChecked(true);
    txtStart_->setText(LocalNumber(e.start));
    txtStop_->setText(LocalNumber(e.stop));
    txtStep_->setText(LocalNumber(e.step));
    auto& chosen = chosen_[std::size_t(e.display)];
    chosen.clear();
    for (const char* k : e.keys)
        chosen.insert(k);
    if (e.display == DisplayType::Text)
        textSlot_ = 1;
    optDisplay_[std::size_t(e.display)]->setChecked(true);
    RebuildTree();
    ShowExampleText(e.title, e.text);
    inExample_ = true;
    Calculate();
    inExample_ = false;
}

} // namespace korvel::ui
