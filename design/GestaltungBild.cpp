// The design dialog's print/save panel: the diagram as a picture on the clipboard, in a picture file
// or on the printer.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <array>

#include "design/DesignDialogs.h"
#include "design/GestaltungIntern.h"
#include "design/frmTGraph2D_Gestaltung.h"
#include "kernel/State.h"
#include "platform/Chart2D.h"
#include "platform/PrinterStatus.h"
#include "platform/core/MsgBox.h"
#include "platform/core/NumberFormat.h"
#include "shell/FileChoice.h"

namespace design {

using namespace kernel;

namespace {

// Format codes of the picture-file list, by list index.
constexpr std::array<int, 5> kDateiFormate = {1, 2, 3, 13, 4};

// The metafile entries write SVG: a name that promises a Windows metafile gets ".svg" instead, so
// that no file claims a format it does not hold.
std::string SvgStattMetafile(const std::string& pfad) {
    const std::size_t punkt = pfad.find_last_of('.');
    const std::size_t ordner = pfad.find_last_of("/\\");
    if (punkt == std::string::npos || (ordner != std::string::npos && punkt < ordner)) return pfad;
    const QString endung = QString::fromStdString(pfad.substr(punkt)).toLower();
    return endung == ".wmf" || endung == ".emf" ? pfad.substr(0, punkt) + ".svg" : pfad;
}

}  // namespace

void frmTGraph2D_Gestaltung::cmbGraphFormat_Click() {
    const int i = cmbGraphFormat->currentIndex();
    if (cmbGraphFormat->count() == 2) {
        GraphFormatCode = i == 0 ? 1 : 3;
    } else if (i >= 0 && i < static_cast<int>(kDateiFormate.size())) {
        GraphFormatCode = kDateiFormate[static_cast<std::size_t>(i)];
    }
}

void frmTGraph2D_Gestaltung::optSM_Click(int index) {
    static int scaleCode[5] = {0, 0, 5, 3, 2};
    if (index < 2 || index > 4) return;
    PrintScaleCode = scaleCode[index];
    const bool hoehe = index == 3, breite = index == 4;
    txtHeight_in_cm->setEnabled(hoehe);
    Label9->setEnabled(hoehe);
    txtWidth_in_cm->setEnabled(breite);
    Label8->setEnabled(breite);
}

void frmTGraph2D_Gestaltung::cmdPrint_Esc_Click() { FormGST_Hide(true); }

void frmTGraph2D_Gestaltung::cmdPrint_Click() {
    FormGST_Hide(true);
    platform::Chart2D* c = DiagrammChart();
    if (!c) return;
    // Every output that fails is reported, naming its target and cause: a picture believed saved or
    // printed would be lost work. A cancelled file dialog stays silent.
    switch (PrintMode) {
    case 1:
        if (!c->CopyToClipboard(GraphFormatCode))
            platform::MsgBox("Das Bild konnte nicht in die Zwischenablage kopiert werden.", platform::vbCritical,
                             "Bild zur Zwischenablage");
        break;
    case 2: {
        // This platform writes bitmaps as BMP (PNG by name) and vector pictures as SVG (PDF by name).
        shell::FileRequest r;
        r.caption = "Speichere Bild-File";
        if (GraphFormatCode == 1) {
            r.filter = "Bitmap-file (*.BMP);;PNG (*.PNG)";
            r.defaultSuffix = "BMP";
            r.proposal = "*.BMP";
        } else if (GraphFormatCode == 2 || GraphFormatCode == 3 || GraphFormatCode == 4 || GraphFormatCode == 13) {
            if (GraphFormatCode == 13) GraphFormatCode = 3;
            r.filter = "Vektor-Grafik (*.SVG);;PDF (*.PDF)";
            r.defaultSuffix = "SVG";
            r.proposal = "*.SVG";
        }
        std::string pfad, fehler;
        if (!shell::ChooseFileToSave(r, pfad) || pfad.empty()) break;
        if (GraphFormatCode != 1) pfad = SvgStattMetafile(pfad);
        if (!c->SavePicture(pfad, GraphFormatCode, &fehler))
            platform::MsgBox("Das Bild wurde nicht gespeichert:\r\n" + pfad + "\r\n" + fehler, platform::vbCritical,
                             "Speichere Bild-File");
        break;
    }
    case 3: {
        // All four values travel; the scaling code decides which of them are used. The fields were
        // written by the program with a point and may be typed with either separator.
        const double links = platform::ValLocale(Text(txtLeft_in_cm));
        const double oben = platform::ValLocale(Text(txtTop_in_cm));
        const double breite = platform::ValLocale(Text(txtWidth_in_cm));
        const double hoehe = platform::ValLocale(Text(txtHeight_in_cm));
        QPrinter standard(QPrinter::HighResolution);
        QPrinter* p = Drucker();
        if (!p) p = &standard;
        if (!platform::PrinterAvailable(*p)) {
            platform::ReportNoPrinter();
            break;
        }
        std::string fehler;
        if (!c->PrintChart(*p, PrintScaleCode, links, oben, breite, hoehe, &fehler))
            platform::ReportPrintFailure(*p, "Das Diagramm", fehler);
        break;
    }
    default: break;
    }
}

}  // namespace design
