#include "platform/Help.h"

#include <QAction>
#include <QElapsedTimer>
#include <QApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHelpContentModel>
#include <QHelpEngine>
#include <QHelpIndexModel>
#include <QHelpLink>
#include <QHelpSearchEngine>
#include <QHelpSearchResult>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QPointer>
#include <QSplitter>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QThread>
#include <QTextBrowser>
#include <QToolBar>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>
#include <utility>

#include "platform/core/MsgBox.h"

namespace platform {
namespace {

const char* const kIndexPage = "index.html";

std::string& helpFileSlot() {
    static std::string file;
    return file;
}

QString ContextKeyword(int contextId) { return QStringLiteral("ctx%1").arg(contextId); }

// The address of a page inside the help file.
QUrl PageUrl(const QString& page) { return QUrl(QStringLiteral("qthelp://de.tarvelo.hilfe/hilfe/") + page); }

// True while the window's engine builds its search index (set by that engine's signals).
bool searchIndexing = false;

// Shows the pages of the help file; links, style sheets and pictures come from the file too.
class HelpBrowser : public QTextBrowser {
public:
    HelpBrowser(QHelpEngine* engine, QWidget* parent) : QTextBrowser(parent), engine_(engine) {}

    QVariant loadResource(int type, const QUrl& name) override {
        if (name.scheme() == QLatin1String("qthelp")) return engine_->fileData(name);
        return QTextBrowser::loadResource(type, name);
    }

private:
    QHelpEngine* engine_;
};

// The help window: contents, index and full-text search beside the topic, back and forward.
// It shows the engine's models in views of its own, so closing it leaves the engine whole.
class HelpWindow : public QWidget {
public:
    explicit HelpWindow(QHelpEngine* engine) : QWidget(nullptr), engine_(engine) {
        setObjectName("frmHilfe");
        setWindowTitle("TARVELO-Hilfe");
        setAttribute(Qt::WA_DeleteOnClose);
        setAttribute(Qt::WA_QuitOnClose, false);  // never keeps the program alive

        browser_ = new HelpBrowser(engine, this);
        browser_->setObjectName("txtThema");
        browser_->setOpenExternalLinks(false);

        auto* tools = new QToolBar(this);
        tools->setObjectName("tbHilfe");
        QAction* back = tools->addAction(QString::fromUtf8("\u25C0 Zurück"), browser_, &QTextBrowser::backward);
        back->setObjectName("cmdZurueck");
        back->setEnabled(false);
        QAction* forward = tools->addAction(QString::fromUtf8("Vorwärts \u25B6"), browser_, &QTextBrowser::forward);
        forward->setObjectName("cmdVorwaerts");
        forward->setEnabled(false);
        QAction* home = tools->addAction("Hilfe-Index", this, [this] { Show(PageUrl(kIndexPage)); });
        home->setObjectName("cmdHilfeIndex");
        connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
        connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);

        tabs_ = new QTabWidget(this);
        tabs_->setObjectName("tabNavigation");
        tabs_->addTab(BuildContents(), "Inhalt");
        tabs_->addTab(BuildIndex(), "Index");
        tabs_->addTab(BuildSearch(), "Suche");

        auto* splitter = new QSplitter(this);
        splitter->addWidget(tabs_);
        splitter->addWidget(browser_);
        splitter->setStretchFactor(1, 1);
        splitter->setSizes({260, 640});
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(tools);
        layout->addWidget(splitter, 1);
        resize(920, 640);
    }

    void Show(const QUrl& url) {
        if (url.isValid()) browser_->setSource(url);
    }
    QUrl Shown() const { return browser_->source(); }


private:
    static QLineEdit* InputField(QWidget* page, const char* name, const char* placeholder) {
        auto* field = new QLineEdit(page);
        field->setObjectName(name);
        field->setPlaceholderText(placeholder);
        return field;
    }

    QWidget* BuildContents() {
        auto* tree = new QTreeView(this);
        tree->setObjectName("treeInhalt");
        tree->setHeaderHidden(true);
        tree->setModel(engine_->contentModel());
        tree->expandToDepth(1);
        connect(engine_->contentModel(), &QHelpContentModel::contentsCreated, tree, [tree] { tree->expandToDepth(1); });
        auto open = [this](const QModelIndex& index) {
            if (QHelpContentItem* item = engine_->contentModel()->contentItemAt(index)) Show(item->url());
        };
        connect(tree, &QTreeView::activated, this, open);
        connect(tree, &QTreeView::clicked, this, open);
        return tree;
    }

    QWidget* BuildIndex() {
        auto* page = new QWidget(this);
        auto* layout = new QVBoxLayout(page);
        QLineEdit* filter = InputField(page, "txtStichwort", "Stichwort eingeben");
        auto* list = new QListView(page);
        list->setObjectName("lstIndex");
        list->setEditTriggers(QAbstractItemView::NoEditTriggers);
        list->setModel(engine_->indexModel());
        layout->addWidget(filter);
        layout->addWidget(list, 1);
        auto open = [this](const QModelIndex& index) {
            const QList<QHelpLink> links = engine_->documentsForKeyword(index.data().toString());
            if (!links.isEmpty()) Show(links.first().url);
        };
        connect(filter, &QLineEdit::textChanged, list, [this, list](const QString& text) {
            const QModelIndex first = engine_->indexModel()->filter(text);
            if (first.isValid()) list->setCurrentIndex(first);
        });
        connect(filter, &QLineEdit::returnPressed, list, [list, open] {
            if (list->currentIndex().isValid()) open(list->currentIndex());
        });
        connect(list, &QListView::activated, this, open);
        connect(list, &QListView::clicked, this, open);
        return page;
    }

    QWidget* BuildSearch() {
        auto* page = new QWidget(this);
        auto* layout = new QVBoxLayout(page);
        QLineEdit* input = InputField(page, "txtSuche", "Suchbegriff eingeben");
        auto* go = new QPushButton("Suchen", page);
        go->setObjectName("cmdSuchen");
        auto* row = new QHBoxLayout;
        row->addWidget(input, 1);
        row->addWidget(go);
        auto* hits = new QListWidget(page);
        hits->setObjectName("lstTreffer");
        layout->addLayout(row);
        layout->addWidget(hits, 1);
        QHelpSearchEngine* search = engine_->searchEngine();
        // A search asked for while the index is still being built runs when it is done.
        auto start = [this, search, input] {
            if (input->text().trimmed().isEmpty()) return;
            if (searchIndexing) searchPending_ = true;
            else search->search(input->text().trimmed());
        };
        connect(search, &QHelpSearchEngine::indexingFinished, this, [this, start] {
            if (std::exchange(searchPending_, false)) start();
        });
        connect(input, &QLineEdit::returnPressed, search, start);
        connect(go, &QPushButton::clicked, search, start);
        connect(search, &QHelpSearchEngine::searchingFinished, hits, [search, hits](int count) {
            hits->clear();
            for (const QHelpSearchResult& hit : search->searchResults(0, count)) {
                auto* item = new QListWidgetItem(hit.title(), hits);
                item->setData(Qt::UserRole, hit.url());
            }
            if (count == 0) hits->addItem("Keine Treffer.");
        });
        auto open = [this](QListWidgetItem* item) { Show(item->data(Qt::UserRole).toUrl()); };
        connect(hits, &QListWidget::itemActivated, this, open);
        connect(hits, &QListWidget::itemClicked, this, open);
        return page;
    }

    QHelpEngine* engine_;
    HelpBrowser* browser_;
    QTabWidget* tabs_;
    bool searchPending_ = false;
};

// The help engines over a collection of their own in a temporary folder, so that the help file
// itself is only read and several running programs do not share one collection. The core engine
// answers the look-ups; the window's engine builds contents, index and search index in threads
// of its own, so it lives only while the window is open and is ended only when they are done.
struct HelpSystem {
    std::unique_ptr<QTemporaryDir> collectionDir;
    QHelpEngineCore* core = nullptr;
    std::string registeredFile;
    QHelpEngine* viewer = nullptr;
    QPointer<HelpWindow> window;
};

HelpSystem& System() {
    static HelpSystem system;
    return system;
}

QString HelpFileName() {
    const QString name = QFileInfo(QString::fromStdString(helpFileSlot())).fileName();
    return name.isEmpty() ? QStringLiteral("tarvelo.qch") : name;
}

// Waits until the window's engine has finished its background work, then ends it.
void EndViewerEngine() {
    HelpSystem& sys = System();
    if (!sys.viewer) return;
    sys.viewer->searchEngine()->cancelIndexing();
    QElapsedTimer waited;
    waited.start();
    while ((sys.viewer->contentModel()->isCreatingContents() || sys.viewer->indexModel()->isCreatingIndex() ||
            searchIndexing) &&
           waited.elapsed() < 10000) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        QThread::msleep(2);
    }
    delete sys.viewer;
    sys.viewer = nullptr;
    searchIndexing = false;
}

// Ends the help before the application's objects go, while its threads may still run.
void EndHelp() {
    CloseAllHelpWindows();
    HelpSystem& sys = System();
    delete sys.core;
    sys.core = nullptr;
    sys.registeredFile.clear();
}

// The core engine with the help file registered; null when the file is missing or unreadable.
QHelpEngineCore* Core() {
    HelpSystem& sys = System();
    if (sys.core && sys.registeredFile == helpFileSlot()) return sys.core;
    EndHelp();
    const QString file = QString::fromStdString(helpFileSlot());
    if (file.isEmpty() || !QFileInfo(file).isReadable() || !QCoreApplication::instance()) return nullptr;
    sys.collectionDir = std::make_unique<QTemporaryDir>();
    if (!sys.collectionDir->isValid()) return nullptr;
    auto* core = new QHelpEngineCore(sys.collectionDir->filePath("tarvelo.qhc"));
    core->setReadOnly(false);  // the collection is our own and records the registration
    core->setUsesFilterEngine(true);
    if (!core->setupData() || !core->registerDocumentation(file) || core->registeredDocumentations().isEmpty()) {
        delete core;
        return nullptr;
    }
    static bool endRegistered = false;
    if (!std::exchange(endRegistered, true)) qAddPostRoutine(EndHelp);
    sys.core = core;
    sys.registeredFile = helpFileSlot();
    return core;
}

// The window's engine over the registered collection.
QHelpEngine* ViewerEngine() {
    HelpSystem& sys = System();
    if (sys.viewer) return sys.viewer;
    auto* viewer = new QHelpEngine(sys.collectionDir->filePath("tarvelo.qhc"));
    viewer->setUsesFilterEngine(true);
    QHelpSearchEngine* search = viewer->searchEngine();
    QObject::connect(search, &QHelpSearchEngine::indexingStarted, [] { searchIndexing = true; });
    QObject::connect(search, &QHelpSearchEngine::indexingFinished, [] { searchIndexing = false; });
    viewer->setupData();
    sys.viewer = viewer;
    return viewer;
}

QUrl TopicUrlOfContext(QHelpEngineCore* engine, int contextId) {
    const QList<QHelpLink> links = engine->documentsForIdentifier(ContextKeyword(contextId));
    return links.isEmpty() ? QUrl() : links.first().url;
}

// "page.html#anchor" of a help address; empty for none.
std::string TopicOfUrl(const QUrl& url) {
    if (!url.isValid() || url.isEmpty()) return {};
    QString topic = url.path().section('/', -1);
    if (url.hasFragment()) topic += '#' + url.fragment();
    return topic.toStdString();
}

}  // namespace

void SetHelpFile(const std::string& path) { helpFileSlot() = path; }

const std::string& HelpFile() { return helpFileSlot(); }

void ShowHelpContext(int contextId) {
    QHelpEngineCore* core = Core();
    if (!core) {
        MsgBox("Die Hilfe-Datei " + HelpFileName().toStdString() +
                   " fehlt oder ist nicht lesbar.\r\nBitte installieren Sie das Programm neu.",
               vbExclamation, "Hilfe");
        return;
    }
    QUrl url = TopicUrlOfContext(core, contextId);
    if (!url.isValid() || core->fileData(url.adjusted(QUrl::RemoveFragment)).isEmpty())
        url = PageUrl(kIndexPage);
    HelpSystem& sys = System();
    if (!sys.window) {
        QHelpEngine* viewer = ViewerEngine();
        sys.window = new HelpWindow(viewer);
        viewer->searchEngine()->reindexDocumentation();  // in the background; the window shows at once
    }
    sys.window->Show(url);
    sys.window->show();
    sys.window->raise();
    sys.window->activateWindow();
}

void CloseAllHelpWindows() {
    HelpSystem& sys = System();
    if (sys.window) {
        sys.window->close();
        delete sys.window.data();
    }
    EndViewerEngine();
}

std::string HelpTopicOfContext(int contextId) {
    QHelpEngineCore* core = Core();
    return core ? TopicOfUrl(TopicUrlOfContext(core, contextId)) : std::string();
}

std::string ShownHelpTopic() {
    const HelpSystem& sys = System();
    return sys.window && sys.window->isVisible() ? TopicOfUrl(sys.window->Shown()) : std::string();
}

std::vector<std::string> HelpPages() {
    std::vector<std::string> pages;
    QHelpEngineCore* core = Core();
    if (!core) return pages;
    const QString space = core->registeredDocumentations().value(0);
    for (const QUrl& url : core->files(space, QString(), QStringLiteral("html")))
        pages.push_back(url.path().section('/', -1).toStdString());
    std::sort(pages.begin(), pages.end());
    return pages;
}

std::string HelpPageHtml(const std::string& page) {
    QHelpEngineCore* core = Core();
    if (!core) return {};
    return core->fileData(PageUrl(QString::fromStdString(page))).toStdString();
}

}  // namespace platform
