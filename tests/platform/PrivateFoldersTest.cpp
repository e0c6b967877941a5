// The test processes' own folders: a test process writes where Qt and the program write (settings
// such as the file dialog's history, the home, cache, data and runtime folders, temporary folders),
// and so does a death-test child of it that ends through _Exit; neither leaves anything in the home
// or the temporary folder the process was started with.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/PrivateFolders.h"

namespace {

// Set in the copy of this binary that the test starts, which then writes instead of checking.
constexpr const char* kWriterVariable = "TARVELO_PRIVATE_FOLDERS_WRITER";

// Writes into each place a Qt program writes to; true when every write succeeded.
bool WriteEverywhere() {
    QSettings dialogHistory(QSettings::UserScope, QStringLiteral("QtProject"));
    dialogHistory.setValue(QStringLiteral("FileDialog/lastVisited"), QStringLiteral("file:///gone"));
    dialogHistory.sync();
    bool written = dialogHistory.status() == QSettings::NoError;
    for (const QString& dir : {QDir::homePath(), QStandardPaths::writableLocation(QStandardPaths::CacheLocation),
                               QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
                               QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation)}) {
        QFile file(dir + QStringLiteral("/written"));
        written = QDir().mkpath(dir) && file.open(QIODevice::WriteOnly) && file.write("x") == 1 && written;
    }
    QTemporaryDir kept;
    kept.setAutoRemove(false);
    return kept.isValid() && written;
}

std::string Entries(const QString& dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot).join(' ').toStdString();
}

TEST(PrivateFolders, ATestProcessAndItsChildrenLeaveNothingInTheHomeOrTheTemporaryFolder) {
    if (qEnvironmentVariableIsSet(kWriterVariable)) {
        EXPECT_TRUE(WriteEverywhere());
        EXPECT_EXIT(std::_Exit(WriteEverywhere() ? 0 : 1), testing::ExitedWithCode(0), "");
        return;
    }
    // A run of the tests and the listing that test discovery makes.
    for (const QStringList& arguments :
         {QStringList{QStringLiteral("--gtest_filter=PrivateFolders.*")}, QStringList{QStringLiteral("--gtest_list_tests")}}) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        // A user's own folders, as a desktop session sets them.
        QTemporaryDir home, runtime, temp;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QString::fromLatin1(testsupport::kPrivateRootVariable));
        environment.insert(QStringLiteral("HOME"), home.path());
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral(".config")));
        environment.insert(QStringLiteral("XDG_CACHE_HOME"), home.filePath(QStringLiteral(".cache")));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral(".local/share")));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        environment.insert(QStringLiteral("TMPDIR"), temp.path());
        environment.insert(QString::fromLatin1(kWriterVariable), QStringLiteral("1"));
        QProcess run;
        run.setProcessEnvironment(environment);
        run.setProcessChannelMode(QProcess::MergedChannels);
        run.start(QCoreApplication::applicationFilePath(), arguments);
        ASSERT_TRUE(run.waitForFinished(60000));
        EXPECT_EQ(std::pair(run.exitStatus(), run.exitCode()), std::pair(QProcess::NormalExit, 0))
            << run.readAll().toStdString();
        EXPECT_EQ(Entries(home.path()), "") << "in the home";
        EXPECT_EQ(Entries(runtime.path()), "") << "in the runtime folder";
        EXPECT_EQ(Entries(temp.path()), "") << "in the temporary folder";
    }
}

}  // namespace
