#pragma once
// Files of the main-window tests: data files and projects as users write them.
#include <sstream>

#include "tests/support/ProgramTest.h"

namespace shelltest {

// The main window is started by each test (Start), after it has put its files in place.
class ShellTest : public testsupport::ProgramTest {
protected:
    void SetUp() override { Prepare(); }

    static void WriteFile(const std::string& path, const std::string& bytes) { testsupport::WriteBytes(path, bytes); }

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

};

}  // namespace shelltest
