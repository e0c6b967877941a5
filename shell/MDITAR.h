#pragma once
// The main window: MDI frame of every work window, start-up with every start value of the
// shared state, project and last-session commands of the "&Daten" menu, and the shut-down that
// writes the last session.
#include <QMainWindow>

#include <array>
#include <map>
#include <string>

class QAction;
class QMdiArea;
class QMenu;
class QPushButton;
class QToolBar;

class MDITAR : public QMainWindow {
    Q_OBJECT
public:
    // Builds the window and runs the start-up; commandLine is the whole argument text.
    explicit MDITAR(const std::string& commandLine, QWidget* parent = nullptr);
    ~MDITAR() override;

    // The default instance (null before it exists).
    static MDITAR* Instance();

    QMdiArea* MdiArea() const { return mdiArea_; }
    // Toolbar button 1..36 (null for separators and buttons without an action).
    QAction* ToolbarButton(int index) const;
    // A menu of the menu bar by its name ("mnuDaten", "mnuHelp", ...).
    QMenu* Menu(const std::string& name) const;

    // Start-up and shut-down.
    void MDIForm_Resize();
    // Runs the shut-down; false when the user cancelled it (the window then stays open).
    bool mnuExit_Click();

    // Project and last-session commands.
    void mnuLoadLastSession_Click();
    void mnuLoadProject_Click();
    void mnuSaveProject_Click();
    void mnuStatus_Click();
    void mnuProjektInfo_Click();
    void ShowProjectStatus(const std::string& dataFileName);
    void SaveProjectAs();
    // Open dialog, then the load. fileName := the chosen path, and ProjektFile / ProjektPfad are
    // taken over, only when the project loaded.
    void LoadProjectDialog(std::string& fileName, std::string& dataName, bool& ok, bool& cancel);
    void Toolbar1_ButtonClick(int index);
    static void SetAutoProtName(std::string& name);

    // The text of the project status message; show := false when nothing is to be shown.
    static std::string ProjectStatusText(const std::string& dataFileName, bool& show);

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildMenus();
    void BuildToolbar();
    void BuildIntroButtons();
    void MDIForm_Load(const std::string& commandLine);
    void SetStartPositions();
    void FillTables();
    void LoadCommandLineProject(const std::string& commandLine);
    // The steps after a project or the last session loaded from the menu.
    void AfterMenuLoad(const std::string& dataName, bool isSession);
    void EnableProjectCommands();
    void ReloadModelWindow();
    QAction* AddEntry(QMenu* menu, const char* name, const QString& caption);

    QMdiArea* mdiArea_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    int toolbarTextWidth_ = 0;  // the toolbar's width with the captions beside the pictures
    QWidget* picture2_ = nullptr;
    QPushButton* cmdErstnutzer_ = nullptr;
    QPushButton* cmdUebungen_ = nullptr;
    std::array<QAction*, 37> toolbarButtons_{};
    std::map<std::string, QMenu*> menus_;
};
