#pragma once
// The data editor opened through the window registry in an MDI host that carries the main
// window's data entries (built by the program's own menu code), with the shared state at its
// start values, messages and beeps recorded, and the file choosers answered by the test.
#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "experiment/frmDatedit.h"
#include "kernel/State.h"
#include "kernel/TimeUnits.h"
#include "platform/Grid.h"
#include "platform/WindowRegistry.h"
#include "platform/core/MsgBox.h"
#include "shell/FileChoice.h"
#include "shell/WindowMenus.h"
#include "tests/experiment/MdiTestHost.h"
#include "tests/support/MsgRecorder.h"

namespace datatest {

// One data row: t, c(A), c(B), T, k, exclude.
struct Row {
    double t = 0, cA = 0, cB = 0, T = 0, k = 0;
    int exclude = 0;
};

inline QMainWindow* Host() {
    static QMainWindow* host = exptest::NewMdiHost(
        [](QMainWindow* main) {
            for (int i : {8, 16}) {
                auto* button = new QAction(main);
                button->setObjectName(QStringLiteral("Toolbar1(%1)").arg(i));
                button->setEnabled(false);
            }
            shell::BuildWindowMenus(main);
        },
        1100, 700);
    return exptest::InstallMdiHost(host);
}

class DataEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        using namespace kernel;
        Host();
        CloseAll();
        for (const char* entry : {"mnuEditDat", "Toolbar1(8)", "Toolbar1(16)"})
            Host()->findChild<QAction*>(entry)->setEnabled(false);
        BuildZeitFaktor();
        aktModell = 2;
        EnzymRcsModus = kTrue;
        ZeitEinheit = "s";
        ZeitEinheitNr = ZeitEinheitIdx = 0;
        tMax = tauMittel = lambdaInf = 0;
        kWert.fill(0);
        c0Mess.fill(0);
        SetData({});
        DatenKommentar.clear();
        DatenFile.clear();
        DatenPfad = dir.path().toStdString();
        SessionFile = dir.filePath("TarLastSession.TC3").toStdString();
        ExpDataChanged = DezKomma = DiagVariante = aktDiagrammCode = nKurven = KurvenHinzufuegen = 0;
        ArrhA = ArrhEA = 0;
        DiagRec = DiagRecord{};
        KurveFrei.fill(kTrue);
        PosDatedit = {0, 0};
        platform::SetBeepHandler([this] { ++beeps; });
        shell::SetOpenFileChooser([this](const shell::FileRequest& r, std::string& path) {
            openRequests.push_back(r);
            path = openAnswer;
            return !openCancel;
        });
        shell::SetSaveFileChooser([this](const shell::FileRequest& r, std::string& path) {
            saveRequests.push_back(r);
            path = saveAnswer;
            return !saveAnswer.empty();
        });
    }
    void TearDown() override {
        CloseAll();
        shell::SetOpenFileChooser(nullptr);
        shell::SetSaveFileChooser(nullptr);
        platform::SetBeepHandler(nullptr);
    }
    static void CloseAll() {
        testsupport::MsgRecorder quiet;
        platform::Windows().Unload("frmDatedit");
        platform::Windows().Unload("frmTGraph2D");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    static void SetData(const std::vector<Row>& rows) {
        using namespace kernel;
        ExpDaten.assign(rows.size() + 1, ExpPunkt{});
        for (std::size_t i = 0; i < rows.size(); ++i) {
            ExpPunkt& p = ExpDaten[i + 1];
            p.t = rows[i].t;
            p.c[1] = rows[i].cA;
            p.c[2] = rows[i].cB;
            p.T = rows[i].T;
            p.k = rows[i].k;
            p.exclude = rows[i].exclude;
        }
        nMesspunkte = static_cast<int>(rows.size());
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
    static bool MainEnabled(const char* name) {
        auto* action = Host()->findChild<QAction*>(name);
        return action && action->isEnabled();
    }

    QTemporaryDir dir;
    testsupport::MsgRecorder recorder;
    frmDatedit* editor = nullptr;
    int beeps = 0;
    std::string openAnswer, saveAnswer;
    bool openCancel = false;
    std::vector<shell::FileRequest> openRequests, saveRequests;
};

}  // namespace datatest
