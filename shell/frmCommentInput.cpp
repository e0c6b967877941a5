#include "shell/frmCommentInput.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "kernel/State.h"
#include "platform/Twips.h"
#include "platform/WindowRegistry.h"
#include "shell/ShellForms.h"

namespace {
const platform::FormRegistration registration("frmCommentInput", platform::FormKind::Dialog,
                                              [] { return new frmCommentInput; });
}

frmCommentInput::frmCommentInput(QWidget* parent) : QDialog(parent) {
    setObjectName("frmCommentInput");
    setWindowTitle(" Datei-Kommentar für Projekt (optional)");
    auto* label = new QLabel(" Eingabe Kommentartext", this);
    label->setObjectName("Label1");
    txtDatComm = new QLineEdit(this);
    txtDatComm->setObjectName("txtDatComm");
    txtDatComm->installEventFilter(this);
    cmdOK = new QPushButton("OK", this);
    cmdOK->setObjectName("cmdOK");
    cmdAbort = new QPushButton("Abbrechen", this);
    cmdAbort->setObjectName("cmdAbort");
    auto* hint = new QLabel("<Abbrechen> = kein Kommentar", this);
    hint->setObjectName("Label2");
    hint->setTextFormat(Qt::PlainText);
    // Return belongs to the text box (where it is swallowed), not to a default button.
    for (QPushButton* b : {cmdOK, cmdAbort}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(hint, 1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdAbort);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(txtDatComm);
    layout->addLayout(buttons);
    resize(480, 120);

    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdAbort, &QPushButton::clicked, this, [this] { cmdAbort_Click(); });
    Form_Load();
}

void frmCommentInput::Form_Load() {
    move(platform::TwipsToPixels(kernel::PosCommentInput.Left), platform::TwipsToPixels(kernel::PosCommentInput.Top));
    txtDatComm->setText(QString::fromStdString(kernel::ProjektKommentar));
}

bool frmCommentInput::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtDatComm && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) return true;  // the comment stays one line
    }
    return QDialog::eventFilter(watched, event);
}

void frmCommentInput::cmdOK_Click() {
    QString text = txtDatComm->text();
    text.remove('\r').remove('\n');  // pasted line breaks would break the project file's lines
    kernel::ProjektKommentar = text.toStdString();
    shell::UnloadForm(this);
}

void frmCommentInput::cmdAbort_Click() {
    kernel::ProjektKommentar.clear();
    shell::UnloadForm(this);
}

void frmCommentInput::Form_QueryUnload() {
    kernel::PosCommentInput = {platform::PixelsToTwips(x()), platform::PixelsToTwips(y())};
}

void frmCommentInput::closeEvent(QCloseEvent* event) {
    Form_QueryUnload();
    QDialog::closeEvent(event);
}
