#include "platform/WindowRegistry.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QEventLoop>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QTextEdit>

#include <algorithm>
#include <memory>

#include "platform/core/FormHost.h"
#include "platform/core/RunningLoops.h"

namespace platform {

WindowRegistry& WindowRegistry::Instance() {
    static WindowRegistry registry;
    return registry;
}

WindowRegistry::WindowRegistry() { InstallFormHost(); }

// Qt sends QEvent::Create to a new widget from within its QWidget constructor, before the window's
// own constructor builds its controls and runs its loading: the moment the window is to count as loaded.
class WindowRegistry::CreationWatch final : public QObject {
public:
    explicit CreationWatch(WindowRegistry& registry) : registry_(registry) {
        QCoreApplication::instance()->installEventFilter(this);
    }
    ~CreationWatch() override { QCoreApplication::instance()->removeEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Create && watched->isWidgetType())
            registry_.TakeCreatedWindow(static_cast<QWidget*>(watched));
        return false;
    }

private:
    WindowRegistry& registry_;
};

void WindowRegistry::TakeCreatedWindow(QWidget* form) {
    if (awaiting_.empty()) return;
    loaded_[awaiting_.back()] = LoadedForm{form, form};
    awaiting_.pop_back();
}

void WindowRegistry::Register(const std::string& name, FormKind kind, FormFactory factory) {
    registered_[name] = Entry{kind, std::move(factory)};
}

bool WindowRegistry::IsRegistered(const std::string& name) const { return registered_.count(name) > 0; }

std::vector<std::string> WindowRegistry::Names() const {
    std::vector<std::string> names;
    for (const auto& entry : registered_) names.push_back(entry.first);
    return names;
}

void WindowRegistry::Adopt(const std::string& name, QWidget* form) {
    if (form) form->setObjectName(QString::fromStdString(name));
    loaded_[name] = LoadedForm{form, form};
}

void WindowRegistry::SetMainWindow(QWidget* mainWindow, MdiChildHook mdiHook) {
    mainWindow_ = mainWindow;
    mdiHook_ = std::move(mdiHook);
}

QWidget* WindowRegistry::Get(const std::string& name) const {
    const auto it = loaded_.find(name);
    if (it == loaded_.end()) return nullptr;
    if (!it->second.form) {  // destroyed behind our back (closed with delete-on-close)
        loaded_.erase(it);
        return nullptr;
    }
    return it->second.form;
}

QWidget* WindowRegistry::Frame(const std::string& name) const {
    if (!Get(name)) return nullptr;
    const LoadedForm& inst = loaded_.at(name);
    return inst.frame ? inst.frame.data() : inst.form.data();
}

QWidget* WindowRegistry::Load(const std::string& name) {
    if (QWidget* existing = Get(name)) return existing;
    const auto it = registered_.find(name);
    if (it == registered_.end()) return nullptr;

    // The first widget the factory creates is the window; a load inside its constructor waits for its own.
    const std::size_t depth = awaiting_.size();
    awaiting_.push_back(name);
    QWidget* form = nullptr;
    {
        std::unique_ptr<CreationWatch> watch;
        if (QCoreApplication::instance() && depth == 0) watch = std::make_unique<CreationWatch>(*this);
        form = it->second.factory();
    }
    awaiting_.resize(std::min(awaiting_.size(), depth));
    if (!form) {
        loaded_.erase(name);
        return nullptr;
    }
    form->setObjectName(QString::fromStdString(name));
    form->setAttribute(Qt::WA_DeleteOnClose, true);
    QWidget* frame = form;
    if (it->second.kind == FormKind::MdiChild && mdiHook_) {
        if (QMdiSubWindow* sub = mdiHook_(form)) {
            sub->setAttribute(Qt::WA_DeleteOnClose, true);
            frame = sub;
        }
    } else if (mainWindow_ && !form->parentWidget()) {
        // Owned by the main window, but a window of its own.
        form->setParent(mainWindow_, form->windowFlags() | Qt::Window);
    }
    loaded_[name] = LoadedForm{form, frame};
    return form;
}

bool WindowRegistry::Unload(const std::string& name) {
    QWidget* form = Get(name);
    if (!form) return true;
    QWidget* frame = Frame(name);
    // Closing the frame of an MDI child closes the child with it.
    if (!frame->close()) return false;
    loaded_.erase(name);
    if (frame->testAttribute(Qt::WA_DeleteOnClose)) return true;  // close() already scheduled it
    frame->deleteLater();
    return true;
}

void WindowRegistry::UnloadOrClose(const std::string& name, QWidget* form) {
    if (Get(name) == form)
        Unload(name);
    else
        form->close();
}

QWidget* WindowRegistry::Show(const std::string& name) {
    QWidget* form = Load(name);
    if (!form) return nullptr;
    QWidget* frame = Frame(name);
    form->show();
    frame->show();
    frame->raise();
    if (auto* sub = qobject_cast<QMdiSubWindow*>(frame); sub && sub->mdiArea())
        sub->mdiArea()->setActiveSubWindow(sub);
    else
        frame->activateWindow();
    return form;
}

int WindowRegistry::ShowModal(const std::string& name) {
    QWidget* form = Load(name);
    if (!form) return -1;
    if (auto* dialog = qobject_cast<QDialog*>(form)) {
        // exec() must not destroy the instance the caller reads the results from.
        const bool deleteOnClose = dialog->testAttribute(Qt::WA_DeleteOnClose);
        dialog->setAttribute(Qt::WA_DeleteOnClose, false);
        const int result = dialog->exec();
        if (Get(name)) dialog->setAttribute(Qt::WA_DeleteOnClose, deleteOnClose);
        return result;
    }
    form->setWindowModality(Qt::ApplicationModal);
    Show(name);
    QPointer<QWidget> watched(form);
    // The end of the program ends the wait too, so that the caller returns and the event loop can end.
    bool stopped = false;
    const RunningLoop wait([&stopped] { stopped = true; });
    QEventLoop loop;
    while (watched && watched->isVisible() && !stopped) loop.processEvents(QEventLoop::WaitForMoreEvents);
    return 0;
}

void WindowRegistry::ClearRegistrationsForTest() { registered_.clear(); }

FormRegistration::FormRegistration(const char* name, FormKind kind, FormFactory factory) {
    WindowRegistry::Instance().Register(name, kind, std::move(factory));
}

namespace {

// Runs `apply` on `target` as a menu entry (QAction) or as a widget; false when it is neither.
template <typename Apply>
bool OnEntryOrWidget(QObject* target, Apply apply) {
    if (auto* action = qobject_cast<QAction*>(target)) {
        apply(action);
        return true;
    }
    if (auto* widget = qobject_cast<QWidget*>(target)) {
        apply(widget);
        return true;
    }
    return false;
}

// A text the program writes is shown from its start, as a box too narrow for it would otherwise show
// its end (the cursor stays behind the text). A box the user is typing in keeps its cursor.
void ShowFromStart(QLineEdit* edit) {
    if (edit && !edit->hasFocus()) edit->setCursorPosition(0);
}

// FormHost over the registry: controls are found by objectName inside the loaded window.
class QtFormHost final : public FormHost {
public:
    bool IsLoaded(const std::string& form) const override { return Windows().IsLoaded(form); }

    bool SetText(const std::string& form, const std::string& control, int index, const std::string& text) override {
        QObject* target = Find(form, control, index);
        if (!target) return false;
        const QString t = QString::fromStdString(text);
        if (auto* edit = qobject_cast<QLineEdit*>(target)) {
            edit->setText(t);
            ShowFromStart(edit);
        } else if (auto* combo = qobject_cast<QComboBox*>(target)) {
            if (combo->isEditable()) {
                combo->setEditText(t);
                ShowFromStart(combo->lineEdit());
            } else {
                const int i = combo->findText(t);
                if (i < 0) return false;
                combo->setCurrentIndex(i);
            }
        } else if (auto* label = qobject_cast<QLabel*>(target)) {
            label->setText(t);
        } else if (auto* button = qobject_cast<QAbstractButton*>(target)) {
            button->setText(t);
        } else if (auto* group = qobject_cast<QGroupBox*>(target)) {
            group->setTitle(t);
        } else if (auto* plain = qobject_cast<QPlainTextEdit*>(target)) {
            plain->setPlainText(t);
        } else if (auto* rich = qobject_cast<QTextEdit*>(target)) {
            rich->setPlainText(t);
        } else if (auto* action = qobject_cast<QAction*>(target)) {
            action->setText(t);
        } else if (auto* widget = qobject_cast<QWidget*>(target); widget && IsFormItself(form, widget)) {
            widget->setWindowTitle(t);
        } else {
            return false;
        }
        return true;
    }

    std::string GetText(const std::string& form, const std::string& control, int index) const override {
        QObject* target = Find(form, control, index);
        if (!target) return {};
        QString t;
        if (auto* edit = qobject_cast<QLineEdit*>(target)) t = edit->text();
        else if (auto* combo = qobject_cast<QComboBox*>(target)) t = combo->currentText();
        else if (auto* label = qobject_cast<QLabel*>(target)) t = label->text();
        else if (auto* button = qobject_cast<QAbstractButton*>(target)) t = button->text();
        else if (auto* group = qobject_cast<QGroupBox*>(target)) t = group->title();
        else if (auto* plain = qobject_cast<QPlainTextEdit*>(target)) t = plain->toPlainText();
        else if (auto* rich = qobject_cast<QTextEdit*>(target)) t = rich->toPlainText();
        else if (auto* action = qobject_cast<QAction*>(target)) t = action->text();
        else if (auto* widget = qobject_cast<QWidget*>(target)) t = widget->windowTitle();
        return t.toStdString();
    }

    bool SetEnabled(const std::string& form, const std::string& control, int index, bool enabled) override {
        return OnEntryOrWidget(Find(form, control, index), [enabled](auto* target) { target->setEnabled(enabled); });
    }

    bool SetVisible(const std::string& form, const std::string& control, int index, bool visible) override {
        return OnEntryOrWidget(Find(form, control, index), [visible](auto* target) { target->setVisible(visible); });
    }

    bool SetToolTip(const std::string& form, const std::string& control, int index, const std::string& tip) override {
        const QString t = QString::fromStdString(tip);
        return OnEntryOrWidget(Find(form, control, index), [&t](auto* target) { target->setToolTip(t); });
    }

    bool SetChecked(const std::string& form, const std::string& control, int index, bool checked) override {
        auto* button = qobject_cast<QAbstractButton*>(Find(form, control, index));
        if (!button || !button->isCheckable()) return false;
        if (button->isChecked() == checked) return true;  // an unchanged value runs no handler
        if (!checked && button->autoExclusive()) {
            // An option button can be cleared by the program, leaving none of its group set.
            button->setAutoExclusive(false);
            button->setChecked(false);
            button->setAutoExclusive(true);
            return true;
        }
        button->setChecked(checked);
        if (checked || !button->autoExclusive()) emit button->clicked(checked);
        return true;
    }

    bool IsChecked(const std::string& form, const std::string& control, int index) const override {
        auto* button = qobject_cast<QAbstractButton*>(Find(form, control, index));
        return button && button->isChecked();
    }

    bool Click(const std::string& form, const std::string& control, int index) override {
        QObject* target = Find(form, control, index);
        if (auto* action = qobject_cast<QAction*>(target)) {
            action->trigger();
            return true;
        }
        auto* button = qobject_cast<QAbstractButton*>(target);
        if (!button) return false;
        // A press by the program works on hidden and disabled buttons too.
        if (button->isEnabled()) {
            button->click();
        } else {
            if (button->isCheckable()) button->setChecked(!button->isChecked());
            emit button->clicked(button->isChecked());
        }
        return true;
    }

private:
    static bool IsFormItself(const std::string& form, QWidget* widget) {
        return widget == Windows().Get(form);
    }

    static QObject* Find(const std::string& form, const std::string& control, int index) {
        QWidget* window = Windows().Get(form);
        if (!window) return nullptr;
        if (control.empty() || (control == form && index < 0)) return window;
        const QString name = QString::fromStdString(ControlName(control, index));
        if (QWidget* w = window->findChild<QWidget*>(name)) return w;
        return window->findChild<QObject*>(name);
    }
};

}  // namespace

void InstallFormHost() {
    static QtFormHost host;
    SetFormHost(&host);
}

}  // namespace platform
