#pragma once
// What the diagram window asks of the design dialog frmTGraph2D_Gestaltung. Every call does
// nothing here, so diagrams work while no design dialog exists; the design dialog derives from
// this class, overrides what it offers and installs itself with SetGestaltung.
//
// Indexes follow the dialog's control arrays: curve slots 1..24 (tab k - 1), point sets 1..12
// (tab k - 1), range fields 1..4 (x min, x max, y min, y max). Colours are RGB Longs.
#include <array>
#include <string>

namespace diagram {

class GestaltungLink {
public:
    virtual ~GestaltungLink() = default;

    // Panels: 1 design tabs, 2 curves, 3 point sets, 4 text, 5 print/save, 6 axis range.
    virtual void FormGST_Show(int /*intShowType*/) {}
    // With true the dialog window hides too; the six panels hide in every case.
    virtual void FormGST_Hide(bool /*bolMeHide*/) {}
    virtual void DeleteAllDesignFrames() {}
    // Applies the range fields coord(1..4) to the diagram (or complains and writes the range back).
    virtual void cmdCoord_OK_Click() {}
    // 0 automatic, 1 manual grid, tick and number spacing.
    virtual void optScaling_Click(int /*index*/) {}
    // Selects optScaling(index), which runs optScaling_Click once.
    virtual void WaehleScaling(int index) { optScaling_Click(index); }
    virtual void chkLegTransparent_Click() {}

    // Curve panel.
    virtual void SetKurvenTab(int /*slot*/, bool /*on*/, const std::string& /*caption*/) {}
    virtual void SetKurvenFarbe(int /*slot*/, int /*colour*/) {}
    virtual void SetLinienbreite(int /*slot*/, const std::string& /*shown*/) {}
    // Fills cmbKStil(slot) with the line-style list and selects an entry.
    virtual void SetKurvenStilListe(int /*slot*/, int /*listIndex*/) {}
    virtual void SetTxtLegend(int /*slot*/, const std::string& /*text*/) {}
    virtual void SetTxtLabel(int /*slot*/, const std::string& /*text*/) {}
    virtual void SetEinzelLabelSichtbar(int /*slot*/, bool /*ticked*/) {}
    // After a curve is drawn: the label's scroll bar spans its points, at the point index where
    // the label is attached (an index below 1 leaves the position).
    virtual void SetLabelVerschiebung(int /*slot*/, int /*pointIndex*/) {}

    // Point-set panel.
    virtual void SetPunkteTab(int /*set*/, bool /*on*/, const std::string& /*caption*/) {}
    // Switches the tab on or off and leaves its caption.
    virtual void SetPunkteTabAn(int /*set*/, bool /*on*/) {}
    virtual void SetPunkteTabAktuell(int /*set*/) {}
    // Legend text boxes txtLegPoints(1..12): kept here, so that a dialog that overrides the setter
    // overrides the getter too.
    virtual void SetTxtLegPoints(int set, const std::string& text) {
        if (set >= 1 && set <= 12) txtLegPoints_[static_cast<std::size_t>(set)] = text;
    }
    virtual std::string TxtLegPoints(int set) const {
        return set >= 1 && set <= 12 ? txtLegPoints_[static_cast<std::size_t>(set)] : std::string();
    }
    // Point-count label lblNumPoints(set).
    virtual void SetLblNumPoints(int /*set*/, const std::string& /*text*/) {}
    virtual void SetPunktFarbe(int /*set*/, int /*colour*/) {}
    // Fills cmbPunktStil(set) with the symbol list and selects an entry; symbol size shown.
    virtual void SetPunktStilListe(int /*set*/, int /*listIndex*/, const std::string& /*sizeShown*/) {}
    virtual void SetChkLegend(int /*value*/) {}

    // Current tab of tabKurven (the tab of curve slot 1..24) and of tabDesign (0-based tab index).
    virtual void SetKurvenTabAktuell(int /*slot*/) {}
    virtual void SetDesignTab(int /*tab*/) {}
    // Asks whether point iPunkt of curve series iKurve (point set iPointSet) is to be deleted and
    // deletes it on yes; iPunkt < 0 does nothing.
    virtual void DeleteCurvePoint(int /*iKurve*/, int /*iPunkt*/) {}
    virtual void DeleteSingleMeasuringPoint(int /*iPointSet*/, int /*iPunkt*/) {}
    // Close buttons of the curve and point-set panels, and whether the design-tabs panel is shown.
    virtual void cmdKurven_OK_Click() {}
    virtual void cmdPunkte_OK_Click() {}
    virtual bool TabsPanelSichtbar() const { return false; }
    // The range panel takes cmdCoord_Esc as its cancel button and gives coord(1) the focus.
    virtual void CoordPanelBereit() {}

    // Axis-range fields: coord(1..4) of the range panel and Tabcoord(1..4) of the design tabs.
    virtual void SetCoord(int /*index*/, const std::string& /*text*/) {}
    virtual void SetTabcoord(int /*index*/, const std::string& /*text*/) {}
    // Legend position scroll bars (horizontal: left, vertical: top).
    virtual void SetLegendPosition(int /*left*/, int /*top*/) {}
    // Start values of a new diagram window: option buttons, check boxes and colour buttons.
    virtual void PresetsForNewDiagram() {}
    virtual void SetRandFarben(int /*inner*/, int /*outer*/, int /*plotArea*/) {}

    // The dialog stays loaded from one diagram window to the next. A diagram window that loads
    // calls DiagrammGeoeffnet (the dialog links itself and the window's design menus); one that
    // closes calls DiagrammGeschlossen (the dialog hides and takes back the state it was built with).
    virtual void DiagrammGeoeffnet() {}
    virtual void DiagrammGeschlossen() {}

private:
    std::array<std::string, 13> txtLegPoints_{};
};

// The dialog as the diagram window reaches it (gGestaltung); an inert instance while none is installed.
GestaltungLink& Gestaltung();
// Installs the dialog (nullptr: back to the inert instance).
void SetGestaltung(GestaltungLink* dialog);

}  // namespace diagram
