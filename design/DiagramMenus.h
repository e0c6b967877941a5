#pragma once
// The diagram window's menus that work through the design dialog: "&Gestalten..." (design tabs,
// curves, point sets, labelling texts), the legend and label entries of "&Einfügen..." and
// "&Löschen...", the delete menu itself and the picture entries of "  &Bild ...".
class QWidget;

namespace diagram {
class frmTGraph2D;
}

namespace design {

// Connects the handlers to the menu entries of a diagram window (found by objectName); entries the
// window does not have yet are added to its menus. Calling it again for the same window does nothing.
void ConnectDiagramMenus(QWidget* frmTGraph2D);

// Menu handlers, callable directly (the design dialog and the diagram window's mouse use them).
void mnuDesign_Click(diagram::frmTGraph2D& f);
void mnuDesignMore_Click(diagram::frmTGraph2D& f);
void mnuKurvenDesign_Click(diagram::frmTGraph2D& f);
void mnuPunktDesign_Click(diagram::frmTGraph2D& f);
// Index 1 header, 2 extra text, 3 x-axis title, 4 y-axis title, 5 curve labels and legend.
void mnuTextDesign_Click(diagram::frmTGraph2D& f, int index);
void mnuAddLegend_Click(diagram::frmTGraph2D& f);
void mnuDelLegend_Click(diagram::frmTGraph2D& f);
void mnuDelLegendZeile_Click(diagram::frmTGraph2D& f);
void mnuAddLabels_Click(diagram::frmTGraph2D& f);
void mnuDelLabels_Click(diagram::frmTGraph2D& f);
void mnuAddText_Click(diagram::frmTGraph2D& f);
// Index 1 clipboard, 2 picture file, 3 printer.
void mnuBild_Click(diagram::frmTGraph2D& f, int index);
void mnuBildsenden_Click(diagram::frmTGraph2D& f);
void mnuDelete_Click(diagram::frmTGraph2D& f);
void mnuDelTotal_Click(diagram::frmTGraph2D& f);

}  // namespace design
