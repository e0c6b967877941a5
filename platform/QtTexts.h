#pragma once
// Qt's own texts in German: the standard dialogs (files, colours, fonts) with their labels,
// buttons and questions, and the help window's index and search.

namespace platform {

// The program speaks German whatever the locale, so Qt's German catalogue is loaded from Qt's
// translations folder for every run, and Qt draws the standard dialogs itself (a desktop's native
// dialogs would speak the desktop's language). False when no catalogue was found: the dialogs
// then stay English. Call once, after the QApplication is made.
bool InstallGermanQtTexts();

}  // namespace platform
