// Every seed of the fuzz targets and every input that once broke a reader, run through the targets'
// checks as plain tests: a failed read changes nothing, an accepted input writes and reads back the same.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "fuzz/FuzzTargets.h"
#include "tests/support/MsgRecorder.h"
#include "tests/support/NumberLocale.h"

namespace fs = std::filesystem;

namespace {

class FuzzReplay : public ::testing::TestWithParam<fuzz::NamedTarget> {};

std::vector<fs::path> Inputs(const std::string& target) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(fs::path(TARVELO_FUZZ_CORPUS) / target))
        if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

TEST_P(FuzzReplay, EverySeedAndEveryFormerFailureKeepsTheProperties) {
    const fuzz::NamedTarget& target = GetParam();
    testsupport::MsgRecorder messages;  // the readers' refusals are answered, not shown
    const auto files = Inputs(target.name);
    EXPECT_GE(files.size(), 2u) << "seeds of " << target.name;
    // The files are read with a decimal point whatever the desk's locale: both must give the same.
    for (testsupport::NumberLocale locale : testsupport::AllNumberLocales) {
        const testsupport::NumberLocaleScope scope(locale);
        for (const fs::path& file : files) {
            std::ifstream in(file, std::ios::binary);
            const std::string bytes((std::istreambuf_iterator<char>(in)), {});
            try {
                target.run(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
            } catch (const fuzz::FuzzFailure& f) {
                ADD_FAILURE() << file.filename().string() << ": " << f.what;
            }
        }
    }
    fs::remove_all(fuzz::ScratchDir());
}

INSTANTIATE_TEST_SUITE_P(Readers, FuzzReplay, ::testing::ValuesIn(fuzz::Targets()),
                         [](const ::testing::TestParamInfo<fuzz::NamedTarget>& info) { return std::string(info.param.name); });
