#include "kernel/DataHeadings.h"

#include <string>

#include "kernel/State.h"
#include "platform/core/FormHost.h"

namespace kernel {
namespace {

const char* const kForm = "frmDatedit";

void Enable(const char* control, int index, bool on) { platform::Forms().SetEnabled(kForm, control, index, on); }
void Caption(const char* control, int index, const std::string& text) {
    platform::Forms().SetText(kForm, control, index, text);
}

struct SpeciesCaptions {
    const char* names[6];
};

// Entry captions Bz1(0, 3, 4, 5, 6) and headings lblKopf(1, 2, 6, 7, 8) of species slots 1..5.
void WriteSpeciesCaptions(const SpeciesCaptions& s) {
    static const int bz1Index[6] = {0, 0, 3, 4, 5, 6};
    static const int kopfIndex[6] = {0, 1, 2, 6, 7, 8};
    for (int slot = 1; slot <= kSpecies; ++slot) {
        const std::string text = std::string("c(") + s.names[slot] + ")/(mol/L)";
        Caption("Bz1", bz1Index[slot], text);
        Caption("lblKopf", kopfIndex[slot], text);
    }
}

}  // namespace

void SetDataGridHeaders() {
    const std::string& u = ZeitEinheit;
    const bool rcs = EnzymRcsModus != 0;

    Caption("TSort", -1, "Zeit-Sortieren");
    Enable("cmdDraw_rcS", -1, false);
    Enable("cmdDraw_Tk", -1, nkTPunkte > 1);

    if (aktModell == 10) {
        Enable("cmdDraw_Tk", -1, false);
        Enable("cmdDraw_rcS", -1, nAnull > 1 && rcs);
        Enable("cmdDraw_ct", -1, nctPunkte > 1 && !rcs);
        for (int i : {0, 4, 5, 6}) Enable("Bz1", i, !rcs);
        Enable("Bz1", 1, false);
        Enable("Label2", -1, false);
        Enable("Label3", -1, false);
        Enable("lambda_infin", -1, false);
        for (int i = 0; i <= 8; ++i) {
            Enable("y", i, false);
            Enable("lblKopf", i + 1, false);
        }
        platform::Forms().SetToolTip(kForm, "lblKopf", 5, "");
        WriteSpeciesCaptions({{"", "E", "S", "ES", "P", "Q"}});
        if (!rcs) {
            Caption("Bz1", 2, "Zeit t/" + u);
            Caption("lblKopf", 5, " Zeit t/" + u);
            for (int i = 0; i <= 5; ++i) Enable("y", i, true);
            for (int i : {5, 6, 7, 8, 1, 2}) Enable("lblKopf", i, true);
        } else {
            Caption("TSort", -1, "r(P)-Sortieren");
            Enable("cmdDraw_rcS", -1, nAnull > 1);
            Enable("TemperaturSort", -1, false);
            platform::Forms().SetToolTip(kForm, "lblKopf", 5, " Reaktionsgeschwindigkeit von c(P) ");
            Caption("Bz1", 2, "r(P)/(mol/L " + u + ")");
            Caption("lblKopf", 5, " r(P)/(mol/L " + u + ")");
            Enable("y", 0, true);
            Enable("y", 2, true);
            Enable("lblKopf", 2, true);
            Enable("lblKopf", 5, true);
        }
        return;
    }

    Enable("cmdDraw_ct", -1, nctPunkte > 1);
    Enable("cmdDraw_rcS", -1, false);
    Caption("Bz1", 2, "Zeit t/" + u);
    WriteSpeciesCaptions({{"", "A", "B", "C", "P", "Q"}});
    Caption("lblKopf", 5, " Zeit t/" + u);
    for (int i = 0; i <= 8; ++i) Enable("y", i, true);
    for (int i = 1; i <= 8; ++i) Enable("lblKopf", i, true);
    for (int i = 0; i <= 6; ++i) Enable("Bz1", i, true);
    // Give back what the enzyme branch took away, as the editor's own start-up state has it.
    Enable("lblKopf", 9, true);
    Enable("Label2", -1, true);
    Enable("Label3", -1, true);
    Enable("lambda_infin", -1, true);
    Enable("TemperaturSort", -1, true);
    platform::Forms().SetToolTip(kForm, "lblKopf", 5, "");
}

}  // namespace kernel
