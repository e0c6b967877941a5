#pragma once
// Names of the protocol files: two-digit year, month and day, a two-digit counter of the day
// from 01, ".CSV" (e.g. "26120603.CSV"); the files lie in the program directory.
#include <QDate>

#include <string>

namespace shell {

// The first name of the given day that no file in the program directory has. When all 99 names
// of the day are taken: a message and false, name := "" (no name is ever reused).
bool AutoProtName(int year, int month, int day, std::string& name);

// The same for today, as the main window and the protocol window use it. Changes to the program
// directory first.
void SetAutoProtName(std::string& name);

// Today's date as the protocol names and heads its files.
QDate ProtDate();

// A fixed day in place of the system date for ProtDate (tests); year 0 restores the system date.
void SetProtDate(int year, int month, int day);

}  // namespace shell
