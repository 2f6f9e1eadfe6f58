#include "host/search_pane.h"

#include <QAction>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

namespace mundor::host {

namespace {

// Enough for a screenful; a search that finds more says so and asks for more letters.
constexpr int kShownHits = nubex::kDefaultSearchLimit;

// Whether `key` is the shortcut of one of the window's commands.
bool IsWindowShortcut(const QWidget& field, const QKeyEvent& key) {
    const QKeySequence pressed(key.keyCombination());
    for (const QAction* action : field.window()->findChildren<QAction*>()) {
        if (action->isEnabled() && action->shortcuts().contains(pressed)) return true;
    }
    return false;
}

QTreeView* NewResultsView(QWidget* parent) {
    auto* view = new QTreeView(parent);
    view->setObjectName(QStringLiteral("results"));
    view->setRootIsDecorated(false);
    view->setUniformRowHeights(true);
    view->setAlternatingRowColors(true);
    view->setAllColumnsShowFocus(true);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    return view;
}

}  // namespace

bool SearchField::event(QEvent* event) {
    // A Ctrl shortcut of the window wins over the field's own use of the key.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers().testFlag(Qt::ControlModifier) && IsWindowShortcut(*this, *key)) {
            event->ignore();
            return false;
        }
    }
    return QLineEdit::event(event);
}

void SearchField::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if ((key == Qt::Key_Down || key == Qt::Key_Return || key == Qt::Key_Enter) && onLeave) {
        onLeave();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

SearchPane::SearchPane(const std::string& catalog, QString shownName, QWidget* parent)
    : QWidget(parent),
      shownName_(std::move(shownName)),
      field_(new SearchField(this)),
      summary_(new QLabel(this)),
      results_(NewResultsView(this)),
      model_(this),
      search_(catalog, kShownHits, *this, [this](const SearchAnswer& answer) { Show(answer); }) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(QStringLiteral("&Buscar:"), this);
    label->setBuddy(field_);
    field_->setObjectName(QStringLiteral("search"));
    field_->setPlaceholderText(QStringLiteral("Nombre o código de un país, estado o ciudad"));
    field_->setClearButtonEnabled(true);
    summary_->setObjectName(QStringLiteral("summary"));
    summary_->setWordWrap(true);
    results_->setModel(&model_);
    QHeaderView* header = results_->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(SearchResultsModel::kPlace, QHeaderView::Stretch);
    header->setSectionResizeMode(SearchResultsModel::kLevel, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(SearchResultsModel::kCode, QHeaderView::ResizeToContents);

    auto* line = new QHBoxLayout;
    line->addWidget(label);
    line->addWidget(field_, 1);
    column->addLayout(line);
    column->addWidget(summary_);
    column->addWidget(results_, 1);
    setFocusProxy(field_);

    connect(field_, &QLineEdit::textChanged, this, [this] { TextChanged(); });
    field_->onLeave = [this] {
        if (model_.rowCount() == 0) return;
        if (!Selected()) Select(0);
        results_->setFocus(Qt::TabFocusReason);
    };
    connect(results_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] {
        if (!placing_ && onSelectionChanged) onSelectionChanged();
    });
    connect(results_, &QAbstractItemView::activated, this, [this] {
        if (onActivated) onActivated();
    });
    search_.Request({});
}

const nubex::SearchHit* SearchPane::Selected() const {
    const QModelIndexList rows = results_->selectionModel()->selectedRows();
    return rows.isEmpty() ? nullptr : model_.HitAt(rows.front().row());
}

void SearchPane::TextChanged() {
    wanted_.reset();  // a new search: its best place comes first
    search_.Request(field_->text().toStdU16String());
}

void SearchPane::Refresh(std::optional<WantedPlace> wanted) {
    if (!wanted) {
        if (const nubex::SearchHit* hit = Selected()) {
            wanted = WantedPlace{hit->level, hit->sysPk, results_->currentIndex().row(), {}};
        }
    }
    wanted_ = std::move(wanted);
    search_.Request(field_->text().toStdU16String());
}

void SearchPane::Show(const SearchAnswer& answer) {
    model_.SetHits(answer.hits);
    summary_->setText(Summary(answer));
    summary_->setStyleSheet(answer.failure.empty() ? QString() : QStringLiteral("color: #a40000;"));
    SelectWanted();
    if (onSettled) onSettled();
}

void SearchPane::SelectWanted() {
    if (!wanted_) {
        Select(0);
        return;
    }
    const int row = model_.RowOf(wanted_->level, wanted_->key);
    if (row < 0 && !wanted_->name.empty()) {
        // Not among these answers: search for its name, and select it there.
        WantedPlace next = *wanted_;
        next.name.clear();
        field_->setText(QString::fromStdU16String(wanted_->name));  // a new request
        wanted_ = next;
        return;
    }
    Select(row >= 0 ? row : std::min(wanted_->row, model_.rowCount() - 1));
    wanted_.reset();
}

void SearchPane::Select(int row) {
    const QModelIndex index = model_.index(row, 0);
    if (!index.isValid()) {
        results_->selectionModel()->clear();
        if (onSelectionChanged) onSelectionChanged();
        return;
    }
    placing_ = true;
    results_->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    placing_ = false;
    results_->scrollTo(index);
    // The list was filled anew: the details follow even when the row number stayed the same.
    if (onSelectionChanged) onSelectionChanged();
}

QString SearchPane::Summary(const SearchAnswer& answer) const {
    if (!answer.failure.empty()) {
        return QStringLiteral("No se pudo buscar en el catálogo %1. %2")
            .arg(shownName_, QString::fromStdU16String(answer.failure));
    }
    const QString text = QString::fromStdU16String(answer.text).trimmed();
    if (text.isEmpty()) {
        return QStringLiteral("Escriba el nombre o el código de un país, un estado o una ciudad.");
    }
    const auto count = static_cast<int>(answer.hits.size());
    if (count == 0) return QStringLiteral("Ningún lugar coincide con «%1».").arg(text);
    if (count == 1) return QStringLiteral("1 lugar.");
    if (count >= kShownHits) {
        return QStringLiteral("Los primeros %1 lugares; escriba más para afinar la búsqueda.")
            .arg(count);
    }
    return QStringLiteral("%1 lugares.").arg(count);
}

}  // namespace mundor::host
