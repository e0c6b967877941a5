#pragma once
// The real message dialog behind platform::MsgBox, and the other Qt services the plain C++
// layer calls through hooks (beep, wait cursor, decimal separator, window access).
#include <QLocale>
#include <QString>

#include <memory>
#include <string>

class QMessageBox;
class QAbstractButton;

namespace platform {

// Builds the dialog for a MsgBox call: buttons, icon and default button from the style,
// the prompt's "\r\n" line breaks as lines, and, once shown, a width that breaks only the lines
// wider than the screen's free area. Not shown.
std::unique_ptr<QMessageBox> BuildMessageBox(const std::string& prompt, int style, const std::string& title);
// The MsgAnswer of a button of a box built by BuildMessageBox (AnswerCancel for an unknown one).
int AnswerOfButton(const QAbstractButton* button);

// Shows the dialog modally and returns the answer.
int QtMsgBox(const std::string& prompt, int style, const std::string& title);

// Installs every Qt service: the window registry as FormHost, the real message dialog,
// beep, wait cursor and the locale's decimal separator. Called once by the program's main;
// test mains install the message recorder instead and call InstallWindowServices().
void InstallQtServices();
// The services tests need too: FormHost, beep, wait cursor, decimal separator.
void InstallWindowServices();

// Puts the program's number texts under a locale: Qt's default locale and the decimal
// separator of the plain C++ layer. Start-up applies the system's locale (from LANG).
void ApplyNumberLocale(const QLocale& locale);

}  // namespace platform
