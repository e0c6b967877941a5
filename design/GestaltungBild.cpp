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

// The file a picture is written to: its name may not promise another format than it holds. Vector
// pictures are SVG (PDF by name): a metafile name (".wmf", ".emf") becomes ".svg", any other ending
// gets ".svg" added. Bitmaps are BMP (PNG by name): any other ending gets ".bmp" added.
std::string BildDateiName(const std::string& pfad, int formatCode) {
    const std::size_t ordner = pfad.find_last_of("/\\");
    const std::size_t punkt = pfad.find_last_of('.');
    const bool hatEndung = punkt != std::string::npos && (ordner == std::string::npos || punkt > ordner);
    const QString endung = hatEndung ? QString::fromStdString(pfad.substr(punkt + 1)).toLower() : QString();
    if (formatCode == 1) return endung == "bmp" || endung == "png" ? pfad : pfad + ".bmp";
    if (endung == "svg" || endung == "pdf") return pfad;
    if (endung == "wmf" || endung == "emf") return pfad.substr(0, punkt) + ".svg";
    return pfad + ".svg";
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
            platform::MsgBox("Das Bild konnte nicht in die Zwischenablage kopiert werden.", platform::MsgCritical,
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
        pfad = BildDateiName(pfad, GraphFormatCode);
        if (!c->SavePicture(pfad, GraphFormatCode, &fehler))
            platform::MsgBox("Das Bild wurde nicht gespeichert:\r\n" + pfad + "\r\n" + fehler, platform::MsgCritical,
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
