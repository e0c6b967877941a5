#include "experiment/ToolWindowSupport.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "kernel/Utilities.h"
#include "platform/WindowRegistry.h"
#include "simulation/CalcWindow.h"

namespace experiment {

NumKey FilterNumKey(QLineEdit* box, const QKeyEvent* event, int& keyAscii) {
    keyAscii = 0;
    if (simulation::IsEditShortcut(event)) return NumKey::Pass;
    keyAscii = simulation::KeyAscii(event);
    if (keyAscii == 0) return NumKey::Pass;
    int key = keyAscii;
    if (!kernel::CheckNumKey(key)) return NumKey::Dropped;
    if (key != keyAscii) {
        box->insert(QString(QChar(key)));
        keyAscii = key;
        return NumKey::Taken;
    }
    return NumKey::Pass;
}

QWidget* FrameOf(const char* name, QWidget* form) {
    QWidget* frame = platform::Windows().Frame(name);
    return frame ? frame : form;
}

void ConnectMdiActivation(const char* name, QWidget* form, bool& connected, std::function<void()> onActivate) {
    auto* sub = qobject_cast<QMdiSubWindow*>(platform::Windows().Frame(name));
    if (connected || !sub || !sub->mdiArea()) return;
    connected = true;
    QObject::connect(sub->mdiArea(), &QMdiArea::subWindowActivated, form,
                     [sub, onActivate](QMdiSubWindow* active) {
                         if (active == sub) onActivate();
                     });
}

void SelectAllLater(QLineEdit* box) {
    QMetaObject::invokeMethod(box, [box] { box->selectAll(); }, Qt::QueuedConnection);
}

}  // namespace experiment
