#include "shell/frmPhantomT.h"

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

void frmPhantomT::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Invisible by its size: the frame around it has neither border nor title bar.
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        if (!(frame->windowFlags() & Qt::FramelessWindowHint)) frame->setWindowFlags(Qt::FramelessWindowHint);
        frame->setMinimumSize(0, 0);
        frame->resize(0, 0);
    }
}
