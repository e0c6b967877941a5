#include "shell/MDITAR.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSessionManager>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "kernel/DataFile.h"
#include "kernel/DataSet.h"
#include "kernel/ModelDefaults.h"
#include "kernel/State.h"
#include "kernel/Utilities.h"
#include "platform/Help.h"
#include "platform/Twips.h"
#include "platform/WindowRegistry.h"
#include "platform/core/MsgBox.h"
#include "platform/core/NumberFormat.h"
#include "platform/core/RunningLoops.h"
#include "platform/core/TextFile.h"
#include "shell/DataSaveQuestion.h"
#include "shell/EvaluationMenus.h"
#include "shell/FileChoice.h"
#include "shell/HelpEntries.h"
#include "shell/ProjectFile.h"
#include "shell/ProtocolName.h"
#include "shell/WindowMenus.h"
#include "shell/WrappingMenuBar.h"
#include "shell/frmPhantomT.h"
#include "shell/frmProtokoll.h"

namespace {

// The phantom window lives in this library; registering it here keeps it linked in.
const platform::FormRegistration phantomRegistration("frmPhantomT", platform::FormKind::MdiChild,
                                                     [] { return new frmPhantomT; });

MDITAR* defaultInstance = nullptr;

constexpr int kToolbarButtons = 36;
constexpr int kColorWhite = 0xFFFFFF;  // colour 15 of the 16-colour palette
constexpr int kPureBlue = 0xFF0000;    // RGB Long: red in the lowest byte
constexpr int kPureRed = 0x0000FF;

// Help context ids of the help entries and the two introduction buttons.
constexpr int kHelpAbout = 10260, kHelpIndex = 10270, kHelpTips = 11124;
constexpr int kHelpFirstSteps = 11223, kHelpExercises = 11225;

std::string JoinPath(const std::string& dir, const std::string& name) {
    if (dir.empty()) return name;
    const char last = dir.back();
    return (last == '/' || last == '\\') ? dir + name : dir + "/" + name;
}

std::string DirectoryOf(const std::string& path) {
    const auto pos = path.find_last_of("/\\");
    return pos == std::string::npos ? std::string() : path.substr(0, pos);
}

std::string FileNamePart(const std::string& path) {
    const auto pos = path.find_last_of("/\\");
    return pos == std::string::npos ? path : path.substr(pos + 1);
}

std::string Upper(const std::string& s) { return QString::fromStdString(s).toUpper().toStdString(); }

bool LoadDataFile(const std::string& fileName) {
    int append = kernel::kFalse;
    int loaded = kernel::kFalse;
    kernel::LoadExpFile(fileName, append, loaded);
    return loaded != kernel::kFalse;
}

void ShowIfRegistered(const char* name) {
    if (platform::Windows().IsRegistered(name)) platform::Windows().Show(name);
}

// Child windows open at positions derived from the screen size (the model window at the right
// screen edge, the diagram beside the calculation window); the work area is smaller than the
// screen by the frame, menu and tool bar. When a child opens, it is moved back just far enough
// that it lies inside the visible work area (top-left corner first when it is larger). The work
// area may shrink after that, when the desktop maximizes the frame after showing it (its borders
// and title take a few pixels) or the user makes it smaller: the children that lay wholly inside
// are fitted again then; one the user has moved partly out stays where it is.
class KeepChildInView : public QObject {
public:
    // Watches the area's viewport for its shrinking; each child is watched as it is added.
    explicit KeepChildInView(QMdiArea* area) : QObject(area), area_(area), viewport_(area->viewport()) {
        viewport_->installEventFilter(this);
    }

    static void Fit(QMdiSubWindow* sub) {
        QMdiArea* area = sub ? sub->mdiArea() : nullptr;
        if (!area || !sub->isVisible() || sub->isMaximized() || sub->isMinimized()) return;
        const QRect view = area->viewport()->rect();
        QPoint pos = sub->pos();
        if (pos.x() + sub->width() > view.width()) pos.setX(view.width() - sub->width());
        if (pos.y() + sub->height() > view.height()) pos.setY(view.height() - sub->height());
        pos.setX(std::max(0, pos.x()));
        pos.setY(std::max(0, pos.y()));
        if (pos != sub->pos()) sub->move(pos);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // The viewport is compared by its address only: it sends events while the area is being destroyed.
        if (watched == viewport_) {
            const auto* resize = event->type() == QEvent::Resize ? static_cast<QResizeEvent*>(event) : nullptr;
            if (resize && (resize->size().width() < resize->oldSize().width() ||
                           resize->size().height() < resize->oldSize().height()))
                for (QMdiSubWindow* sub : area_->subWindowList())
                    if (QRect(QPoint(0, 0), resize->oldSize()).contains(sub->geometry())) Fit(sub);
            return false;
        }
        if (event->type() == QEvent::Show) {
            // After the window has placed itself, and after a frame that is being shown
            // maximized has taken its final size.
            QPointer<QMdiSubWindow> sub = qobject_cast<QMdiSubWindow*>(watched);
            QTimer::singleShot(0, this, [sub] { Fit(sub); });
        }
        return false;
    }

private:
    QMdiArea* area_;
    QObject* viewport_;
};

// Keeps the widgets it watches from showing a tool tip.
class SwallowToolTip : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* event) override { return event->type() == QEvent::ToolTip; }
};

}  // namespace

MDITAR* MDITAR::Instance() { return defaultInstance; }

MDITAR::MDITAR(const std::string& commandLine, QWidget* parent) : QMainWindow(parent) {
    setObjectName("MDITAR");
    setWindowTitle("TARVELO");
    defaultInstance = this;

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    BuildIntroButtons();
    layout->addWidget(picture2_);
    mdiArea_ = new QMdiArea(central);
    mdiArea_->setObjectName("mdiArea");
    // With scroll bars the work area does not grow to its largest child: on a small screen the frame
    // still fits the screen, and a child larger than the area is reached by scrolling.
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    layout->addWidget(mdiArea_, 1);
    setCentralWidget(central);
    BuildMenus();
    shell::BuildWindowMenus(this);
    shell::BuildEvaluationMenus(this);
    shell::BuildHelpEntries(this);
    BuildToolbar();
    // The window positions of the system are derived from the screen size, so the frame takes the
    // whole screen, with its final size already before it is shown (the windows opened at start-up
    // are fitted into it).
    const QScreen* screen = QGuiApplication::primaryScreen();
    resize(screen ? screen->availableGeometry().size() : QSize(1024, 740));
    setWindowState(windowState() | Qt::WindowMaximized);

    platform::Windows().Adopt("MDITAR", this);
    auto* keeper = new KeepChildInView(mdiArea_);
    platform::Windows().SetMainWindow(this, [this, keeper](QWidget* form) {
        QMdiSubWindow* sub = mdiArea_->addSubWindow(form);
        if (sub) sub->installEventFilter(keeper);
        return sub;
    });

    // The desktop logging out runs the same shut-down; a cancelled data question cancels the logout.
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
        if (!close()) manager.cancel();
    });

    MDIForm_Load(commandLine);
}

MDITAR::~MDITAR() {
    if (defaultInstance == this) {
        defaultInstance = nullptr;
        // Windows opened after this frame is gone are plain top-level windows again.
        platform::Windows().SetMainWindow(nullptr, {});
    }
}

QAction* MDITAR::AddEntry(QMenu* menu, const char* name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

void MDITAR::BuildMenus() {
    // Entries that do not fit a narrow screen go on in a second row.
    setMenuBar(new shell::WrappingMenuBar(this));
    QMenuBar* bar = menuBar();
    auto addMenu = [&](const char* name, const QString& caption) {
        QMenu* menu = bar->addMenu(caption);
        menu->setObjectName(name);
        menu->menuAction()->setObjectName(name);
        menus_[name] = menu;
        return menu;
    };
    QMenu* daten = addMenu("mnuDaten", "&Daten");
    connect(AddEntry(daten, "mnuLoadLastSession", "letzte Sitzung laden"), &QAction::triggered, this,
            [this] { mnuLoadLastSession_Click(); });
    connect(AddEntry(daten, "mnuLoadProject", "existierendes Projektfile laden"), &QAction::triggered, this,
            [this] { mnuLoadProject_Click(); });
    connect(AddEntry(daten, "mnuSaveProject", "aktuelles Projekt speichern unter..."), &QAction::triggered, this,
            [this] { mnuSaveProject_Click(); });
    connect(AddEntry(daten, "mnuStatus", "Info Projekt-Status"), &QAction::triggered, this,
            [this] { mnuStatus_Click(); });
    daten->addSeparator()->setObjectName("sep10");
    // The data editors' entries are served by their windows' menu handlers.
    AddEntry(daten, "mnuNeudat", "Editor exper. Daten   NEU (Eingabe / Laden)");
    AddEntry(daten, "mnuEditDat", "Editor exper. Daten   Sichten / Editieren / Speichern");
    daten->addSeparator()->setObjectName("sep6");
    AddEntry(daten, "mnuEditXY", "XY-Editor   (XY-Daten eingeben | laden)");
    daten->addSeparator()->setObjectName("sep7");
    // Exit closes the window, whose close handling runs the shut-down.
    connect(AddEntry(daten, "mnuExit", "Exit"), &QAction::triggered, this, [this] { close(); });

    QAction* model = bar->addAction("kinetisches &Modell");
    model->setObjectName("mnuModel");
    addMenu("mnuAuswertung", "&Versuchsauswertung / Fitting");
    addMenu("mnuGraph", "Dia&gramme c-t  |  r-t");
    addMenu("mnuReaktor", "&Reaktoren");
    addMenu("mnuVerweilzeit", "Verweil&zeit");
    addMenu("mnuMonteCarlo", "\"Monte-&Carlo\"-Simulation");
    QMenu* options = addMenu("mnuOptionenTools", "&Optionen");
    options->menuAction()->setVisible(false);
    AddEntry(options, "mnuOption", "Optionen");
    options->addSeparator()->setObjectName("sep9");
    AddEntry(options, "mnuToolArrhenius", "ARRHENIUS-Rechner");
    AddEntry(options, "mnuToolEyring", "EYRING-Rechner");
    addMenu("mnuFenster", "&Fenster");

    QMenu* help = addMenu("mnuHelp", "&Info/Hilfe...");
    connect(AddEntry(help, "mnuAboutTar", QString::fromUtf8("über dieses Programm")), &QAction::triggered, this,
            [] { platform::ShowHelpContext(kHelpAbout); });
    help->addSeparator()->setObjectName("strich1");
    connect(AddEntry(help, "mnuIndex", "Hilfe zur Hilfe; Hilfe-Index"), &QAction::triggered, this,
            [] { platform::ShowHelpContext(kHelpIndex); });
    connect(AddEntry(help, "mnuHilfeHinweis", "Hinweis zur HTML-Hilfe"), &QAction::triggered, this, [] {
        platform::MsgBox("Die umfangreiche HTML-Hilfe ist ein wichtiger\r\nBestandteil des Programms.\r\n\r\n"
                         "Wenn die Hilfe nicht funktionieren sollte:\r\n"
                         "   Überprüfen Sie zuerst, ob die Hilfe-Datei tarvelo.qch\r\n"
                         "   im TARVELO-Arbeitsverzeichnis existiert.\r\n\r\n"
                         "   Fehlt sie dort oder ist sie nicht lesbar,\r\n"
                         "   installieren Sie das Programm neu. ",
                         platform::MsgExclamation, "Hinweis zur HTML-Hilfe");
    });
    connect(AddEntry(help, "mnuTip", "Tipps und Tricks zeigen"), &QAction::triggered, this,
            [] { platform::ShowHelpContext(kHelpTips); });
    help->addSeparator()->setObjectName("strich");
    connect(AddEntry(help, "mnuProjektInfo", "Projekt-Info"), &QAction::triggered, this,
            [this] { mnuProjektInfo_Click(); });
}

void MDITAR::BuildToolbar() {
    toolbar_ = addToolBar("Toolbar1");
    toolbar_->setObjectName("Toolbar1");
    toolbar_->setMovable(false);
    struct Button {
        int index;
        const char* text;
        const char* tip;
        QStyle::StandardPixmap icon;
    };
    // Buttons with an action; the other indices of the 36 are separators or buttons without one.
    static const Button buttons[] = {
        {2, "Neu", "", QStyle::SP_FileIcon},
        {4, "Sitzung", " letzte Sitzung laden ", QStyle::SP_BrowserReload},
        {6, "Projekt", " existierendes Projekt laden ", QStyle::SP_DialogOpenButton},
        {8, "Speichern", " aktuelles Projekt speichern ", QStyle::SP_DialogSaveButton},
        {14, "Daten neu", " exper. Daten NEU  laden/eingeben ", QStyle::SP_FileDialogNewFolder},
        {16, "Daten", " exper. Daten editieren ", QStyle::SP_FileDialogDetailedView},
        {23, "Arrhenius", " ARRHENIUS-Rechner ", QStyle::SP_CustomBase},
        {25, "Eyring", " EYRING-Rechner ", QStyle::SP_CustomBase},
        {29, "X-Y", "  X-Y-Editor ", QStyle::SP_CustomBase},
        {36, "Info", " Projekt-Info  ", QStyle::SP_MessageBoxInformation},
    };
    auto* noTip = new SwallowToolTip(this);
    int previous = 0;
    for (const Button& b : buttons) {
        if (previous && b.index - previous > 2) toolbar_->addSeparator();
        QAction* action = toolbar_->addAction(QString::fromUtf8(b.text));
        if (b.icon != QStyle::SP_CustomBase) action->setIcon(style()->standardIcon(b.icon));
        action->setObjectName(QString("Toolbar1(%1)").arg(b.index));
        action->setToolTip(QString::fromUtf8(b.tip));
        // A button without a tip of its own shows none (Qt would show its text as the tip).
        if (!*b.tip) toolbar_->widgetForAction(action)->installEventFilter(noTip);
        const int index = b.index;
        connect(action, &QAction::triggered, this, [this, index] { Toolbar1_ButtonClick(index); });
        toolbarButtons_[static_cast<std::size_t>(index)] = action;
        previous = b.index;
    }
    toolbar_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    toolbarTextWidth_ = toolbar_->sizeHint().width();
}

void MDITAR::BuildIntroButtons() {
    picture2_ = new QWidget;
    picture2_->setObjectName("Picture2");
    picture2_->setFixedHeight(32);
    const QString tip = QString::fromUtf8(" Einführung in das Programm TARVELO anhand von Beispielen ");
    cmdErstnutzer_ = new QPushButton("Erste Schritte", picture2_);
    cmdErstnutzer_->setObjectName("cmdErstnutzer");
    cmdUebungen_ = new QPushButton(QString::fromUtf8("Übungen"), picture2_);
    cmdUebungen_->setObjectName("cmdUebungen");
    for (QPushButton* b : {cmdErstnutzer_, cmdUebungen_}) {
        b->setToolTip(tip);
        b->setGeometry(0, 4, 150, 24);
    }
    connect(cmdErstnutzer_, &QPushButton::clicked, this, [] { platform::ShowHelpContext(kHelpFirstSteps); });
    connect(cmdUebungen_, &QPushButton::clicked, this, [] { platform::ShowHelpContext(kHelpExercises); });
}

QAction* MDITAR::ToolbarButton(int index) const {
    if (index < 1 || index > kToolbarButtons) return nullptr;
    return toolbarButtons_[static_cast<std::size_t>(index)];
}

QMenu* MDITAR::Menu(const std::string& name) const {
    const auto it = menus_.find(name);
    return it == menus_.end() ? nullptr : it->second;
}

// ---- Start-up --------------------------------------------------------------------------------

void MDITAR::MDIForm_Load(const std::string& commandLine) {
    using namespace kernel;
    RedimCurves(300);
    RegressKoeff.fill(0.0);
    KurvenPunkte.assign(2001, XYPunkt{});
    ExpDaten.assign(2, ExpPunkt{});
    nMesspunkte = 0;

    DezKomma = platform::LocaleDecimalSeparator() == ',' ? kTrue : kFalse;
    ErsterDiagrammStart = kTrue;
    SetStartPositions();
    CrLf = "\r\n";
    ProjektPfad = TabellenPfad = DatenPfad = OC2Pfad = XYPfad = AppPath;
    ToolbarButton(8)->setEnabled(false);
    ToolbarButton(16)->setEnabled(false);
    DatenIstSession = kFalse;
    ContiHinweisOffen = kTrue;
    EnzymRcsModus = kTrue;
    ZeitEinheit = "s";
    ZeitEinheitNr = 0;
    ZeitEinheitIdx = 1;
    FillTables();

    aktModell = 2;
    ReaktOrdnung = 1.5f;
    CalcModeConti = 3;
    ArrhA = 100;
    ArrhEA = 100;
    nKesselVC = 1;
    SmoothingFactor = 0;
    MitPunkten = kFalse;
    KurvenHinzufuegen = kFalse;
    FarbVorwahl = kPureBlue;
    RuehrerAnimation = kFalse;
    kTFunktion = 1;
    MMNormiert = kTrue;
    FarbeP = kPureBlue;
    FarbeA = kPureRed;
    BAKInitFlag = kTrue;
    BAKKeinAbbau = 0;
    BAKTrinkStart[1] = 0;  // the first drink starts the count
    for (int i = 2; i <= 8; ++i) BAKTrinkStart[static_cast<std::size_t>(i)] = -1;

    platform::SetHelpFile(JoinPath(AppPath, "tarvelo.qch"));
    SessionFile = JoinPath(AppPath, "TarLastSession.TC3");
    findChild<QAction*>("mnuEditDat")->setEnabled(false);
    cSmax = 0.15f;
    ProtSep = ";";
    SetAutoProtName(ProtFile);

    SetDefaultParameters();

    // The model window is a child: showing it shows the main window, maximized as at every start,
    // so that the messages of a project load below stand over the program.
    show();
    // frmKinModel comes with the simulation windows; until it exists there is nothing to show.
    ShowIfRegistered("frmKinModel");
    ShowIfRegistered("frmPhantomT");

    LoadCommandLineProject(commandLine);
    ColHeaderBack = kColorWhite;
}

void MDITAR::SetStartPositions() {
    using namespace kernel;
    const int screenWidth = platform::ScreenWidthTwips();
    const int screenHeight = platform::ScreenHeightTwips();
    PosKinModel = {screenWidth - 6600, 0};
    // Order top, left, width, height; products rounded to the nearest integer, halves to even.
    GeoGraph2D = {500, 5900, static_cast<int>(std::lrint(screenWidth * 0.55)),
                  static_cast<int>(std::lrint(screenHeight * 0.7))};
    GeoGraph2DXY = {800, 14000, 9000, 6300};
    PosArrhenius = {2500, 500};
    PosBlutalkohol = {1500, 0};
    PosTangente = {50, 900};
    PosCommentInput = {0, 0};
    PosCmnDlg = {20, 216};
    PosFitting = {80, 0};
    PosTimeDiagram = {60, 0};
    PosBatch = PosRKconti = PosRohrreaktor = {50, 0};
    PosSimTabelle = {400, 120};
    PosVerweilCalc = {120, 3000};
    PosVerweilzeit = {0, 0};
}

void MDITAR::FillTables() {
    using namespace kernel;
    // Length of each unit in seconds; the entries below the diagonal are stored as exact numbers
    // and the ones above as their reciprocals.
    static const double below[5][5] = {{1, 0, 0, 0, 0},
                                       {60, 1, 0, 0, 0},
                                       {3600, 60, 1, 0, 0},
                                       {86400, 1440, 24, 1, 0},
                                       {31536000, 525600, 8760, 365, 1}};
    for (int i = 0; i < 5; ++i) {
        for (int j = 0; j < 5; ++j) {
            if (i == j) ZeitFaktor[i][j] = 1;
            else if (i > j) ZeitFaktor[i][j] = below[i][j];
            else ZeitFaktor[i][j] = 1.0 / below[j][i];
        }
    }
    static const char* const names[21] = {"",
                                           "A => P   (n = 0)",
                                           "A => P   (n = 1)",
                                           "2A => P   (n = 2)",
                                           "A + B => P   (n = 2)",
                                           "A => P   (Autokatalyse)",
                                           "A => C => P",
                                           "A + B => C; A + C => P",
                                           "A <=> P",
                                           "A + B => C => P",
                                           "E + S <=> ES => P + E",
                                           "A => P; A => Q",
                                           "A + B <=> 2P",
                                           "A + B => C <=> P",
                                           "A => C <=> P",
                                           "A <=> C => P",
                                           "A => P + Q (Autokatalyse P)",
                                           "A + B <=> P",
                                           "A + B <=> C => P",
                                           "A + B <=> P + Q",
                                           "A => P, n-ter Ordnung "};
    for (int i = 0; i <= 20; ++i) ModellName[static_cast<std::size_t>(i)] = names[i];
}

void MDITAR::LoadCommandLineProject(const std::string& commandLine) {
    using namespace kernel;
    std::string path = commandLine;
    for (auto pos = path.find('"'); pos != std::string::npos; pos = path.find('"'))
        path = CutSubString(path, static_cast<int>(pos) + 1, 1);
    if (path.empty()) return;

    std::string dataName;
    bool ok = false;
    shell::LoadProjectFile(path, dataName, ok);
    ReloadModelWindow();
    if (!ok) return;
    KommandoZeile = path;

    if (!dataName.empty()) {
        ChangeToAppDir();
        // The data file is looked for in the program directory, then beside the project file.
        std::string dataPath = dataName;
        if (!FileExists(JoinPath(AppPath, dataName))) {
            const std::string besideProject = JoinPath(DirectoryOf(path), FileNamePart(dataName));
            // A name too long or a link loop there is not thrown but left to the reader to report.
            std::error_code ec;
            const bool there = std::filesystem::exists(besideProject, ec);
            if (!DirectoryOf(path).empty() && (there || (ec && ec != std::errc::no_such_file_or_directory)))
                dataPath = besideProject;
        }
        if (LoadDataFile(dataPath)) {
            AnalyseExpData();
            // The evaluations take c(A,0) and c(B,0) from the data, as after a menu load.
            SetC0AusMessdaten();
            DatenFile = dataPath;
            ToolbarButton(16)->setEnabled(nMesspunkte > 0);
        }
    }
    findChild<QAction*>("mnuEditDat")->setEnabled(true);
    EnableProjectCommands();
    ChangeToAppDir();
    ShowProjectStatus(DatenFile);
}

void MDITAR::EnableProjectCommands() {
    findChild<QAction*>("mnuNeudat")->setEnabled(true);
    ToolbarButton(14)->setEnabled(true);
    findChild<QAction*>("mnuSaveProject")->setEnabled(true);
    ToolbarButton(8)->setEnabled(true);
}

void MDITAR::ReloadModelWindow() {
    if (!platform::Windows().IsRegistered("frmKinModel")) return;
    platform::Windows().Unload("frmKinModel");
    platform::Windows().Show("frmKinModel");
}

void MDITAR::SetAutoProtName(std::string& name) { shell::SetAutoProtName(name); }

void MDITAR::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    // Too narrow for the captions, the buttons with a picture show only the picture (and their tip).
    if (toolbar_)
        toolbar_->setToolButtonStyle(width() >= toolbarTextWidth_ ? Qt::ToolButtonTextBesideIcon : Qt::ToolButtonIconOnly);
    MDIForm_Resize();
}

void MDITAR::MDIForm_Resize() {
    // 90 twips from the right edge, the second button 2500 twips further left.
    const int left = width() - cmdErstnutzer_->width() - platform::TwipsToPixels(90);
    cmdErstnutzer_->move(left, cmdErstnutzer_->y());
    cmdUebungen_->move(left - platform::TwipsToPixels(2500), cmdUebungen_->y());
}

// ---- Shut-down ---------------------------------------------------------------------------------

void MDITAR::closeEvent(QCloseEvent* event) {
    if (!mnuExit_Click()) {
        event->ignore();
        return;
    }
    event->accept();
    // End at once: the other windows get no close handling of their own. A run that goes on inside
    // a handler (a game, a modal wait) or on a timer (the tracer) is stopped as its "Stop" would, so
    // that its handler returns to the event loop, which then ends.
    platform::StopRunningLoops();
    QCoreApplication::exit(0);
}

bool MDITAR::mnuExit_Click() {
    using namespace kernel;
    ChangeToAppDir();
    // The X-Y editor's points live only in its window: its closing offers to save them.
    if (!platform::Windows().Unload("frmXYEdit")) return false;
    if (ExpDataChanged && nMesspunkte > 0) {
        bool cancel = false;
        shell::AskSaveExpData(DatenFile, cancel);
        if (cancel) return false;  // nothing written, the program goes on
    }
    shell::WriteProjectFile(SessionFile);
    // Rows recorded but not yet written reach the protocol file; a failed write has been reported
    // and the shut-down goes on.
    if (ProtOffen && ProtZeilen > 0 && frmProtokoll::schreibProtFileAndClose()) ProtOffen = kFalse;
    if (!ProtFile.empty()) {
        const std::string protPath = JoinPath(AppPath, ProtFile);
        std::error_code ec;
        if (std::filesystem::is_regular_file(protPath, ec) && std::filesystem::file_size(protPath, ec) == 0 && !ec)
            std::filesystem::remove(protPath, ec);
    }
    platform::CloseAllHelpWindows();
    return true;
}

// ---- Project commands -------------------------------------------------------------------------

void MDITAR::LoadProjectDialog(std::string& fileName, std::string& dataName, bool& ok, bool& cancel) {
    ok = false;
    shell::FileRequest request;
    request.caption = "Projekt laden (*.TC3)";
    request.pattern = "*.TC3";
    request.directory = kernel::ProjektPfad;
    request.proposal = fileName;
    std::string chosen;
    cancel = !shell::ChooseFileToOpen(request, chosen);
    if (cancel || chosen.empty()) return;
    shell::LoadProjectFile(chosen, dataName, ok);
    if (!ok) return;  // a project that did not load leaves the project names as they were
    fileName = chosen;
    kernel::ProjektFile = FileNamePart(chosen);
    kernel::ProjektPfad = DirectoryOf(chosen);
}

void MDITAR::mnuLoadProject_Click() {
    platform::Windows().Unload("frmBlutalkohol");
    std::string dataName;
    bool ok = false, cancel = false;
    LoadProjectDialog(kernel::KommandoZeile, dataName, ok, cancel);
    if (cancel || !ok) return;
    AfterMenuLoad(dataName, false);
}

void MDITAR::mnuLoadLastSession_Click() {
    platform::Windows().Unload("frmBlutalkohol");
    std::string dataName;
    bool ok = false;
    shell::LoadProjectFile(kernel::SessionFile, dataName, ok);
    if (!ok) return;
    AfterMenuLoad(dataName, true);
}

void MDITAR::AfterMenuLoad(const std::string& dataName, bool isSession) {
    using namespace kernel;
    EnableProjectCommands();
    if (!dataName.empty()) {
        findChild<QAction*>("mnuEditDat")->setEnabled(true);
        ToolbarButton(16)->setEnabled(true);
        AppendExpFile = kFalse;
        // The data-file name is taken over only with its data.
        if (LoadDataFile(dataName)) {
            DatenFile = dataName;
            AnalyseExpData();
            DatenIstSession = isSession || Upper(FileNamePart(dataName)) == Upper(FileNamePart(SessionFile))
                                  ? kTrue
                                  : kFalse;
            SetC0AusMessdaten();
        }
    }
    ReloadModelWindow();
    ShowProjectStatus(dataName);
}

void MDITAR::mnuSaveProject_Click() {
    platform::Windows().Unload("frmBlutalkohol");
    SaveProjectAs();
}

void MDITAR::SaveProjectAs() {
    shell::FileRequest request;
    request.caption = "aktuelles Projekt speichern unter ...";
    request.pattern = "*.TC3";
    request.filter = "TARVELO-Projektdatei (*.TC3)";
    request.directory = kernel::ProjektPfad;
    request.proposal = kernel::KommandoZeile;
    request.defaultSuffix = "TC3";
    std::string chosen;
    if (!shell::ChooseFileToSave(request, chosen) || chosen.empty()) return;
    // A project that could not be written does not become the current one.
    if (!shell::WriteProjectFile(chosen)) return;
    kernel::ProjektPfad = DirectoryOf(chosen);
    kernel::ProjektFile = FileNamePart(chosen);
}

void MDITAR::mnuStatus_Click() { ShowProjectStatus(kernel::DatenFile); }

void MDITAR::mnuProjektInfo_Click() { ShowProjectStatus(kernel::DatenFile); }

void MDITAR::Toolbar1_ButtonClick(int index) {
    platform::Windows().Unload("frmBlutalkohol");
    // The handlers themselves: a button acts whatever state the menu entry is in.
    switch (index) {
    case 2:
    case 14: shell::mnuNeudat_Click(); break;
    case 4: mnuLoadLastSession_Click(); break;
    case 6:
        for (const char* w : {"frmPrepareTimeDiagram", "frmTGraph2D", "frmTFitting"}) platform::Windows().Unload(w);
        mnuLoadProject_Click();
        break;
    case 8: mnuSaveProject_Click(); break;
    case 16: shell::mnuEditDat_Click(); break;
    case 23: shell::mnuToolArrhenius_Click(); break;
    case 25: shell::mnuToolEyring_Click(); break;
    case 29: shell::mnuEditXY_Click(); break;
    case 36: ShowProjectStatus(kernel::DatenFile); break;
    default: break;
    }
}

std::string MDITAR::ProjectStatusText(const std::string& dataFileName, bool& show) {
    using namespace kernel;
    const std::string& nl = CrLf;
    show = true;
    std::string t = "akt. Arbeitsverzeichnis von TARVELO" + nl + "    " + AppPath + nl + nl + "Projekt" + nl;
    if (DatenIstSession)
        t += "    Letzte Sitzung " + nl;
    else if (!KommandoZeile.empty())
        t += "    " + Upper(ShortenPath(KommandoZeile, 60)) + nl;
    else
        t += "    (Projekt noch unbenannt)" + nl;
    t += nl + "eingestelltes kinetisches Modell => s. Fenster rechts \"kinetisches Modell\"" + nl + nl;
    t += "exper. Daten" + nl;
    if (dataFileName.empty()) {
        t += "    kein Datenfile (*.TA3) geladen" + nl;
        if (nMesspunkte < 1)
            t += "    kein Datensatz vorhanden" + nl;
        else
            t += "    ein Datensatz mit " + std::to_string(nMesspunkte) + " Messpunkten vorhanden" + nl;
    } else {
        std::string unit;
        int count = 0, ok = 0;
        ViewExpFile(dataFileName, DatenKommentar, unit, count, ok);
        if (!ok) {
            show = false;
            return {};
        }
        struct stat info {};
        const QDateTime modified = ::stat(platform::NameOnDisk(dataFileName).c_str(), &info) == 0
                                       ? QDateTime::fromSecsSinceEpoch(info.st_mtime)
                                       : QDateTime();
        const std::string date = modified.toString("dd.MM.yyyy HH:mm:ss").toStdString();
        t += "    Datenfile " + Upper(platform::FileNameForDisplay(dataFileName)) + "  (Filedatum " + date + ")" + nl;
        t += "    mit " + std::to_string(count) + " Messpunkten" + nl;
        t += "    Zeiteinheit der Daten: " + unit + nl;
        t += "    Filekommentar: " + Excerpt(DatenKommentar) + nl;
        t += nl + "Die Tabelle der experimentellen Daten ist einsehbar unter Icon 5" + nl;
        t += "und unter \"Daten / exper. Daten Sichten/Editieren\"" + nl;
        t += nl + "Sie können nun unter \"Versuchsauswertung\" die passende Methode" + nl;
        t += "zur Auswertung der geladenen experimentellen Daten auswählen." + nl;
    }
    t += nl + "Projekt-Kommentar:" + nl;
    t += (ProjektKommentar.empty() ? "    (keiner)" : "    " + Excerpt(ProjektKommentar)) + nl;
    t += "    (Kommentar kann beim Abspeichern des Projekts geändert werden)";
    return t;
}

void MDITAR::ShowProjectStatus(const std::string& dataFileName) {
    kernel::ChangeToAppDir();
    bool show = false;
    const std::string text = ProjectStatusText(dataFileName, show);
    if (show) platform::MsgBox(text, platform::MsgInformation, "Projektstatus");
}
