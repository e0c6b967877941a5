#include "shell/frmTCmnDlg.h"

#include <dirent.h>
#include <fnmatch.h>
#include <strings.h>
#include <sys/stat.h>

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QStyle>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "kernel/DataFile.h"
#include "kernel/State.h"
#include "kernel/Utilities.h"
#include "platform/Twips.h"
#include "platform/WindowRegistry.h"
#include "platform/core/MsgBox.h"
#include "platform/core/TextFile.h"
#include "shell/ProjectFile.h"
#include "shell/ShellForms.h"

using shell::HeightTw;
using shell::LeftTw;
using shell::PlaceTw;
using shell::TopTw;
using shell::WidthTw;

namespace {

const platform::FormRegistration registration("frmTCmnDlg", platform::FormKind::Dialog,
                                              [] { return new frmTCmnDlg; });

constexpr int kDesignSize = 8000;    // twips, width and height at load
constexpr int kMinWidth = 4000;      // twips
constexpr int kDeleteKeyCode = 46;
constexpr int kPathTextLength = 60;
const int kPathRole = Qt::UserRole;  // full path of a directory-list entry
const int kNameRole = Qt::UserRole;  // a file-list entry's name as the bytes the disk has

// The regular files of a folder (not hidden) whose names match one of the patterns in any letter
// case, sorted by name regardless of case. Read as bytes: Qt's own listing skips names that are
// not UTF-8, such as a Latin-1 name from an older system.
std::vector<std::string> MatchingFiles(const std::string& folder, const QStringList& patterns) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return names;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.empty() || name.front() == '.') continue;
        bool matches = patterns.isEmpty();
        for (const QString& pattern : patterns)
            matches = matches || ::fnmatch(pattern.toStdString().c_str(), name.c_str(), FNM_CASEFOLD) == 0;
        struct stat info {};
        if (matches && ::stat((folder + "/" + name).c_str(), &info) == 0 && S_ISREG(info.st_mode)) names.push_back(name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return ::strcasecmp(a.c_str(), b.c_str()) < 0;
    });
    return names;
}

QString Std(const std::string& s) { return QString::fromStdString(s); }

bool HasWildcard(const QString& text) { return text.contains('*') || text.contains('?'); }

}  // namespace

frmTCmnDlg::frmTCmnDlg(QWidget* parent) : QDialog(parent) {
    setObjectName("frmTCmnDlg");
    setSizeGripEnabled(false);

    pctFileOpen = new QWidget(this);
    pctFileOpen->setObjectName("pctFileOpen");
    Label1 = new QLabel("Pfad", pctFileOpen);
    Label1->setObjectName("Label1");
    lblOpenPath = new QLabel(pctFileOpen);
    lblOpenPath->setObjectName("lblOpenPath");
    lblOpenPath->setFrameShape(QFrame::StyledPanel);
    cmdReturn = new QPushButton(pctFileOpen);
    cmdReturn->setObjectName("cmdReturn");
    cmdReturn->setIcon(style()->standardIcon(QStyle::SP_FileDialogToParent));
    cmdReturn->setToolTip(" eine Ebene höher ");
    lblOpenFile = new QLabel("Dateiname", pctFileOpen);
    lblOpenFile->setObjectName("lblOpenFile");
    txtOpenFile = new QLineEdit(pctFileOpen);
    txtOpenFile->setObjectName("txtOpenFile");
    txtDatum = new QLineEdit(pctFileOpen);
    txtDatum->setObjectName("txtDatum");
    txtDatum->setReadOnly(true);
    filOpenList = new QListWidget(pctFileOpen);
    filOpenList->setObjectName("filOpenList");
    drvOpenList = new QComboBox(pctFileOpen);
    drvOpenList->setObjectName("drvOpenList");
    dirOpenList = new QListWidget(pctFileOpen);
    dirOpenList->setObjectName("dirOpenList");
    cmdOpenOK = new QPushButton("OK, Laden", pctFileOpen);
    cmdOpenOK->setObjectName("cmdOpenOK");
    cmdOpenCancel = new QPushButton("Abbrechen <Esc>", pctFileOpen);
    cmdOpenCancel->setObjectName("cmdOpenCancel");

    fraView = new QGroupBox("File-Information", this);
    fraView->setObjectName("fraView");
    lblFileComment = new QLabel("Datei-Kommentar:", fraView);
    lblFileComment->setObjectName("lblFileComment");
    Text1 = new QLineEdit(fraView);
    Text1->setObjectName("Text1");
    Text1->setReadOnly(true);  // the comment preview takes no keys
    Label7 = new QLabel(fraView);
    Label7->setObjectName("Label7");
    Label6 = new QLabel("experimentelle Daten", fraView);
    Label6->setObjectName("Label6");

    // Design-time places (twips) of what Form_Resize does not move.
    PlaceTw(Label1, 120, 150, 450, 285);
    PlaceTw(lblOpenPath, 600, 150, 5900, 285);
    PlaceTw(cmdReturn, 6660, 110, 600, 360);
    PlaceTw(lblOpenFile, 120, 550, 1150, 315);
    PlaceTw(txtOpenFile, 1300, 550, 3400, 315);
    PlaceTw(txtDatum, 4680, 550, 2500, 315);
    PlaceTw(filOpenList, 120, 1050, 2857, 4000);
    PlaceTw(drvOpenList, 3157, 1050, 2857, 315);
    PlaceTw(dirOpenList, 3157, 1350, 2857, 3700);
    PlaceTw(cmdOpenOK, 6040, 1350, 1650, 420);
    PlaceTw(cmdOpenCancel, 6040, 1850, 1650, 420);
    PlaceTw(pctFileOpen, 0, 0, kDesignSize, 5400);
    PlaceTw(fraView, 0, 5400, kDesignSize, 1900);
    PlaceTw(lblFileComment, 120, 300, 2500, 255);
    PlaceTw(Label6, 5000, 300, 2700, 255);
    PlaceTw(Text1, 120, 600, 7660, 315);
    PlaceTw(Label7, 120, 1000, 7660, 285);

    for (QPushButton* b : {cmdReturn, cmdOpenOK, cmdOpenCancel}) b->setAutoDefault(false);
    // The captions fit the narrow button column.
    QFont buttonFont = cmdOpenCancel->font();
    buttonFont.setPointSizeF(buttonFont.pointSizeF() - 1);
    cmdOpenOK->setFont(buttonFont);
    cmdOpenCancel->setFont(buttonFont);
    filOpenList->installEventFilter(this);

    connect(cmdReturn, &QPushButton::clicked, this, [this] { cmdReturn_Click(); });
    connect(cmdOpenOK, &QPushButton::clicked, this, [this] { cmdOpenOK_Click(); });
    connect(cmdOpenCancel, &QPushButton::clicked, this, [this] { cmdOpenCancel_Click(); });
    connect(filOpenList, &QListWidget::currentRowChanged, this, [this] {
        if (!updatingLists_) filOpenList_Click();
    });
    connect(filOpenList, &QListWidget::itemDoubleClicked, this, [this] { filOpenList_DblClick(); });
    connect(dirOpenList, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        if (!updatingLists_ && item) SetDirPath(item->data(kPathRole).toString());
    });
    connect(drvOpenList, &QComboBox::activated, this, [this] { drvOpenList_Change(); });

    RefreshDriveList();
    SetDirPath(QDir::currentPath());
    if (dirPath_.isEmpty()) SetDirPath(QDir::homePath());  // the current folder may be gone
    Form_Load();
}

void frmTCmnDlg::Form_Load() {
    move(platform::TwipsToPixels(kernel::PosCmnDlg.Left), platform::TwipsToPixels(kernel::PosCmnDlg.Top));
    resize(platform::TwipsToPixels(kDesignSize), platform::TwipsToPixels(kDesignSize));
    lblFileComment->hide();
}

void frmTCmnDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Form_Activate();
}

void frmTCmnDlg::Form_Activate() {
    QString preselect;
    if (pattern_ == "*.TC3") preselect = Std(platform::FileNameForDisplay(kernel::ProjektFile));
    else if (pattern_ == "*.TA3") preselect = Std(platform::FileNameForDisplay(kernel::DatenFileTitel));
    if (preselect.isEmpty()) return;
    for (int row = 0; row < filOpenList->count(); ++row) {
        if (filOpenList->item(row)->text().toUpper() == preselect.toUpper()) {
            filOpenList->setCurrentRow(row);
            return;
        }
    }
}

// ---- Lists ---------------------------------------------------------------------------------------

void frmTCmnDlg::SetFilePattern(const QString& pattern) {
    pattern_ = pattern.isEmpty() ? QString("*.*") : pattern.toUpper();
    RefreshFileList();
}

void frmTCmnDlg::SetDirPath(const QString& path) {
    const QString clean = QDir::cleanPath(QDir(path).absolutePath());
    if (!QFileInfo(clean).isDir()) return;
    const bool changed = clean != dirPath_;
    dirPath_ = clean;
    RefreshDirList();
    if (changed) dirOpenList_Change();
}

void frmTCmnDlg::dirOpenList_Change() {
    filePath_ = dirPath_;
    filOpenList_PathChange();
    RefreshFileList();
    lblOpenPath->setText(Std(kernel::ShortenPath(dirPath_.toStdString(), kPathTextLength)));
    txtOpenFile->setText(pattern_);
}

void frmTCmnDlg::filOpenList_PathChange() {
    // The drive list follows the file list's path; the directory list already shows it.
    QString best;
    for (const QFileInfo& drive : QDir::drives()) {
        const QString root = drive.absoluteFilePath();
        if (filePath_.startsWith(root, Qt::CaseInsensitive) && root.size() > best.size()) best = root;
    }
    if (best.isEmpty()) return;
    drive_ = best;
    const int index = drvOpenList->findData(best);
    if (index >= 0) drvOpenList->setCurrentIndex(index);
}

void frmTCmnDlg::RefreshDriveList() {
    drvOpenList->clear();
    for (const QFileInfo& drive : QDir::drives()) {
        const QString root = drive.absoluteFilePath();
        drvOpenList->addItem(root, root);
    }
}

void frmTCmnDlg::drvOpenList_Change() {
    const QString drive = drvOpenList->currentData().toString();
    if (drive == drive_) return;
    const QDir dir(drive);
    if (!dir.exists() || !dir.isReadable()) {
        platform::MsgBox("Laufwerk " + drive.toStdString() + " ist nicht bereit", platform::MsgCritical,
                         windowTitle().toStdString());
        const int index = drvOpenList->findData(drive_);
        if (index >= 0) drvOpenList->setCurrentIndex(index);
        return;
    }
    SetDirPath(drive);
}

void frmTCmnDlg::RefreshDirList() {
    // The folders from the root down to the current one, then the current one's subfolders.
    updatingLists_ = true;
    dirOpenList->clear();
    QStringList chain;
    for (QDir d(dirPath_);; ) {
        chain.prepend(d.absolutePath());
        if (!d.cdUp()) break;
    }
    int depth = 0;
    QListWidgetItem* current = nullptr;
    for (const QString& path : chain) {
        const QString name = QFileInfo(path).fileName().isEmpty() ? path : QFileInfo(path).fileName();
        auto* item = new QListWidgetItem(style()->standardIcon(QStyle::SP_DirOpenIcon),
                                         QString(depth * 2, ' ') + name, dirOpenList);
        item->setData(kPathRole, path);
        current = item;
        ++depth;
    }
    const QDir dir(dirPath_);
    for (const QString& sub : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase)) {
        auto* item = new QListWidgetItem(style()->standardIcon(QStyle::SP_DirClosedIcon),
                                         QString(depth * 2, ' ') + sub, dirOpenList);
        item->setData(kPathRole, dir.absoluteFilePath(sub));
    }
    dirOpenList->setCurrentItem(current);
    updatingLists_ = false;
}

void frmTCmnDlg::RefreshFileList() {
    updatingLists_ = true;
    filOpenList->clear();
    // Patterns match in any letter case, as they are kept upper-cased.
    for (const std::string& name : MatchingFiles(filePath_.toStdString(), pattern_.split(';', Qt::SkipEmptyParts))) {
        auto* item = new QListWidgetItem(Std(platform::FileNameForDisplay(name)), filOpenList);
        item->setData(kNameRole, QByteArray::fromStdString(name));
    }
    filOpenList->setCurrentRow(-1);
    updatingLists_ = false;
}

QString frmTCmnDlg::SelectedFile() const {
    const QListWidgetItem* item = filOpenList->currentItem();
    return item && filOpenList->currentRow() >= 0 ? item->text() : QString();
}

std::string frmTCmnDlg::ChosenName() const {
    // The list entry's own bytes when the name box shows it, so that any name on disk opens.
    const QListWidgetItem* item = filOpenList->currentItem();
    const QString typed = txtOpenFile->text();
    if (item && filOpenList->currentRow() >= 0 && item->text() == typed)
        return item->data(kNameRole).toByteArray().toStdString();
    return typed.toStdString();
}

std::string frmTCmnDlg::ChosenPath() const {
    const std::string dir = filePath_.toStdString(), name = ChosenName();
    if (dir.empty()) return name;
    return dir.back() == '/' ? dir + name : dir + "/" + name;
}

void frmTCmnDlg::SetOpenFileText(const QString& text) { txtOpenFile->setText(text); }
QString frmTCmnDlg::OpenFileText() const { return txtOpenFile->text(); }

// ---- Preview -------------------------------------------------------------------------------------

void frmTCmnDlg::ClearPreview() {
    Text1->clear();
    Text1->setEnabled(false);
    lblFileComment->hide();
    txtDatum->clear();
    Label7->clear();
}

void frmTCmnDlg::filOpenList_Click() {
    const QString name = SelectedFile();
    if (name.isEmpty()) return;
    txtOpenFile->setText(name);
    // What the previous file showed must not stay beside this one.
    ClearPreview();
    const QString upper = name.toUpper();
    const std::string full = ChosenPath();
    if (upper.endsWith("TA3")) {
        fraView->setTitle("File-Information");
        std::string comment, unit;
        int count = 0, ok = 0;
        kernel::ViewExpFile(full, comment, unit, count, ok);
        if (!ok) return;
        Text1->setEnabled(true);
        Text1->setText(Std(kernel::Excerpt(comment)));
        lblFileComment->setText("Datei-Kommentar:");
        lblFileComment->show();
        Label7->setText(" " + QString::number(count) + " Messpunkte");
    } else if (upper.endsWith("TC3")) {
        fraView->setTitle("Projekt-Information");
        std::string dateText, comment, dataName;
        bool ok = false;
        shell::ViewProjectFile(full, dateText, comment, dataName, ok);
        if (!ok) return;
        Text1->setEnabled(true);
        Text1->setText(Std(kernel::Excerpt(comment)));
        lblFileComment->setText("Projekt-Kommentar");
        lblFileComment->show();
        if (!dateText.empty()) txtDatum->setText(" vom " + Std(dateText));
        Label7->setText(dataName.empty() ? QString("(ohne Datenfile)")
                                         : " " + Std(dataName) + " vom " + Std(dateText));
    }
}

// ---- Choice --------------------------------------------------------------------------------------

void frmTCmnDlg::Accept() {
    txtOpenFile->setFocus();
    cancelTag_ = "FALSE";
    done(QDialog::Accepted);
}

void frmTCmnDlg::filOpenList_DblClick() {
    if (SelectedFile().isEmpty()) return;
    Accept();
}

frmTCmnDlg::NameResult frmTCmnDlg::SetFileListName(const QString& typed) {
    QString name = typed.trimmed();
    const int slash = std::max(name.lastIndexOf('/'), name.lastIndexOf('\\'));
    if (slash >= 0) {
        QString dirPart = name.left(slash + 1);
        dirPart.replace('\\', '/');
        const QString target = QDir(filePath_).absoluteFilePath(dirPart);
        if (!QFileInfo(target).isDir()) return NameResult::Missing;
        SetDirPath(target);
        name = name.mid(slash + 1);
    }
    if (HasWildcard(name)) {
        SetFilePattern(name);
        return NameResult::Pattern;
    }
    for (int row = 0; !name.isEmpty() && row < filOpenList->count(); ++row) {
        if (filOpenList->item(row)->text().compare(name, Qt::CaseInsensitive) == 0) {
            filOpenList->setCurrentRow(row);
            // The name as the disk has it, whatever case was typed.
            txtOpenFile->setText(filOpenList->item(row)->text());
            Accept();
            return NameResult::Accepted;
        }
    }
    return NameResult::Missing;
}

void frmTCmnDlg::cmdOpenOK_Click() {
    if (const QListWidgetItem* dir = dirOpenList->currentItem(); dir && dir->isSelected())
        SetDirPath(dir->data(kPathRole).toString());
    const QString typed = txtOpenFile->text();
    if (!typed.isEmpty() && typed == SelectedFile()) {
        Accept();
        return;
    }
    const QString oldPattern = pattern_;
    switch (SetFileListName(typed)) {
    case NameResult::Accepted: return;
    case NameResult::Pattern:
        txtOpenFile->setText(pattern_);
        txtOpenFile->setFocus();
        return;
    case NameResult::Missing: break;
    }
    platform::MsgBox("Datei nicht gefunden", platform::MsgCritical, windowTitle().toStdString());
    SetFilePattern(oldPattern);
    txtOpenFile->setFocus();
}

void frmTCmnDlg::cmdOpenCancel_Click() {
    if (txtOpenFile->isEnabled()) txtOpenFile->setFocus();
    done(QDialog::Rejected);
}

void frmTCmnDlg::cmdReturn_Click() {
    QDir dir(dirPath_);
    if (dir.cdUp()) SetDirPath(dir.absolutePath());
}

void frmTCmnDlg::filOpenList_KeyDown(int keyCode) {
    if (keyCode != kDeleteKeyCode) return;
    const QString name = SelectedFile();
    if (name.isEmpty()) return;
    const int answer = platform::MsgBox("File " + name.toStdString() + " wirklich löschen?",
                                        platform::MsgQuestion + platform::MsgYesNo, "Löschen von Dateien bestätigen");
    if (answer != platform::AnswerYes) return;
    txtOpenFile->setText(name);
    std::error_code ec;
    if (!std::filesystem::remove(ChosenPath(), ec)) {
        const std::string reason = ec ? ec.message() : "Die Datei wurde nicht gefunden.";
        platform::MsgBox(reason, platform::MsgCritical, "Löschen von Dateien bestätigen");
        return;
    }
    RefreshFileList();
    txtOpenFile->clear();
    Text1->clear();
    txtDatum->clear();
    Label7->clear();
}

bool frmTCmnDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == filOpenList && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Delete) {
            filOpenList_KeyDown(kDeleteKeyCode);
            return true;
        }
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            filOpenList_DblClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmTCmnDlg::ResetDialogProp() { hide(); }

// ---- Layout and position -------------------------------------------------------------------------

void frmTCmnDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    Form_Resize();
}

void frmTCmnDlg::Form_Resize() {
    using platform::PixelsToTwips;
    using platform::TwipsToPixels;
    // Width and Height are the outer size of the dialog.
    const int frameExtraW = frameGeometry().width() - width();
    const int w = PixelsToTwips(frameGeometry().width());
    const int h = PixelsToTwips(frameGeometry().height());

    cmdOpenCancel->move(TwipsToPixels(w - WidthTw(cmdOpenCancel) - 360), cmdOpenCancel->y());
    cmdOpenOK->move(cmdOpenCancel->x(), cmdOpenOK->y());
    // The picture and the information frame fill the inside of the dialog, not its outer width.
    fraView->resize(width(), fraView->height());
    txtDatum->move(txtDatum->x(), txtOpenFile->y());
    if (w <= kMinWidth) {
        resize(TwipsToPixels(kMinWidth) - frameExtraW, height());
    } else {
        PlaceTw(lblOpenPath, LeftTw(lblOpenPath), TopTw(lblOpenPath), w - 2100, HeightTw(lblOpenPath));
        cmdReturn->move(TwipsToPixels(LeftTw(lblOpenPath) + WidthTw(lblOpenPath) + 160), cmdReturn->y());
        // The name box takes what the date box leaves; the date box sits at its right end.
        PlaceTw(txtOpenFile, LeftTw(txtOpenFile), TopTw(txtOpenFile), WidthTw(lblOpenPath) - WidthTw(txtDatum),
                HeightTw(txtOpenFile));
        txtDatum->move(TwipsToPixels(LeftTw(txtOpenFile) + WidthTw(txtOpenFile) - 20), txtDatum->y());
        PlaceTw(Text1, LeftTw(Text1), TopTw(Text1), w - 340, HeightTw(Text1));
        PlaceTw(Label7, LeftTw(Label7), TopTw(Label7), WidthTw(Text1), HeightTw(Label7));
        pctFileOpen->resize(width(), pctFileOpen->height());
        const int listWidth = static_cast<int>(w / 2.8);
        PlaceTw(filOpenList, LeftTw(filOpenList), TopTw(filOpenList), listWidth, HeightTw(filOpenList));
        PlaceTw(dirOpenList, listWidth + 300, TopTw(dirOpenList), listWidth, HeightTw(dirOpenList));
        PlaceTw(drvOpenList, listWidth + 300, TopTw(drvOpenList), listWidth, HeightTw(drvOpenList));
    }
    lblOpenFile->move(lblOpenFile->x(), TwipsToPixels(TopTw(lblOpenPath) + 400));
    txtOpenFile->move(txtOpenFile->x(), lblOpenFile->y());
    pctFileOpen->move(pctFileOpen->x(), 0);
    cmdReturn->move(cmdReturn->x(), TwipsToPixels(TopTw(lblOpenPath) - 40));
    fraView->move(fraView->x(), TwipsToPixels(h - HeightTw(fraView) - 600));

    const int pictureHeight = h - HeightTw(fraView) - 600;
    if (pictureHeight > 100) pctFileOpen->resize(pctFileOpen->width(), TwipsToPixels(pictureHeight));
    PlaceTw(filOpenList, LeftTw(filOpenList), TopTw(filOpenList), WidthTw(filOpenList),
            std::max(HeightTw(pctFileOpen) - 1340, 1600));
    PlaceTw(dirOpenList, LeftTw(dirOpenList), TopTw(dirOpenList), WidthTw(dirOpenList), HeightTw(filOpenList) - 300);
}

void frmTCmnDlg::done(int result) {
    Form_QueryUnload();
    QDialog::done(result);
}

void frmTCmnDlg::Form_QueryUnload() {
    kernel::PosCmnDlg = {platform::PixelsToTwips(x()), platform::PixelsToTwips(y())};
}

void frmTCmnDlg::closeEvent(QCloseEvent* event) {
    Form_QueryUnload();
    QDialog::closeEvent(event);
}

// ---- Driver --------------------------------------------------------------------------------------

namespace shell {

void ShowFileDialog(std::string& fullName, std::string& fileName, std::string& directory, const std::string& pattern,
                    const std::string& caption, int /*mode*/, bool& cancel) {
    cancel = true;
    QPointer<frmTCmnDlg> dialog = qobject_cast<frmTCmnDlg*>(platform::Windows().Load("frmTCmnDlg"));
    if (!dialog) return;
    dialog->SetMode("OPEN");
    dialog->setWindowTitle(Std(caption));
    dialog->SetFilePattern(Std(pattern));
    if (!directory.empty()) dialog->SetDirPath(Std(directory));
    // The proposal shows upper-cased; the file list finds it in any letter case.
    std::string proposal = fullName;
    dialog->SetOpenFileText(fullName.empty() ? dialog->FilePattern() : Std(platform::FileNameForDisplay(kernel::FileNameOnly(proposal))).toUpper());
    platform::Windows().ShowModal("frmTCmnDlg");
    if (!dialog) return;
    cancel = dialog->CancelTag() != "FALSE";
    if (!cancel) {
        fileName = dialog->ChosenName();
        directory = dialog->FilePath().toStdString();
        fullName = dialog->ChosenPath();
        dialog->ClearCancelTag();
    }
    platform::Windows().Unload("frmTCmnDlg");
}

}  // namespace shell
