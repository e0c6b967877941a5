#pragma once
// Common ground of the main-window tests: a temporary program directory, the message recorder,
// file choosers and a comment prompt that answer at once, and the real main window offscreen.
#include <QAction>
#include <QTemporaryDir>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "kernel/State.h"
#include "shell/FileChoice.h"
#include "shell/MDITAR.h"
#include "shell/ProjectFile.h"
#include "tests/support/MsgRecorder.h"

namespace shelltest {

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(appDir.isValid());
        kernel::AppPath = appDir.path().toStdString();
        // State that start-up leaves alone and earlier tests may have changed.
        kernel::DatenFile.clear();
        kernel::KommandoZeile.clear();
        kernel::ProjektFile.clear();
        kernel::ProjektKommentar.clear();
        kernel::ExpDataChanged = 0;
        kernel::SpezSkalierung = 0;
        kernel::SpezSkalierungStoff = 0;
        kernel::FitAnzeigeModus = 0;
        kernel::tMax = 0;
        kernel::tauMittel = 0;
        kernel::c0Wert.fill(0.0);
        shell::SetOpenFileChooser([this](const shell::FileRequest& r, std::string& path) {
            openRequests.push_back(r);
            if (openAnswer.empty()) return false;
            path = openAnswer;
            return true;
        });
        shell::SetSaveFileChooser([this](const shell::FileRequest& r, std::string& path) {
            saveRequests.push_back(r);
            if (saveAnswer.empty()) return false;
            path = saveAnswer;
            return true;
        });
        shell::SetCommentPrompt([this] {
            ++commentPrompts;
            kernel::ProjektKommentar = commentAnswer;
        });
    }
    void TearDown() override {
        window.reset();
        shell::SetOpenFileChooser(nullptr);
        shell::SetSaveFileChooser(nullptr);
        shell::SetCommentPrompt(nullptr);
    }

    MDITAR& Start(const std::string& commandLine = "") {
        window = std::make_unique<MDITAR>(commandLine);
        return *window;
    }

    std::string Path(const std::string& name) const { return kernel::AppPath + "/" + name; }

    static void WriteFile(const std::string& path, const std::string& bytes) {
        std::ofstream out(path, std::ios::binary);
        out << bytes;
    }
    static std::string ReadFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    // A measured-data file with n rows of A => P at 298 K (c(A) halving every 10 s).
    static std::string DataFileText(int n, const std::string& comment = "Messung 1") {
        std::string t = comment + "\r\ns\r\nt, cA, cB, cC, cP, cQ, k, T, lambda, lambda_inf, res3, res4, exclude(0|-1)\r\n";
        t += std::to_string(n) + "\r\n";
        double c = 1.0;
        for (int i = 0; i < n; ++i, c /= 2) {
            std::ostringstream row;
            row << i * 10 << "," << c << ",0,0," << 1 - c << ",0,0,298,0,0,0,0,0\r\n";
            t += row.str();
        }
        return t;
    }

    // A project file of the given lines, each ended by eol.
    static std::string Lines(const std::vector<std::string>& lines, const std::string& eol = "\r\n") {
        std::string t;
        for (const auto& l : lines) t += l + eol;
        return t;
    }
    // A typical hand-written project: model 4, k = .5, 1E-03, 2.5, c0 = 1.25, .75, 0, 0, 0,
    // species 2 scaled, fitting mode 1, t(max) 120, tau 60, unit "min".
    static std::vector<std::string> SampleProject(const std::string& dataName = "MESS1.TA3") {
        return {"06.12.2026 10:00:00", "Versuch vom Montag", dataName, " 4", ".5,1E-03,2.5", "0", "5", "1.25",
                ".75", "0", "0", "0", "2", "-1", "1,0,0,0", "120", "60", "0,0", "min", ""};
    }

    // Runs a menu entry of the main window as a click would.
    void Menu(const char* name) { window->findChild<QAction*>(name)->trigger(); }

    bool Enabled(const char* name) const { return window->findChild<QAction*>(name)->isEnabled(); }

    QTemporaryDir appDir;
    testsupport::MsgRecorder recorder;
    std::unique_ptr<MDITAR> window;
    std::string openAnswer, saveAnswer, commentAnswer;
    std::vector<shell::FileRequest> openRequests, saveRequests;
    int commentPrompts = 0;
};

}  // namespace shelltest
