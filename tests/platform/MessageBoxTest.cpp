// The real message dialog: VB styles become buttons, icon and default button; the help call
// says that there is no help file.
#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>

#include <gtest/gtest.h>

#include "platform/Help.h"
#include "platform/QtMessageBox.h"
#include "platform/core/MsgBox.h"
#include "tests/support/MsgRecorder.h"

namespace {

using namespace platform;

std::vector<int> Answers(const QMessageBox& box) {
    std::vector<int> answers;
    for (QAbstractButton* b : box.buttons()) answers.push_back(AnswerOfButton(b));
    std::sort(answers.begin(), answers.end());
    return answers;
}

TEST(QtMessageBox, StylesGiveButtonsIconAndDefault) {
    struct Case {
        int style;
        std::vector<int> answers;  // sorted
        QMessageBox::Icon icon;
        int defaultAnswer;
        int escapeAnswer;  // 0: none
    };
    const Case cases[] = {
        {vbOKOnly, {vbOK}, QMessageBox::NoIcon, vbOK, vbOK},
        {vbOKCancel + vbQuestion, {vbOK, vbCancel}, QMessageBox::Question, vbOK, vbCancel},
        {vbAbortRetryIgnore + vbCritical + vbDefaultButton3, {vbAbort, vbRetry, vbIgnore}, QMessageBox::Critical,
         vbIgnore, 0},
        {vbYesNoCancel + vbExclamation, {vbCancel, vbYes, vbNo}, QMessageBox::Warning, vbYes, vbCancel},
        {vbYesNo + vbCritical + vbDefaultButton2, {vbYes, vbNo}, QMessageBox::Critical, vbNo, 0},
        {vbRetryCancel + vbInformation, {vbCancel, vbRetry}, QMessageBox::Information, vbRetry, vbCancel},
        {vbOKOnly + vbInformation + vbDefaultButton2, {vbOK}, QMessageBox::Information, vbOK, vbOK},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        auto box = BuildMessageBox("Zeile 1\r\nZeile 2", c.style, " Ausführung nicht möglich ");
        EXPECT_EQ(Answers(*box), c.answers);
        EXPECT_EQ(box->icon(), c.icon);
        EXPECT_EQ(AnswerOfButton(box->defaultButton()), c.defaultAnswer);
        // The default answer of the plain layer agrees with the dialog's default button.
        EXPECT_EQ(DefaultAnswer(c.style), c.defaultAnswer);
        if (c.escapeAnswer) EXPECT_EQ(AnswerOfButton(box->escapeButton()), c.escapeAnswer);
        else EXPECT_EQ(box->escapeButton(), nullptr);
        EXPECT_EQ(box->windowTitle(), QString::fromUtf8(" Ausführung nicht möglich "));
        EXPECT_EQ(box->text(), "Zeile 1\nZeile 2");
    }
    // German captions; a dialog closed without a button answers Cancel.
    auto box = BuildMessageBox("?", vbYesNoCancel, "WARNUNG");
    QStringList texts;
    for (QAbstractButton* b : box->buttons()) texts << b->text().remove('&');
    texts.sort();
    EXPECT_EQ(texts, QStringList({"Abbrechen", "Ja", "Nein"}));
    EXPECT_EQ(AnswerOfButton(nullptr), vbCancel);
}

TEST(Help, OpeningHelpSaysThatThereIsNoHelpFile) {
    testsupport::MsgRecorder recorder;
    SetHelpFile("/opt/tarvelo/tarvelo.chm");
    ShowHelpContext(11223);
    ASSERT_EQ(recorder.Messages().size(), 1u);
    EXPECT_NE(recorder.Last().prompt.find("tarvelo.chm ist nicht verfügbar"), std::string::npos);
    EXPECT_NE(recorder.Last().prompt.find("11223"), std::string::npos);
    EXPECT_EQ(recorder.Last().style & 0x70, vbInformation);
    CloseAllHelpWindows();  // nothing open, nothing shown
    EXPECT_EQ(recorder.Messages().size(), 1u);
}

}  // namespace
