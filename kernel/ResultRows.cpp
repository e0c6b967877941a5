#include "kernel/ResultRows.h"

#include <algorithm>

namespace kernel {

ErgebnisArt ProtArt;

namespace {
std::string ergebnisFenster;  // writer of ErgebnisZeilen; empty: no current result
ErgebnisArt ergebnisArt;
int ergebnisAnzahl = 0;
}  // namespace

ErgebnisArt AktuelleErgebnisArt(int reaktor) {
    const std::size_t model = aktModell >= 0 && aktModell <= 20 ? static_cast<std::size_t>(aktModell) : 0;
    return {reaktor, ModellName[model], KurvenMaske, ZeitEinheit};
}

void SetzeErgebnisZeilen(const std::string& fenster, int reaktor, std::vector<ProtokollZeile> zeilen, int anzahl) {
    ErgebnisZeilen = std::move(zeilen);
    ergebnisFenster = fenster;
    ergebnisArt = AktuelleErgebnisArt(reaktor);
    ergebnisAnzahl = std::clamp(anzahl, 0, static_cast<int>(ErgebnisZeilen.size()));
}

void VerwirfErgebnisZeilen(const std::string& fenster) {
    if (fenster != ergebnisFenster) return;
    ErgebnisZeilen.clear();
    ergebnisFenster.clear();
    ergebnisAnzahl = 0;
}

std::vector<ProtokollZeile> ErgebnisZeilenVon(const std::string& fenster) {
    // Rows set elsewhere (without a writer) or emptied since belong to no window.
    if (fenster.empty() || fenster != ergebnisFenster ||
        static_cast<int>(ErgebnisZeilen.size()) < ergebnisAnzahl)
        return {};
    return {ErgebnisZeilen.begin(), ErgebnisZeilen.begin() + ergebnisAnzahl};
}

const ErgebnisArt& ErgebnisZeilenArt() { return ergebnisArt; }

}  // namespace kernel
