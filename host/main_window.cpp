#include "host/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeView>
#include <QVBoxLayout>

#include "facade/mundor_client.h"
#include "host/catalog_counts.h"
#include "host/console_window.h"
#include "host/details_panel.h"
#include "host/place_record.h"
#include "host/search_pane.h"
#include "host/value_text.h"
#include "host/window_memory.h"
#include "nubex/backend/location.h"
#include "runtime/error.h"

namespace mundor::host {

namespace {

QString Text(const std::u16string& text) {
    return QString::fromStdU16String(text);
}

// "1 país", "245 países": the count in Spanish digits, with its noun in the right number.
QString Counted(std::int64_t count, const QString& one, const QString& many) {
    const QLocale spanish(QLocale::Spanish, QLocale::Mexico);
    return spanish.toString(static_cast<qlonglong>(count)) + QLatin1Char(' ') +
           (count == 1 ? one : many);
}

QString CountsText(const std::optional<CatalogCounts>& counts) {
    if (!counts) return QStringLiteral("no se pudieron contar sus lugares");
    return Counted(counts->paises, QStringLiteral("país"), QStringLiteral("países")) +
           QStringLiteral(" · ") +
           Counted(counts->estados, QStringLiteral("estado"), QStringLiteral("estados")) +
           QStringLiteral(" · ") +
           Counted(counts->ciudades, QStringLiteral("ciudad"), QStringLiteral("ciudades"));
}

// A box of the host's own, over the window, with a Spanish OK button.
void Tell(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text,
          const QString& detail = {}) {
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.setInformativeText(detail);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("Aceptar"));
    box.exec();
}

// A command's title as boxes name it: "Nuevo estado", "Eliminar".
QString TitleOf(const QAction& action) {
    return action.text().remove(QLatin1Char('&')).remove(QStringLiteral("…"));
}

std::optional<std::u16string> AreaCode(nubex::Catalog& catalog, const nubex::SearchHit& hit) {
    try {
        const std::optional<PlaceRecord> place = LoadPlace(LevelOf(hit.level), catalog, hit.sysPk);
        if (place) return place->codigoTel;
    } catch (const rt::RuntimeError&) {
    }
    return std::nullopt;
}

// The name of the place a new place of `level` would go under: the country of a new state, the
// state of a new city. Empty when the selection gives none.
QString ParentName(Level level, const nubex::SearchHit* selected) {
    if (!ParentForNew(level, selected) || selected->path.empty()) return {};
    if (level == Level::kEdoProv) return Text(selected->path.back());
    const std::size_t state = selected->level == nubex::PlaceLevel::Ciudad ? 1 : 0;
    return state < selected->path.size() ? Text(selected->path[state]) : QString();
}

}  // namespace

QString CatalogText(const std::filesystem::path& catalog) {
    const std::string location = catalog.string();
    const bool onServer = nubex::db::EngineOf(location) == nubex::db::Engine::Postgres;
    return QString::fromStdString((onServer ? "" : "SQLite ") + nubex::db::Describe(location));
}

MainWindow::MainWindow(rt::Ref<_MundorFx> fx, rt::Ref<nubex::Catalog> catalog,
                       std::filesystem::path catalogPath, bool consoleByName, QWidget* parent)
    : QMainWindow(parent),
      fx_(std::move(fx)),
      catalog_(std::move(catalog)),
      catalogPath_(std::move(catalogPath)),
      consoleByName_(consoleByName),
      members_(TypedMembers(MundorClient(fx_))),
      commands_(*members_, catalog_),
      countsText_(QStringLiteral("contando sus lugares…")),
      counter_(catalogPath_, *this, [this](const std::optional<CatalogCounts>& counts) {
          countsText_ = CountsText(counts);
          ShowStatus();
      }) {
    setWindowTitle(QStringLiteral("Mundor — catálogo geográfico"));
    split_ = new QSplitter(Qt::Horizontal, this);
    split_->setObjectName(QStringLiteral("split"));
    split_->setChildrenCollapsible(false);
    search_ = new SearchPane(catalogPath_.string(), CatalogText(catalogPath_), split_);
    details_ = new DetailsPanel(
        [this](const nubex::SearchHit& hit) { return AreaCode(*catalog_, hit); }, split_);
    auto* side = new QWidget(split_);
    auto* sideColumn = new QVBoxLayout(side);
    sideColumn->setContentsMargins(0, 0, 0, 0);
    sideColumn->addWidget(details_);
    sideColumn->addStretch(1);
    split_->addWidget(search_);
    split_->addWidget(side);
    split_->setStretchFactor(0, 3);
    split_->setStretchFactor(1, 2);
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->addWidget(split_);
    setCentralWidget(central);

    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("status"));
    statusBar()->addWidget(status_, 1);
    BuildMenus();
    BuildToolBar();

    search_->onSelectionChanged = [this] {
        details_->Show(search_->Selected());
        UpdateCommands();
    };
    search_->onActivated = [this] { ModifySelected(); };
    UpdateCommands();
    ShowStatus();
    counter_.Request();
    resize(980, 620);
    RestoreWindowPlace(*this, *split_);
    search_->setFocus();
}

MainWindow::~MainWindow() = default;

bool MainWindow::Settled() const {
    return counter_.Settled() && search_->Settled() && details_->Settled();
}

QAction* MainWindow::AddCommand(QMenu& menu, const QString& text, const QString& name,
                                const QList<QKeySequence>& keys, std::function<void()> run) {
    auto* action = menu.addAction(text);
    action->setObjectName(name);
    action->setShortcuts(keys);
    connect(action, &QAction::triggered, this, [run = std::move(run)] { run(); });
    return action;
}

void MainWindow::BuildMenus() {
    QMenu& catalog = *menuBar()->addMenu(QStringLiteral("&Catálogo"));
    AddCommand(catalog, QStringLiteral("&Buscar"), QStringLiteral("buscar"),
               {QKeySequence(Qt::CTRL | Qt::Key_F)}, [this] {
                   search_->field().setFocus(Qt::ShortcutFocusReason);
                   search_->field().selectAll();
               });
    AddCommand(catalog, QStringLiteral("E&xplorar países…"), QStringLiteral("explorar"),
               {QKeySequence(Qt::CTRL | Qt::Key_E)}, [this] { Explore(); });
    catalog.addSeparator();
    AddCommand(catalog, QStringLiteral("&Salir"), QStringLiteral("salir"),
               {QKeySequence(Qt::CTRL | Qt::Key_Q)}, [this] { close(); });

    QMenu& place = *menuBar()->addMenu(QStringLiteral("&Lugar"));
    AddCommand(place, QStringLiteral("Nuevo &país…"), QStringLiteral("nuevoPais"),
               {QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_N)}, [this] { AddNew(Level::kPais); });
    newEstado_ = AddCommand(place, QStringLiteral("Nuevo &estado…"), QStringLiteral("nuevoEstado"),
                            {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N)},
                            [this] { AddNew(Level::kEdoProv); });
    newCiudad_ =
        AddCommand(place, QStringLiteral("Nueva &ciudad…"), QStringLiteral("nuevaCiudad"),
                   {QKeySequence(Qt::CTRL | Qt::Key_N)}, [this] { AddNew(Level::kCiudad); });
    place.addSeparator();
    modify_ = AddCommand(place, QStringLiteral("&Modificar…"), QStringLiteral("modificar"),
                         {QKeySequence(Qt::Key_F2)}, [this] { ModifySelected(); });
    delete_ = AddCommand(place, QStringLiteral("E&liminar…"), QStringLiteral("eliminar"),
                         {QKeySequence(QKeySequence::Delete)}, [this] { DeleteSelected(); });

    QMenu& tools = *menuBar()->addMenu(QStringLiteral("&Herramientas"));
    AddCommand(tools, QStringLiteral("Consola de &miembros"), QStringLiteral("consola"),
               {QKeySequence(Qt::CTRL | Qt::Key_M)}, [this] { OpenConsole(); });
}

void MainWindow::BuildToolBar() {
    QToolBar* bar = addToolBar(QStringLiteral("Órdenes"));
    bar->setObjectName(QStringLiteral("ordenes"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    for (const char* name :
         {"nuevoPais", "nuevoEstado", "nuevaCiudad", "", "modificar", "eliminar", "", "explorar"}) {
        if (*name == '\0') {
            bar->addSeparator();
            continue;
        }
        bar->addAction(findChild<QAction*>(QString::fromLatin1(name)));
    }
}

void MainWindow::UpdateCommands() {
    const nubex::SearchHit* selected = search_->Selected();
    modify_->setEnabled(selected != nullptr);
    delete_->setEnabled(selected != nullptr);
    const QString country = ParentName(Level::kEdoProv, selected);
    const QString state = ParentName(Level::kCiudad, selected);
    newEstado_->setStatusTip(country.isEmpty()
                                 ? QStringLiteral("Seleccione antes el país del estado nuevo")
                                 : QStringLiteral("Agrega un estado a ") + country);
    newCiudad_->setStatusTip(state.isEmpty()
                                 ? QStringLiteral("Seleccione antes el estado de la ciudad nueva")
                                 : QStringLiteral("Agrega una ciudad a ") + state);
}

void MainWindow::AddNew(Level level) {
    static const QString kWhy[] = {
        {},
        QStringLiteral("Para agregar un estado, seleccione antes en la lista su país, o uno de "
                       "los estados o ciudades de ese país."),
        QStringLiteral("Para agregar una ciudad, seleccione antes en la lista su estado, o una de "
                       "las ciudades de ese estado."),
    };
    const QAction& action =
        *findChild<QAction*>(level == Level::kPais      ? QStringLiteral("nuevoPais")
                             : level == Level::kEdoProv ? QStringLiteral("nuevoEstado")
                                                        : QStringLiteral("nuevaCiudad"));
    const QString title = TitleOf(action);
    const std::optional<LONG> parent = ParentForNew(level, search_->Selected());
    if (!parent) {
        Tell(this, QMessageBox::Information, title, kWhy[static_cast<int>(level)]);
        return;
    }
    Run(title, [&] { Follow(commands_.Add(level, *parent), title); });
}

void MainWindow::ModifySelected() {
    RunOnSelected(*modify_, &PlaceCommands::Modify);
}

void MainWindow::DeleteSelected() {
    RunOnSelected(*delete_, &PlaceCommands::Delete);
}

void MainWindow::RunOnSelected(const QAction& action,
                               CommandResult (PlaceCommands::*command)(Level, LONG)) {
    const nubex::SearchHit* selected = search_->Selected();
    if (!selected) return;
    const Level level = LevelOf(selected->level);
    const LONG key = selected->sysPk;
    const QString title = TitleOf(action);
    Run(title, [&] { Follow((commands_.*command)(level, key), title); });
}

void MainWindow::Explore() {
    Run(QStringLiteral("Explorar países"), [this] {
        commands_.Explore();
        CatalogMayHaveChanged();
    });
}

void MainWindow::OpenConsole() {
    if (!console_) {
        console_ = new ConsoleWindow(fx_, catalog_, consoleByName_, this);
        console_->setWindowFlag(Qt::Window);
        console_->afterCall = [this] { CatalogMayHaveChanged(); };
    }
    console_->show();
    console_->raise();
    console_->activateWindow();
}

void MainWindow::Run(const QString& title, const std::function<void()>& command) {
    try {
        command();
    } catch (const rt::RuntimeError& error) {
        Tell(this, QMessageBox::Critical, title,
             QStringLiteral("No se pudo completar «%1».").arg(title), Text(DescribeError(error)));
        CatalogMayHaveChanged();
    }
}

void MainWindow::Follow(const CommandResult& result, const QString& title) {
    const nubex::PlaceLevel level = PlaceLevelOf(result.level);
    const int row = search_->results().currentIndex().row();
    switch (result.kind) {
        case CommandResult::Kind::kSaved:
            search_->Refresh(WantedPlace{level, result.key, row, result.name});
            break;
        case CommandResult::Kind::kDeleted:
            search_->Refresh(WantedPlace{level, result.key, row, {}});
            break;
        case CommandResult::Kind::kGone:
            Tell(this, QMessageBox::Information, title,
                 QStringLiteral("Ese lugar ya no está en el catálogo: otro usuario lo eliminó."));
            search_->Refresh(WantedPlace{level, result.key, row, {}});
            break;
        case CommandResult::Kind::kUnchanged:
            search_->Refresh();
            break;
    }
    counter_.Request();
}

void MainWindow::CatalogMayHaveChanged() {
    search_->Refresh();
    counter_.Request();
}

void MainWindow::ShowStatus() {
    status_->setText(
        QStringLiteral("Catálogo: %1 · %2").arg(CatalogText(catalogPath_), countsText_));
}

void MainWindow::closeEvent(QCloseEvent* event) {
    SaveWindowPlace(*this, *split_);
    if (console_) console_->close();
    QMainWindow::closeEvent(event);
}

}  // namespace mundor::host
