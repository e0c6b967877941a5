#include "shell/frmPhantomT.h"

#include <QEvent>
#include <QMdiSubWindow>

frmPhantomT::frmPhantomT(QWidget* parent) : QWidget(parent) {
    setObjectName("frmPhantomT");
    setWindowTitle("Hauptfenster");
    Form_Load();
}

void frmPhantomT::Form_Load() {
    setMinimumSize(0, 0);
    resize(0, 0);
}

bool frmPhantomT::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::ParentChange || event->type() == QEvent::Show) ShrinkFrame();
    return handled;
}

void frmPhantomT::ShrinkFrame() {
    // Invisible by its size: the frame around it has neither border nor title bar.
    auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (!frame) return;
    if (!(frame->windowFlags() & Qt::FramelessWindowHint)) frame->setWindowFlags(Qt::FramelessWindowHint);
    frame->setMinimumSize(0, 0);
    frame->resize(0, 0);
    resize(0, 0);
}
