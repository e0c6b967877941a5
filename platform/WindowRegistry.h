#pragma once
// The windows of the system, each existing at most once as its default instance.
//
// A window class registers a factory under its name (the window's objectName, e.g.
// "frmKinModel") with a static FormRegistration in its .cpp. Load creates the window on
// demand: an MDI child goes into the main window's MDI area through the hook the main window
// installs; a dialog or tool window becomes a top-level window owned by the main window.
// Unload closes it (its close handling may refuse) and forgets it; the next Load creates a
// fresh instance, so a window shown again rebuilds itself in its constructor.
//
// A window counts as loaded, and is found by name, from the moment its loading starts: what its
// constructor (its Form_Load) writes into itself by name, or asks of itself, reaches it.
#include <QPointer>
#include <QWidget>

#include <functional>
#include <map>
#include <string>
#include <vector>

class QMdiSubWindow;

namespace platform {

enum class FormKind {
    MdiChild,   // lives in the main window's MDI area
    Dialog,     // top-level window owned by the main window (modal or not)
};

using FormFactory = std::function<QWidget*()>;
// Puts a newly created MDI child into the MDI area and returns its frame.
using MdiChildHook = std::function<QMdiSubWindow*(QWidget* form)>;

class WindowRegistry {
public:
    static WindowRegistry& Instance();

    void Register(const std::string& name, FormKind kind, FormFactory factory);
    bool IsRegistered(const std::string& name) const;
    // The names of every registered window, sorted.
    std::vector<std::string> Names() const;

    // Takes an existing window (the main window) as the instance of that name.
    void Adopt(const std::string& name, QWidget* form);

    // The main window: owner of dialogs, and the MDI hook for children.
    void SetMainWindow(QWidget* mainWindow, MdiChildHook mdiHook);
    QWidget* MainWindow() const { return mainWindow_; }

    // Creates the window when it is not loaded (without showing it); while its constructor runs,
    // Get already gives the window. Null when the name is not registered.
    QWidget* Load(const std::string& name);
    // The loaded instance, or null. Never creates.
    QWidget* Get(const std::string& name) const;
    bool IsLoaded(const std::string& name) const { return Get(name) != nullptr; }
    // Closes the window as the close box would; false when its close handling refused.
    // A window that is not loaded counts as unloaded.
    bool Unload(const std::string& name);
    // The close button of a window: Unload(name) when `form` is the loaded instance of that name,
    // else closes `form` itself (a window made outside the registry, as in tests).
    void UnloadOrClose(const std::string& name, QWidget* form);
    // Loads when needed, shows non-modally and activates. Null when the name is not registered.
    QWidget* Show(const std::string& name);
    // Loads when needed and runs a dialog modally (a plain window is shown window-modal and
    // waited for). Returns the dialog's result code, -1 when not registered.
    int ShowModal(const std::string& name);

    // The frame that holds the window: its MDI subwindow, or the window itself.
    QWidget* Frame(const std::string& name) const;

    // Forgets every registration (tests of the registry only).
    void ClearRegistrationsForTest();

private:
    struct Entry {
        FormKind kind = FormKind::MdiChild;
        FormFactory factory;
    };
    struct LoadedForm {
        QPointer<QWidget> form;
        QPointer<QWidget> frame;
    };
    class CreationWatch;
    WindowRegistry();
    // Takes the widget Qt has just begun to create as the window of the innermost load still
    // waiting for its window.
    void TakeCreatedWindow(QWidget* form);

    std::map<std::string, Entry> registered_;
    mutable std::map<std::string, LoadedForm> loaded_;
    QPointer<QWidget> mainWindow_;
    MdiChildHook mdiHook_;
    // Names whose factory runs and whose window Qt has not created yet, innermost last.
    std::vector<std::string> awaiting_;
};

// Static helper: `static platform::FormRegistration reg("frmBatch", FormKind::MdiChild,
// [] { return new frmBatch; });` in the window's .cpp.
struct FormRegistration {
    FormRegistration(const char* name, FormKind kind, FormFactory factory);
};

// Short forms used by the windows.
inline WindowRegistry& Windows() { return WindowRegistry::Instance(); }

// Installs the window registry as the platform's FormHost (done once by the registry itself).
void InstallFormHost();

}  // namespace platform
