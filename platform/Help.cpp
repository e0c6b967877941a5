#include "platform/Help.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCollator>
#include <QDialog>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHelpContentModel>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QHelpSearchEngine>
#include <QHelpSearchQueryWidget>
#include <QHelpSearchResultWidget>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMultiHash>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QThread>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>
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

// The titles under which the contents name each page (the page's address without its section).
QMultiHash<QUrl, QString> ContentsTitles(QHelpContentModel* model) {
    QMultiHash<QUrl, QString> titles;
    std::function<void(QHelpContentItem*)> walk = [&](QHelpContentItem* item) {
        if (!item) return;
        titles.insert(item->url().adjusted(QUrl::RemoveFragment), item->title());
        for (int i = 0; i < item->childCount(); ++i) walk(item->child(i));
    };
    for (int row = 0; row < model->rowCount(); ++row) walk(model->contentItemAt(model->index(row, 0)));
    return titles;
}

// The pages of an index keyword, one entry per page (a keyword may lead to one page twice, with and
// without a section): first the pages whose subject the keyword is (their title holds it, or the
// contents name the page so), then the others, each group sorted by title.
QList<QHelpLink> OnePerPage(const QList<QHelpLink>& links, const QString& keyword,
                            const QMultiHash<QUrl, QString>& contentsTitles) {
    QList<QHelpLink> pages;
    for (const QHelpLink& link : links) {
        const QUrl page = link.url.adjusted(QUrl::RemoveFragment);
        if (std::none_of(pages.begin(), pages.end(),
                         [&](const QHelpLink& p) { return p.url.adjusted(QUrl::RemoveFragment) == page; }))
            pages.append(link);
    }
    QCollator german(QLocale(QLocale::German, QLocale::Germany));
    std::sort(pages.begin(), pages.end(),
              [&](const QHelpLink& a, const QHelpLink& b) { return german.compare(a.title, b.title) < 0; });
    std::stable_partition(pages.begin(), pages.end(), [&](const QHelpLink& link) {
        if (link.title.contains(keyword, Qt::CaseInsensitive)) return true;
        const QList<QString> named = contentsTitles.values(link.url.adjusted(QUrl::RemoveFragment));
        return std::any_of(named.begin(), named.end(),
                           [&](const QString& title) { return title.contains(keyword, Qt::CaseInsensitive); });
    });
    return pages;
}

// Names the children of one type that a Qt widget makes itself, in the order it makes them, when
// there are as many as names.
template <typename T>
void NameParts(QWidget* owner, std::initializer_list<const char*> names) {
    const QList<T*> parts = owner->findChildren<T*>(Qt::FindDirectChildrenOnly);
    if (parts.size() != static_cast<qsizetype>(names.size())) return;
    auto name = names.begin();
    for (T* part : parts) part->setObjectName(*name++);
}

// The choice among the pages of an index keyword: Enter, a double click or "Anzeigen" shows the
// chosen page.
class TopicChooser : public QDialog {
public:
    TopicChooser(QWidget* parent, const QString& keyword, const QList<QHelpLink>& pages) : QDialog(parent) {
        setObjectName("frmThemaWahl");
        setWindowTitle(QString::fromUtf8("Thema auswählen"));
        setAttribute(Qt::WA_DeleteOnClose);
        auto* label = new QLabel(QString::fromUtf8("Seiten zum Stichwort \u201E%1\u201C:").arg(keyword), this);
        label->setObjectName("lblThemaWahl");
        list_ = new QListWidget(this);
        list_->setObjectName("lstThemen");
        for (const QHelpLink& page : pages) (new QListWidgetItem(page.title, list_))->setData(Qt::UserRole, page.url);
        list_->setCurrentRow(0);
        auto* buttons = new QDialogButtonBox(this);
        buttons->setObjectName("fraKnoepfe");
        QPushButton* show = buttons->addButton("Anzeigen", QDialogButtonBox::AcceptRole);
        show->setObjectName("cmdAnzeigen");
        show->setDefault(true);  // the list passes Enter on to it
        buttons->addButton("Abbrechen", QDialogButtonBox::RejectRole)->setObjectName("cmdAbbrechen");
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(label);
        layout->addWidget(list_, 1);
        layout->addWidget(buttons);
    }
    QUrl Chosen() const { return list_->currentItem() ? list_->currentItem()->data(Qt::UserRole).toUrl() : QUrl(); }

private:
    QListWidget* list_;
};

// The help window: contents, index and full-text search beside the topic, back and forward. The
// index and the search are Qt's own widgets of the window's engine, so the engine ends with the
// window; closing the window ends both once the engine's threads are done.
class HelpWindow : public QWidget {
public:
    static constexpr QSize kSize{920, 640};  // where the screen has room for it

    explicit HelpWindow(QHelpEngine* engine) : QWidget(nullptr), engine_(engine) {
        setObjectName("frmHilfe");
        setWindowTitle("TARVELO-Hilfe");
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
        // A click on a tab whose page has a field to type into takes the keyboard there.
        connect(tabs_->tabBar(), &QTabBar::tabBarClicked, this, [this](int index) {
            QWidget* page = tabs_->widget(index);
            if (!page || !page->focusProxy()) return;
            tabs_->setCurrentIndex(index);
            page->setFocus(Qt::MouseFocusReason);
        });

        auto* splitter = new QSplitter(this);
        splitter->setObjectName("splHilfe");
        splitter->addWidget(tabs_);
        splitter->addWidget(browser_);
        splitter->setStretchFactor(1, 1);
        splitter->setSizes({260, kSize.width() - 260});
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(tools);
        layout->addWidget(splitter, 1);
        resize(kSize);
    }

    void Show(const QUrl& url) {
        if (url.isValid()) browser_->setSource(url);
    }
    QUrl Shown() const { return browser_->source(); }

    // Places the window, frame included as far as the platform tells it before the window shows,
    // in the middle of the free area of `screen`: at its own size where there is room, else as
    // large as the area. A window manager that frames the window only once it shows tells the frame
    // then; the window is placed once more with it when the frame would stick out.
    void PlaceOn(QScreen* screen) {
        screen_ = screen;
        const QRect area = screen->availableGeometry();
        winId();  // the native window, whose frame the platform may know already
        const QRect inner = geometry(), outer = frameGeometry();
        const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                             outer.bottom() - inner.bottom());
        const QSize size = kSize.boundedTo(area.size().shrunkBy(frame));
        const QSize room = area.size() - size.grownBy(frame);
        const QPoint corner = area.topLeft() + QPoint(room.width() / 2, room.height() / 2);
        setGeometry(QRect(corner + QPoint(frame.left(), frame.top()), size));
        frameUnknown_ = frame.isNull() && !windowFlags().testFlag(Qt::FramelessWindowHint);
    }

protected:
    bool event(QEvent* event) override {
        const bool result = QWidget::event(event);
        // The frame arrives with whatever event follows (a move, the activation), not always a move.
        if (frameUnknown_ && screen_ && isVisible() && frameGeometry() != geometry()) {
            frameUnknown_ = false;
            if (!screen_->availableGeometry().contains(frameGeometry())) PlaceOn(screen_);
        }
        return result;
    }

    // Closing only hides the window; it ends with its engine once the engine's threads are done.
    void closeEvent(QCloseEvent* event) override {
        QWidget::closeEvent(event);
        QTimer::singleShot(0, qApp, [] { EndHiddenHelpWindow(); });
    }

private:
    static void EndHiddenHelpWindow();

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

    // The keyword index: typing picks the best keyword, Enter or a click opens its page, or offers
    // its pages when there are several.
    QWidget* BuildIndex() {
        auto* page = new QWidget(this);
        page->setObjectName("pgIndex");
        auto* filter = new QLineEdit(page);
        filter->setObjectName("txtStichwort");
        filter->setPlaceholderText("Stichwort eingeben");
        QHelpIndexWidget* list = engine_->indexWidget();
        list->setObjectName("lstIndex");
        auto* layout = new QVBoxLayout(page);
        layout->addWidget(filter);
        layout->addWidget(list, 1);
        page->setFocusProxy(filter);
        connect(filter, &QLineEdit::textChanged, list, [list](const QString& text) { list->filterIndices(text); });
        connect(filter, &QLineEdit::returnPressed, list, &QHelpIndexWidget::activateCurrentItem);
        if (!list->style()->styleHint(QStyle::SH_ItemView_ActivateItemOnSingleClick, nullptr, list))
            connect(list, &QHelpIndexWidget::clicked, list, &QHelpIndexWidget::activateCurrentItem);
        connect(list, &QHelpIndexWidget::documentActivated, this,
                [this](const QHelpLink& link, const QString& keyword) { Offer({link}, keyword); });
        connect(list, &QHelpIndexWidget::documentsActivated, this, &HelpWindow::Offer);
        return page;
    }

    void Offer(const QList<QHelpLink>& links, const QString& keyword) {
        const QList<QHelpLink> pages = OnePerPage(links, keyword, ContentsTitles(engine_->contentModel()));
        if (pages.size() < 2) {
            if (!pages.isEmpty()) Show(pages.first().url);
            return;
        }
        auto* chooser = new TopicChooser(this, keyword, pages);
        connect(chooser, &QDialog::accepted, this, [this, chooser] { Show(chooser->Chosen()); });
        chooser->open();
    }

    // The full-text search: Enter or "Suchen" lists the pages with the words, a click on one opens it.
    QWidget* BuildSearch() {
        auto* page = new QWidget(this);
        page->setObjectName("pgSuche");
        QHelpSearchEngine* search = engine_->searchEngine();
        QHelpSearchQueryWidget* query = search->queryWidget();
        query->setObjectName("fraSuchanfrage");
        NameParts<QLabel>(query, {"lblSuche"});
        NameParts<QLineEdit>(query, {"txtSuche"});
        NameParts<QToolButton>(query, {"cmdVorigeSuche", "cmdNaechsteSuche"});
        NameParts<QPushButton>(query, {"cmdSuchen"});
        if (auto* input = query->findChild<QLineEdit*>("txtSuche")) {
            input->setPlaceholderText("Suchbegriff eingeben");
            page->setFocusProxy(input);
        }
        if (auto* go = query->findChild<QPushButton*>("cmdSuchen")) go->setText("Suchen");
        QHelpSearchResultWidget* hits = search->resultWidget();
        hits->setObjectName("lstTreffer");
        NameParts<QLabel>(hits, {"lblTrefferZahl"});
        NameParts<QTextBrowser>(hits, {"txtTreffer"});
        NameParts<QToolButton>(hits, {"cmdErsteTreffer", "cmdVorigeTreffer", "cmdNaechsteTreffer", "cmdLetzteTreffer"});
        auto* layout = new QVBoxLayout(page);
        layout->addWidget(query);
        layout->addWidget(hits, 1);
        // A search asked for before the index is built runs when it is done. The engine builds it
        // once, after its setup, in a thread that tells it has begun only some time later.
        auto start = [this, search, query] {
            const QString words = query->searchInput().trimmed();
            if (words.isEmpty()) return;
            if (!searchIndexBuilt_) searchPending_ = true;
            else search->search(words);
        };
        connect(search, &QHelpSearchEngine::indexingFinished, this, [this, start] {
            searchIndexBuilt_ = true;
            if (std::exchange(searchPending_, false)) start();
        });
        connect(query, &QHelpSearchQueryWidget::search, this, start);
        connect(hits, &QHelpSearchResultWidget::requestShowLink, this, &HelpWindow::Show);
        return page;
    }

    QHelpEngine* engine_;
    HelpBrowser* browser_;
    QTabWidget* tabs_;
    QPointer<QScreen> screen_;  // the screen the window was placed on
    bool frameUnknown_ = false;  // placed before the platform knew the frame
    bool searchIndexBuilt_ = false;
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

// Waits until the window's engine has finished its background work, then ends the window and the
// engine, in this order: Qt's index and search widgets in the window use the engine to their end,
// and the engine tells its index widget while it builds the index.
void EndHelpWindow() {
    HelpSystem& sys = System();
    QHelpEngine* viewer = std::exchange(sys.viewer, nullptr);
    QPointer<HelpWindow> window = std::exchange(sys.window, nullptr);
    if (window) window->hide();
    if (viewer) {
        viewer->searchEngine()->cancelIndexing();
        QElapsedTimer waited;
        waited.start();
        while ((viewer->contentModel()->isCreatingContents() || viewer->indexModel()->isCreatingIndex() ||
                searchIndexing) &&
               waited.elapsed() < 10000) {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            QThread::msleep(2);
        }
    }
    delete window.data();
    delete viewer;
    searchIndexing = false;
}

void HelpWindow::EndHiddenHelpWindow() {
    if (System().window && !System().window->isVisible()) EndHelpWindow();
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

// The window's engine over the registered collection; it builds its search index in the background
// once its setup is done.
QHelpEngine* ViewerEngine() {
    auto* viewer = new QHelpEngine(System().collectionDir->filePath("tarvelo.qhc"));
    viewer->setUsesFilterEngine(true);
    QHelpSearchEngine* search = viewer->searchEngine();
    QObject::connect(search, &QHelpSearchEngine::indexingStarted, [] { searchIndexing = true; });
    QObject::connect(search, &QHelpSearchEngine::indexingFinished, [] { searchIndexing = false; });
    viewer->setupData();
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
               MsgExclamation, "Hilfe");
        return;
    }
    QUrl url = TopicUrlOfContext(core, contextId);
    if (!url.isValid() || core->fileData(url.adjusted(QUrl::RemoveFragment)).isEmpty())
        url = PageUrl(kIndexPage);
    HelpSystem& sys = System();
    if (!sys.window) {
        sys.viewer = ViewerEngine();
        sys.window = new HelpWindow(sys.viewer);
        // On the screen of the window the user works in.
        const QWidget* active = QApplication::activeWindow();
        QScreen* screen = active ? active->screen() : QGuiApplication::primaryScreen();
        if (screen) sys.window->PlaceOn(screen);
    }
    sys.window->Show(url);
    sys.window->show();
    sys.window->raise();
    sys.window->activateWindow();
}

void CloseAllHelpWindows() { EndHelpWindow(); }

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
