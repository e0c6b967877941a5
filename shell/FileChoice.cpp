#include "shell/FileChoice.h"

#include <QFileDialog>

#include "platform/WindowRegistry.h"
#include "shell/frmTCmnDlg.h"

namespace shell {
namespace {

FileChooser& openSlot() {
    static FileChooser chooser;
    return chooser;
}
FileChooser& saveSlot() {
    static FileChooser chooser;
    return chooser;
}

QString StartPath(const FileRequest& request) {
    if (request.proposal.empty()) return QString::fromStdString(request.directory);
    return QString::fromStdString(request.proposal);
}

QString FilterOf(const FileRequest& request) {
    if (!request.filter.empty()) return QString::fromStdString(request.filter);
    return QString::fromStdString(request.pattern.empty() ? "*.*" : request.pattern);
}

}  // namespace

void SetOpenFileChooser(FileChooser chooser) { openSlot() = std::move(chooser); }
void SetSaveFileChooser(FileChooser chooser) { saveSlot() = std::move(chooser); }

bool ChooseFileToOpen(const FileRequest& request, std::string& chosenPath) {
    if (openSlot()) return openSlot()(request, chosenPath);
    std::string fullName = request.proposal, fileName, directory = request.directory;
    bool cancel = true;
    ShowFileDialog(fullName, fileName, directory, request.pattern, request.caption, 0, cancel);
    if (cancel || fileName.empty()) return false;
    chosenPath = fullName;
    return true;
}

bool ChooseFileToSave(const FileRequest& request, std::string& chosenPath) {
    if (saveSlot()) return saveSlot()(request, chosenPath);
    QFileDialog dialog(platform::Windows().MainWindow(), QString::fromStdString(request.caption));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(FilterOf(request));
    if (!request.defaultSuffix.empty()) dialog.setDefaultSuffix(QString::fromStdString(request.defaultSuffix));
    if (!request.directory.empty()) dialog.setDirectory(QString::fromStdString(request.directory));
    if (!request.proposal.empty()) dialog.selectFile(StartPath(request));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    chosenPath = dialog.selectedFiles().front().toStdString();
    return true;
}

}  // namespace shell
