#pragma once
// A first-order diagram with its design dialog and menus, and stand-ins for the colour and font
// dialogs (the file choosers are the shared ones), so that the design tests drive the real widgets
// without modal dialogs.

#include "design/DesignDialogs.h"
#include "design/DiagramMenus.h"
#include "design/frmTGraph2D_Gestaltung.h"
#include "tests/diagram/MessdatenTestSupport.h"
#include "tests/support/ProgramTest.h"

namespace designtest {

class DesignTest : public diagramtest::DiagrammTest {
protected:
    static constexpr int kKurven = diagram::kGruppeKurven, kPunkte = diagram::kGruppePunkte;
    static constexpr int kRot = platform::Chart2D::Rgb(255, 0, 0), kGruen = platform::Chart2D::Rgb(0, 200, 0);

    void SetUp() override {
        DiagrammTest::SetUp();
        design::SetFarbDialog([this](int start) {
            farbStart = start;
            return naechsteFarbe;
        });
        design::SetSchriftDialog([this](design::SchriftWahl& w) {
            if (!naechsteSchrift) return false;
            w = *naechsteSchrift;
            return true;
        });
    }
    void TearDown() override {
        for (const char* werkzeug : {"frmTGraphCalc", "frmCalcTangente"}) platform::Windows().Unload(werkzeug);
        DiagrammTest::TearDown();
        design::SetFarbDialog(nullptr);
        design::SetSchriftDialog(nullptr);
        design::SetDruckerQuelle(nullptr);
    }

    // Opens the first-order diagram (A in slot 1, P in slot 2) with its menus connected.
    void Oeffne() {
        diagramtest::ZeitverlaufErsteOrdnung();
        OeffneFenster();
    }
    // Opens the diagram of the time course in force.
    void OeffneFenster() {
        f = diagramtest::OeffneDiagramm(2);
        ASSERT_NE(f, nullptr);
        design::ConnectDiagramMenus(f);
        d = design::frmTGraph2D_Gestaltung::Geladen();
        ASSERT_NE(d, nullptr);
        c = f->Chart();
    }
    template <class T>
    T* Control(const char* name) const {
        return d->findChild<T*>(QString::fromUtf8(name));
    }
    QLineEdit* Feld(const char* set, int i) const {
        return Control<QLineEdit>((std::string(set) + "(" + std::to_string(i) + ")").c_str());
    }
    void Klick(const char* name) const {
        auto* b = Control<QPushButton>(name);
        ASSERT_NE(b, nullptr) << name;
        b->click();
    }
    // Presses a colour button with the colour the colour dialog will give (none: cancelled).
    void Farbe(const char* knopf, std::optional<int> farbe) {
        naechsteFarbe = farbe;
        Klick(knopf);
    }
    double Zahl(const char* name) const { return platform::Val(Control<QLineEdit>(name)->text().toStdString()); }
    // Types the given fields of the axis panel (1 x min, 2 x max, 3 y min, 4 y max) and applies them.
    void Bereich(std::initializer_list<std::pair<int, const char*>> felder) {
        f->mnuCoord_Click();
        for (const auto& [i, text] : felder) Feld("coord", i)->setText(text);
        Klick("cmdCoord_OK");
    }

    diagram::frmTGraph2D* f = nullptr;
    design::frmTGraph2D_Gestaltung* d = nullptr;
    platform::Chart2D* c = nullptr;
    std::optional<int> naechsteFarbe;
    int farbStart = -1;
    std::optional<design::SchriftWahl> naechsteSchrift;
    testsupport::Dialogs dialogs;
};

}  // namespace designtest
