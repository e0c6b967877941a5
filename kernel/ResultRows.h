#pragma once
// The result rows a reactor window leaves for the protocol, and what they were computed with.
// The rows are the result the window shows: a successful calculation replaces them, and whatever
// empties the window's result boxes (a refresh, a refused or failed run, closing) drops them. The
// protocol takes only the rows of its calling window, and writes each file under the reactor,
// model, species and time unit of its rows.
#include <string>
#include <vector>

#include "kernel/State.h"

namespace kernel {

// What a row was computed with: the reactor (calling-window code of the protocol: 2 stirred tank,
// 3 batch, 4 tube, 5 cascade), the model's name, its species mask and the time unit.
struct ErgebnisArt {
    int reaktor = 0;
    std::string modell;
    std::string maske;
    std::string einheit;
    bool operator==(const ErgebnisArt&) const = default;
};

// The kind of a result computed now by the reactor of that code: the current model, mask and unit.
ErgebnisArt AktuelleErgebnisArt(int reaktor);

// Replaces the shared result rows (ErgebnisZeilen) by those of window `fenster`, which shows them.
// `anzahl`: how many leading rows are recorded per press (the cascade keeps a trailing zero row).
void SetzeErgebnisZeilen(const std::string& fenster, int reaktor, std::vector<ProtokollZeile> zeilen,
                         int anzahl = 1);
// Drops the result rows when window `fenster` left them; rows of another window stay.
void VerwirfErgebnisZeilen(const std::string& fenster);
// The rows window `fenster` shows (empty when it shows none) and their kind.
std::vector<ProtokollZeile> ErgebnisZeilenVon(const std::string& fenster);
const ErgebnisArt& ErgebnisZeilenArt();

// Kind of the rows recorded in ProtDaten (valid while ProtZeilen > 0).
extern ErgebnisArt ProtArt;

}  // namespace kernel
