// The program's own open dialog (listing, preview, typed names and patterns, delete, folder up) and
// the project-comment dialog, both driven modally as the program shows them.
#include <QCoreApplication>
#include <QDir>
#include <QListWidget>

#include <sys/stat.h>
#include <unistd.h>

#include <functional>

#include "kernel/Utilities.h"
#include "platform/core/TextFile.h"
#include "shell/frmTCmnDlg.h"
#include "tests/support/ProgramTest.h"

namespace {

using namespace kernel;

QString Text(QWidget& d, const char* name) {
    if (auto* box = d.findChild<QLineEdit*>(name)) return box->text();
    return d.findChild<QLabel*>(name)->text();
}

class FileDialogTest : public testsupport::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        folder = dir.path().toStdString();
        // The preview shows the project's date up to a comma.
        testsupport::WriteBytes(Path("proj1.TC3"), "06.12.2026 10:00:00, mehr\r\nVersuch vom Montag\r\nMESS1.TA3\r\n 2\r\n");
        testsupport::WriteBytes(Path("nodata.TC3"), "05.12.2026 09:30:00\r\nohne Daten\r\n\r\n 2\r\n");
        testsupport::WriteBytes(Path("mess1.TA3"), "Messung 1\r\ns\r\nt, cA\r\n3\r\n0,1,0,0,0,0,0,298,0,0,0,0,0\r\n");
        testsupport::WriteBytes(Path("notes.txt"), "x\r\n");
    }

    // Shows the dialog as the program does; steps run while it is open, then a dialog still
    // open is cancelled so that a failing step never leaves the test waiting. Returns cancel.
    bool Run(const std::string& pattern, const std::function<void(frmTCmnDlg&)>& steps,
             const std::string& proposal = "") {
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<frmTCmnDlg*>(platform::Windows().Get("frmTCmnDlg"));
            if (!dialog) return;
            steps(*dialog);
            if (dialog->isVisible()) dialog->findChild<QPushButton*>("cmdOpenCancel")->click();
        });
        fullName = proposal;
        directory = folder;
        bool cancel = false;
        shell::ShowFileDialog(fullName, fileName, directory, pattern, "Projekt laden (*.TC3)", 0, cancel);
        return cancel;
    }
    static QStringList Items(frmTCmnDlg& d) {
        QStringList items;
        auto* list = d.findChild<QListWidget*>("filOpenList");
        for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
        return items;
    }
    static void Select(frmTCmnDlg& d, const QString& name) {
        auto* list = d.findChild<QListWidget*>("filOpenList");
        list->setCurrentItem(list->findItems(name, Qt::MatchExactly).value(0));
    }
    static void Type(frmTCmnDlg& d, const QString& text) {
        d.findChild<QLineEdit*>("txtOpenFile")->setText(text);
        d.findChild<QPushButton*>("cmdOpenOK")->click();
    }

    std::string folder, fullName, fileName, directory;
};

TEST_F(FileDialogTest, ListsPreviewsDeletesAndReturnsTheDoubleClickedFile) {
    ProjektFile = "PROJ1.TC3";  // preselected in any letter case
    const bool cancel = Run("*.tc3", [&](frmTCmnDlg& d) {
        EXPECT_EQ(Items(d), (QStringList{"nodata.TC3", "proj1.TC3"}));
        EXPECT_EQ(Text(d, "lblOpenPath").toStdString(), kernel::ShortenPath(folder, 60));
        EXPECT_EQ(d.findChild<QGroupBox*>("fraView")->title(), "Projekt-Information");
        EXPECT_EQ((QStringList{Text(d, "Text1"), Text(d, "lblFileComment"), Text(d, "txtDatum"), Text(d, "Label7")}),
                  (QStringList{"Versuch vom Montag", "Projekt-Kommentar", " vom 06.12.2026 10:00:00",
                               " MESS1.TA3 vom 06.12.2026 10:00:00"}));
        // Delete asks; No keeps the file.
        auto* list = d.findChild<QListWidget*>("filOpenList");
        rec.QueueAnswer(platform::AnswerNo);
        QTest::keyClick(list, Qt::Key_Delete);
        ASSERT_EQ(rec.Messages().size(), 1u);
        EXPECT_EQ(rec.Last().prompt, "File proj1.TC3 wirklich löschen?");
        EXPECT_TRUE(platform::FileExistsAt(folder + "/proj1.TC3"));
        rec.QueueAnswer(platform::AnswerYes);
        QTest::keyClick(list, Qt::Key_Delete);
        EXPECT_FALSE(platform::FileExistsAt(folder + "/proj1.TC3"));
        EXPECT_EQ(Items(d), QStringList{"nodata.TC3"});
        Select(d, "nodata.TC3");
        EXPECT_EQ(Text(d, "Label7"), "(ohne Datenfile)");
        emit list->itemDoubleClicked(list->currentItem());
    });
    EXPECT_FALSE(cancel);
    EXPECT_EQ(std::tuple(fileName, fullName), std::tuple("nodata.TC3", folder + "/nodata.TC3"));
}

TEST_F(FileDialogTest, TypedPatternFiltersAndAMissingNameIsRefused) {
    const bool cancel = Run(
        "*.TC3",
        [&](frmTCmnDlg& d) {
            EXPECT_EQ(Text(d, "txtOpenFile"), "OLD.TC3");  // the proposal, upper-cased
            Type(d, "*.TA3");
            EXPECT_EQ(Items(d), QStringList{"mess1.TA3"});
            EXPECT_EQ(Text(d, "txtOpenFile"), "*.TA3");
            EXPECT_EQ(d.FilePattern(), "*.TA3");
            Type(d, "fehlt.TA3");
            EXPECT_TRUE(d.isVisible());
            ASSERT_EQ(rec.Messages().size(), 1u);
            EXPECT_EQ(rec.Last().prompt, "Datei nicht gefunden");
            EXPECT_EQ(rec.Last().title, "Projekt laden (*.TC3)");
            QTest::keyClick(&d, Qt::Key_Escape);
        },
        "/somewhere/old.tc3");
    EXPECT_TRUE(cancel);
    EXPECT_EQ(fullName, "/somewhere/old.tc3");
}

TEST_F(FileDialogTest, DataFilePreviewAndANameTypedInAnyCase) {
    const bool cancel = Run("*.TA3", [&](frmTCmnDlg& d) {
        EXPECT_EQ(Text(d, "txtOpenFile"), "*.TA3");  // no proposal: the pattern
        Select(d, "mess1.TA3");
        EXPECT_EQ(d.findChild<QGroupBox*>("fraView")->title(), "File-Information");
        EXPECT_EQ((QStringList{Text(d, "Text1"), Text(d, "lblFileComment"), Text(d, "Label7")}),
                  (QStringList{"Messung 1", "Datei-Kommentar:", " 3 Messpunkte"}));
        Type(d, "MESS1.TA3");
    });
    EXPECT_FALSE(cancel);
    EXPECT_EQ(std::tuple(fileName, fullName), std::tuple("mess1.TA3", folder + "/mess1.TA3"));  // as the disk has it

    // A file named in Latin-1 by an older system is listed, previewed (a long comment only in part)
    // and returned as the bytes of its name; a pipe is not listed.
    const std::string latin = "M\xE4rz.TA3";
    testsupport::WriteBytes(Path(latin), std::string(600, 'c') + "\r\ns\r\nt, cA\r\n1\r\n0,1,0,0,0,0,0,298,0,0,0,0,0\r\n");
    ASSERT_EQ(::mkfifo((folder + "/pipe.TA3").c_str(), 0644), 0);
    EXPECT_FALSE(Run("*.TA3", [&](frmTCmnDlg& d) {
        EXPECT_EQ(Items(d), (QStringList{"mess1.TA3", "M\u00E4rz.TA3"}));
        Select(d, "M\u00E4rz.TA3");
        EXPECT_EQ(Text(d, "Text1"), QString(500, 'c') + "...");
        EXPECT_EQ(Text(d, "Label7"), " 1 Messpunkte");
        d.findChild<QPushButton*>("cmdOpenOK")->click();
    }));
    EXPECT_EQ(std::tuple(fileName, fullName), std::tuple(latin, folder + "/" + latin));
    // The folder's own clean-up skips pipes and names that are not UTF-8.
    for (const std::string& name : {std::string("/pipe.TA3"), "/" + latin}) ::unlink((folder + name).c_str());
}

TEST_F(FileDialogTest, OpenChooserGoesThroughTheDialogAndUpAFolder) {
    shell::SetOpenFileChooser(nullptr);  // the program's own dialog
    QDir(dir.path()).mkdir("unter");
    const shell::FileRequest request{
        .caption = "Projekt laden (*.TC3)", .pattern = "*.TC3", .filter = {}, .directory = folder + "/unter",
        .proposal = {}, .defaultSuffix = {}};
    QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<frmTCmnDlg*>(platform::Windows().Get("frmTCmnDlg"));
        ASSERT_NE(d, nullptr);
        d->findChild<QPushButton*>("cmdReturn")->click();
        EXPECT_EQ(d->DirPath().toStdString(), folder);
        Select(*d, "proj1.TC3");
        d->findChild<QPushButton*>("cmdOpenOK")->click();
        if (d->isVisible()) d->reject();
    });
    std::string chosen;
    EXPECT_TRUE(shell::ChooseFileToOpen(request, chosen));
    EXPECT_EQ(chosen, folder + "/proj1.TC3");
    // Stored back where it stood: 20 twips put it on pixel 1, which is 15 twips.
    EXPECT_EQ(PosCmnDlg.Left, 15);
}

TEST_F(FileDialogTest, CommentInputOkTakesOneLineAbortEmptiesClosingKeeps) {
    shell::SetCommentPrompt(nullptr);
    auto answer = [](const std::function<void(QWidget&)>& steps) {
        QTimer::singleShot(0, [steps] {
            QWidget* d = platform::Windows().Get("frmCommentInput");
            if (!d) return;
            steps(*d);
            if (d->isVisible()) d->close();
        });
        shell::AskProjectComment();
    };
    ProjektKommentar = "alt";
    answer([](QWidget& d) {
        auto* box = d.findChild<QLineEdit*>("txtDatComm");
        EXPECT_EQ(box->text(), "alt");
        box->setText("neuer Kommentar");
        QTest::keyClick(box, Qt::Key_Return);
        EXPECT_TRUE(d.isVisible());  // Return does not close the dialog
        d.findChild<QPushButton*>("cmdOK")->click();
    });
    EXPECT_EQ(ProjektKommentar, "neuer Kommentar");
    EXPECT_FALSE(platform::Windows().IsLoaded("frmCommentInput"));
    answer([](QWidget& d) { d.findChild<QPushButton*>("cmdAbort")->click(); });
    EXPECT_EQ(ProjektKommentar, "");
    ProjektKommentar = "bleibt";
    answer([](QWidget& d) {
        d.findChild<QLineEdit*>("txtDatComm")->setText("verworfen");
        d.close();
    });
    EXPECT_EQ(ProjektKommentar, "bleibt");
}

}  // namespace
