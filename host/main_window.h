// The main window of mundor-host, what a person who keeps the catalog uses every day: a search
// over the whole catalog as they type, the selected place's details, and the commands on it,
// each done through the component's public members on the window's MundorFx (its dialogs, its
// deletes with their confirmation and error boxes, its browser). The list and the details follow
// what each command saved, deleted or left alone; the status line names the catalog and counts
// it in the background. Herramientas → Consola de miembros opens the member console.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "contracts/data_objects.h"
#include "facade/mundor_fx_interface.h"
#include "host/background_counter.h"
#include "host/catalog_level.h"
#include "host/fx_members.h"
#include "host/place_commands.h"
#include "runtime/ref.h"

class QAction;
class QLabel;
class QMenu;
class QSplitter;

namespace mundor::host {

class ConsoleWindow;
class DetailsPanel;
class SearchPane;

class MainWindow final : public QMainWindow {
  public:
    // `consoleByName`: the member console starts with its calls routed by name.
    MainWindow(rt::Ref<_MundorFx> fx, rt::Ref<nubex::Catalog> catalog,
               std::filesystem::path catalogPath, bool consoleByName, QWidget* parent = nullptr);
    ~MainWindow() override;

    SearchPane& search() const { return *search_; }
    // Whether the window shows everything it was last asked for: the counts, the search's
    // answer and the details.
    bool Settled() const;
    bool CountsSettled() const { return counter_.Settled(); }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    QAction* AddCommand(QMenu& menu, const QString& text, const QString& name,
                        const QList<QKeySequence>& keys, std::function<void()> run);
    void BuildMenus();
    void BuildToolBar();
    void UpdateCommands();
    void AddNew(Level level);
    void ModifySelected();
    void DeleteSelected();
    // A command on the selected place, titled as `action`; nothing when no place is selected.
    void RunOnSelected(const QAction& action, CommandResult (PlaceCommands::*command)(Level, LONG));
    void Explore();
    void OpenConsole();
    // Runs a command; a failure the component let through is told in a box. Afterwards the list,
    // the details and the counts follow the catalog.
    void Run(const QString& title, const std::function<void()>& command);
    void Follow(const CommandResult& result, const QString& title);
    void CatalogMayHaveChanged();
    void ShowStatus();

    rt::Ref<_MundorFx> fx_;
    rt::Ref<nubex::Catalog> catalog_;
    std::filesystem::path catalogPath_;
    bool consoleByName_;
    std::unique_ptr<FxMembers> members_;
    PlaceCommands commands_;
    QSplitter* split_ = nullptr;
    SearchPane* search_ = nullptr;
    DetailsPanel* details_ = nullptr;
    QLabel* status_ = nullptr;
    QString countsText_;
    QAction* modify_ = nullptr;
    QAction* delete_ = nullptr;
    QAction* newEstado_ = nullptr;
    QAction* newCiudad_ = nullptr;
    QPointer<ConsoleWindow> console_;
    BackgroundCounter counter_;  // last: its count ends before the widgets go
};

// How the window names a catalog: "SQLite /home/ana/.local/share/mundor/catalog.db",
// "PostgreSQL ana@servidor:5432/mundor"; never a password.
QString CatalogText(const std::filesystem::path& catalog);

}  // namespace mundor::host
