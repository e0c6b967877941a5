#pragma once
// The data editor opened through the window registry in the program's main window.

#include <QTableWidget>

#include <locale>
#include <sstream>

#include "experiment/frmDatedit.h"
#include "kernel/DataFile.h"
#include "kernel/TimeUnits.h"
#include "platform/Grid.h"
#include "tests/support/ProgramTest.h"

namespace datatest {

// One data row: t, c(A), c(B), T, k, exclude.
struct Row {
    double t = 0, cA = 0, cB = 0, T = 0, k = 0;
    int exclude = 0;
};

class DataEditorTest : public testsupport::ProgramTest {
protected:
    static void SetData(const std::vector<Row>& rows) {
        using namespace kernel;
        ExpDaten.assign(1, ExpPunkt{});
        for (const Row& r : rows) {
            ExpPunkt& p = ExpDaten.emplace_back();
            p.t = r.t;
            p.c[1] = r.cA;
            p.c[2] = r.cB;
            p.T = r.T;
            p.k = r.k;
            p.exclude = r.exclude;
        }
        nMesspunkte = static_cast<int>(rows.size());
    }
    std::vector<double> Times() const {
        std::vector<double> t;
        for (int i = 1; i <= kernel::nMesspunkte; ++i) t.push_back(kernel::ExpDaten[static_cast<std::size_t>(i)].t);
        return t;
    }

    // Writes a data file in the given unit; returns its path.
    std::string WriteTA3(const char* name, const char* unit, const std::vector<Row>& rows,
                         const char* comment = "Messung") const {
        std::ostringstream out;
        out.imbue(std::locale::classic());
        out << comment << "\r\n" << unit << "\r\n" << kernel::kDataFileHeader << "\r\n" << rows.size() << "\r\n";
        for (const Row& r : rows)
            out << r.t << ',' << r.cA << ',' << r.cB << ",0,0,0," << r.k << ',' << r.T << ",0,0,0,0," << r.exclude
                << "\r\n";
        std::ofstream(Path(name), std::ios::binary) << out.str();
        return Path(name);
    }
    // Reads a data file into the data set, as a check of what was written.
    void ReadBack(const std::string& path) const {
        SetData({});
        int append = 0, loaded = 0;
        kernel::LoadExpFile(path, append, loaded);
        ASSERT_EQ(loaded, kernel::kTrue) << path;
    }
    frmDatedit& Open() {
        editor = qobject_cast<frmDatedit*>(platform::Windows().Show("frmDatedit"));
        EXPECT_NE(editor, nullptr);
        return *editor;
    }
    template <typename T>
    T* Find(const QString& name) const {
        T* w = editor->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    platform::Grid& Grid() const { return *Find<platform::Grid>("Grid"); }
    void Press(const char* name) const { Find<QPushButton>(name)->click(); }
    QLineEdit* Y(int i) const { return Find<QLineEdit>(QStringLiteral("y(%1)").arg(i)); }
    QString Text(const char* label) const { return Find<QLabel>(label)->text(); }
    // The editor of a grid cell, opened and emptied (the editors of earlier edits deleted first).
    QLineEdit* EditCell(int row, int col) const {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Grid().EditCell(row, col);
        auto* cell = Grid().findChild<QTableWidget*>()->findChild<QLineEdit*>();
        EXPECT_NE(cell, nullptr);
        if (cell) cell->clear();
        return cell;
    }
    static void SetClipboard(const std::string& text) { QApplication::clipboard()->setText(QString::fromStdString(text)); }

    frmDatedit* editor = nullptr;
};

// The same editor under the C and the German number locale.
using DataEditorRoad = testsupport::InBothLocales<DataEditorTest>;

}  // namespace datatest
