#include "shell/ProtocolName.h"

#include <QDate>

#include <cstdio>

#include "kernel/Utilities.h"
#include "platform/core/MsgBox.h"

namespace shell {

namespace {
constexpr int kMaxProtFilesPerDay = 99;
QDate fixedDate;  // invalid: the system date
}

bool AutoProtName(int year, int month, int day, std::string& name) {
    char stem[16];
    std::snprintf(stem, sizeof stem, "%02d%02d%02d", year % 100, month % 100, day % 100);
    for (int counter = 1; counter <= kMaxProtFilesPerDay; ++counter) {
        char candidate[32];
        std::snprintf(candidate, sizeof candidate, "%s%02d.CSV", stem, counter);
        if (!kernel::FileExists(candidate)) {
            name = candidate;
            return true;
        }
    }
    name.clear();
    platform::MsgBox("Alle 99 Namen für Protokolldateien des heutigen Tages sind vergeben." + std::string("\r\n") +
                         "Bitte löschen oder verschieben Sie Protokolldateien (*.CSV) im Programmverzeichnis;" +
                         "\r\n" + "bis dahin wird kein Protokoll gespeichert.",
                     platform::MsgExclamation, "Protokolldatei");
    return false;
}

void SetAutoProtName(std::string& name) {
    kernel::ChangeToAppDir();
    const QDate today = ProtDate();
    AutoProtName(today.year(), today.month(), today.day(), name);
}

QDate ProtDate() { return fixedDate.isValid() ? fixedDate : QDate::currentDate(); }

void SetProtDate(int year, int month, int day) {
    fixedDate = year > 0 ? QDate(year, month, day) : QDate();
}

}  // namespace shell
