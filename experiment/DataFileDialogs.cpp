#include "experiment/DataFileDialogs.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "kernel/DataFile.h"
#include "kernel/DataSet.h"
#include "kernel/State.h"
#include "kernel/TimeUnits.h"
#include "shell/FileChoice.h"

namespace experiment {
namespace {

std::size_t LastSeparator(const std::string& path) { return path.find_last_of("/\\"); }

std::string FileNamePart(const std::string& path) {
    const std::size_t p = LastSeparator(path);
    return p == std::string::npos ? path : path.substr(p + 1);
}

std::string DirectoryPart(const std::string& path) {
    const std::size_t p = LastSeparator(path);
    return p == std::string::npos ? std::string() : path.substr(0, p);
}

// Index of the unit in effect: the text in use, else the index last set.
int UnitInUse() {
    const int idx = kernel::ZeitEinheitIndexOf(kernel::ZeitEinheit);
    return idx >= 0 ? idx : kernel::ZeitEinheitNr;
}

std::string Upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

}  // namespace

void LoadExpDataDialog(int& append, int& loaded, int& cancelled) {
    using namespace kernel;
    loaded = kFalse;
    shell::FileRequest request;
    request.caption = append ? "Daten aus gewähltem File anfügen" : "Laden experimenteller Daten";
    request.pattern = "*.TA3";
    request.directory = DatenPfad;
    request.proposal = DatenFile;
    std::string chosen;
    cancelled = shell::ChooseFileToOpen(request, chosen) ? kFalse : kTrue;
    if (cancelled) return;

    if (FileNamePart(chosen).empty()) {
        if (!append) ClearExpData();  // confirmed without a name: a new, empty data set
        return;
    }
    if (!DirectoryPart(chosen).empty()) DatenPfad = DirectoryPart(chosen);
    // The reader changes nothing unless the whole file was read, so the data set is not emptied
    // beforehand: a file that fails to load must not cost the data in memory.
    const int unitBefore = UnitInUse();
    const std::string unitTextBefore = ZeitEinheit;
    const int rowsBefore = DataRowCount();
    LoadExpFile(chosen, append, loaded);
    if (!loaded) return;
    // The reader leaves the file's unit text in ZeitEinheit and converts nothing.
    const int fileUnit = ZeitEinheitIdx;
    if (append) {
        ConvertExpRows(rowsBefore + 1, DataRowCount(), fileUnit, unitBefore);
        ZeitEinheit = unitTextBefore;
        ZeitEinheitIdx = unitBefore;
    } else {
        ConvertModelValues(unitBefore, fileUnit);
        ZeitEinheitIdx = ZeitEinheitNr = fileUnit;
        ConvertTimeUnit(ZeitEinheitNr, fileUnit);  // the file's unit in every caption and option
    }
    if (!append) ExpDataChanged = kFalse;
    DatenFile = chosen;
    DatenFileTitel = FileNamePart(chosen);
    AnalyseExpData();
    DatenIstSession = Upper(FileNamePart(DatenFile)) == Upper(FileNamePart(SessionFile)) ? kTrue : kFalse;
}

}  // namespace experiment
