// Opening times of the windows as a user meets them, measured click to idle on the real windows
// (offscreen), found by their object names: "Zeichnen" of the first-order model to the shown
// diagram, and the fitting window opened with its diagram from the evaluation menu.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <cmath>
#include <cstdlib>
#include <memory>

#include "kernel/DataSet.h"
#include "kernel/State.h"
#include "platform/Help.h"
#include "platform/WindowRegistry.h"
#include "platform/core/MsgBox.h"
#include "shell/MDITAR.h"

namespace {

template <typename T>
T* Control(const char* form, const char* name) {
    QWidget* w = platform::Windows().Get(form);
    return w ? w->findChild<T*>(QString::fromLatin1(name)) : nullptr;
}

// Until nothing waits: the events a click posted and those their handling posted in turn.
void Idle() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

void Unload(const char* form) {
    platform::Windows().Unload(form);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The program's main window over a fresh application folder, messages answered by their default.
class Program {
public:
    Program() {
        platform::SetMsgBoxHandler([](const std::string&, int, const std::string&) { return platform::AnswerOk; });
        kernel::AppPath = dir_.path().toStdString();
        QFile::link(QCoreApplication::applicationDirPath() + "/tarvelo.qch", dir_.path() + "/tarvelo.qch");
        main_ = std::make_unique<MDITAR>("");
        main_->show();
        Idle();
    }
    ~Program() {
        for (const char* w : {"frmTFitting", "frmTGraph2D", "frmPrepareTimeDiagram", "frmKinModel"}) Unload(w);
        main_.reset();
        platform::Windows().SetMainWindow(nullptr, nullptr);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    void Trigger(const char* entry) {
        auto* a = main_->findChild<QAction*>(entry);
        if (!a) return;
        a->setEnabled(true);
        a->trigger();
        Idle();
    }
    void ChooseModel(int model) {
        if (auto* o = Control<QRadioButton>("frmKinModel", QStringLiteral("optTyp(%1)").arg(model).toLatin1()))
            o->click();
        Idle();
    }

private:
    QTemporaryDir dir_;
    std::unique_ptr<MDITAR> main_;
};

// Model 2 drawn again into the shown, idle diagram: 3 curves of 201 points.
void BM_DrawModel2(benchmark::State& state) {
    Program program;
    program.Trigger("mnuModel");
    program.ChooseModel(2);
    program.Trigger("mnuctGraph");
    auto* draw = Control<QPushButton>("frmPrepareTimeDiagram", "cmdDrawctDiagram");
    if (!draw) {
        state.SkipWithError("no draw button");
        return;
    }
    if (auto* c0 = Control<QLineEdit>("frmPrepareTimeDiagram", "Inp(0)")) c0->setText("1");
    if (auto* k1 = Control<QComboBox>("frmPrepareTimeDiagram", "kCombo(1)")) k1->setCurrentText("0.1");
    if (auto* t = Control<QComboBox>("frmPrepareTimeDiagram", "kCombo(0)")) t->setCurrentText("30");
    draw->click();
    Idle();
    if (!platform::Windows().IsLoaded("frmTGraph2D")) state.SkipWithError("no diagram");
    for (auto _ : state) {
        draw->click();
        Idle();
    }
}
BENCHMARK(BM_DrawModel2)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The fitting window with its diagram, opened from the evaluation menu for 9 first-order rows.
void BM_OpenFittingWindow(benchmark::State& state) {
    Program program;
    program.Trigger("mnuModel");
    program.ChooseModel(2);
    for (auto _ : state) {
        state.PauseTiming();
        kernel::ExpDaten.assign(1, kernel::ExpPunkt{});
        for (int i = 0; i < 9; ++i) {
            kernel::ExpPunkt row;
            row.t = 10.0 * i;
            row.c[1] = std::exp(-0.05 * row.t);
            row.c[4] = 1 - row.c[1];
            kernel::ExpDaten.push_back(row);
        }
        kernel::nMesspunkte = 9;
        kernel::AnalyseExpData();
        kernel::SetC0AusMessdaten();
        kernel::kWert[1] = 0.03;
        state.ResumeTiming();
        program.Trigger("mnuctFitting");
        state.PauseTiming();
        if (!platform::Windows().IsLoaded("frmTFitting")) state.SkipWithError("fitting window not open");
        Unload("frmTFitting");
        Unload("frmTGraph2D");
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenFittingWindow)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The main window from construction to idle: the help is only named at start, not set up.
void BM_StartMainWindow(benchmark::State& state) {
    for (auto _ : state) Program program;
}
BENCHMARK(BM_StartMainWindow)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The first help call of a run: the engine registers the help file, then the window shows the
// topic. Each round names the file by another link, so the engine is set up anew.
void BM_HelpFirstOpening(benchmark::State& state) {
    Program program;
    const QString file = QString::fromStdString(platform::HelpFile());
    QTemporaryDir links;
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        platform::CloseAllHelpWindows();
        const QString link = links.filePath(QStringLiteral("tarvelo%1.qch").arg(round++));
        QFile::link(file, link);
        platform::SetHelpFile(link.toStdString());
        state.ResumeTiming();
        platform::ShowHelpContext(7005);
        Idle();
    }
    platform::CloseAllHelpWindows();
}
BENCHMARK(BM_HelpFirstOpening)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The open help window turned to another topic, as a second help button does.
void BM_HelpNextTopic(benchmark::State& state) {
    Program program;
    platform::ShowHelpContext(7005);
    Idle();
    int round = 0;
    for (auto _ : state) {
        platform::ShowHelpContext(++round % 2 ? 8501 : 7015);
        Idle();
    }
    platform::CloseAllHelpWindows();
}
BENCHMARK(BM_HelpNextTopic)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
