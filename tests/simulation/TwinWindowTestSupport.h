#pragma once
// Set-up of the tests that drive the real program (batch and tube windows, the whole road of one
// request): the program's main window, the model chosen in the model window, a window opened through
// its menu entry, inputs typed as a user types them, and every message recorded.
#include <QAction>
#include <QTemporaryDir>

#include <initializer_list>
#include <memory>
#include <utility>

#include "platform/core/NumberFormat.h"
#include "shell/MDITAR.h"
#include "tests/simulation/CalcWindowTestSupport.h"

namespace twintest {

using simtest::Control;

inline QLineEdit* Box(const char* form, int i) { return Control<QLineEdit>(form, QStringLiteral("Inp(%1)").arg(i)); }

inline std::string BoxText(const char* form, int i) {
    QLineEdit* box = Box(form, i);
    return box ? box->text().toStdString() : "<missing>";
}

inline double BoxValue(const char* form, int i) { return platform::Val(BoxText(form, i)); }

using simtest::Type;

inline void Click(const char* form, const char* name) {
    auto* button = Control<QAbstractButton>(form, name);
    ASSERT_NE(button, nullptr) << name;
    ASSERT_TRUE(button->isEnabled()) << name;
    button->click();
    QApplication::processEvents();
}

class TwinWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        simtest::AllowNestedLoops();
        ASSERT_TRUE(appDir.isValid());
        kernel::AppPath = appDir.path().toStdString();
        platform::SetLocaleDecimalSeparator('.');
        kernel::ZeitEinheit = "s";
        kernel::ZeitEinheitNr = 0;
        kernel::tauMittel = 0;
        kernel::UmsatzU = 0;
        kernel::RohrV = kernel::RohrL = 0;
        kernel::BatchEingabeModus = 0;
        kernel::InpSelectRohr = 0;
        kernel::KurvenHinzufuegen = 0;
        kernel::nMesspunkte = 0;
        kernel::ErgebnisZeilen.clear();
        kernel::c0Wert.fill(0);
        kernel::kWert.fill(0);
        kernel::tMax = 0;
        kernel::DiagVariante = 0;
        kernel::DatencA0 = kernel::DatencB0 = kernel::DatenTmax = 0;
        main = std::make_unique<MDITAR>("");
        main->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(main.get()));
    }
    void TearDown() override {
        for (const char* w : {"frmProtokoll", "frmSimTabelle", "frmTGraph2D", "frmPrepareTimeDiagram", "frmBatch",
                              "frmRohrreaktor", "frmKinModel"})
            platform::Windows().Unload(w);
        main.reset();
        platform::Windows().SetMainWindow(nullptr, nullptr);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Opens the reactor through its menu entry, then chooses the model in the model window, which
    // writes the model's captions and masks into the open reactor.
    void Open(const char* menuEntry, const char* form, int model) {
        auto* entry = main->findChild<QAction*>(menuEntry);
        ASSERT_NE(entry, nullptr) << menuEntry;
        ASSERT_TRUE(entry->isEnabled()) << menuEntry;
        entry->trigger();
        QApplication::processEvents();
        ASSERT_TRUE(platform::Windows().IsLoaded(form));
        Choose(model);
        rec.Clear();
        form_ = form;
    }
    static void Choose(int model) { simtest::ChooseModel(model); }
    // Types each (box index, text) into the open reactor.
    void Enter(std::initializer_list<std::pair<int, const char*>> inputs) {
        for (const auto& [index, text] : inputs) Type(Box(form_, index), QString::fromUtf8(text));
    }

    const char* form_ = "";

    QTemporaryDir appDir;
    testsupport::MsgRecorder rec;
    std::unique_ptr<MDITAR> main;
};

}  // namespace twintest
