#include "host/details_panel.h"

#include <QFormLayout>
#include <QLabel>

#include "host/search_results_model.h"

namespace mundor::host {

namespace {

// Long enough to pass over the rows the arrow keys run through, short enough to go unnoticed.
constexpr int kAreaCodeDelayMs = 120;

QString Text(const std::u16string& text) {
    return QString::fromStdU16String(text);
}

// The names above the place: "Jalisco — México" for Guadalajara; empty for a country.
QString ParentPath(const nubex::SearchHit& hit) {
    QStringList names;
    for (std::size_t i = 1; i < hit.path.size(); ++i) names << Text(hit.path[i]);
    return names.join(QString::fromStdU16String(std::u16string(nubex::kPathSeparator)));
}

}  // namespace

DetailsPanel::DetailsPanel(AreaCodeReader readAreaCode, QWidget* parent)
    : QGroupBox(QStringLiteral("Lugar seleccionado"), parent),
      readAreaCode_(std::move(readAreaCode)),
      form_(new QFormLayout(this)),
      none_(new QLabel(QStringLiteral("Ningún lugar seleccionado."), this)) {
    none_->setObjectName(QStringLiteral("detail.none"));
    none_->setForegroundRole(QPalette::PlaceholderText);
    form_->addRow(none_);
    level_ = AddRow(QStringLiteral("Nivel:"), "detail.Nivel");
    name_ = AddRow(QStringLiteral("Nombre:"), "detail.Nombre");
    code_ = AddRow(QStringLiteral("Código:"), "detail.Codigo");
    areaCode_ = AddRow(QStringLiteral("Código telefónico:"), "detail.CodigoTel");
    parent_ = AddRow(QStringLiteral("Pertenece a:"), "detail.Pertenece");
    key_ = AddRow(QStringLiteral("Sys_PK:"), "detail.Sys_PK");
    guid_ = AddRow(QStringLiteral("Sys_GUID:"), "detail.Sys_GUID");
    QFont bold = name_->font();
    bold.setBold(true);
    name_->setFont(bold);
    areaCodeTimer_.setSingleShot(true);
    areaCodeTimer_.setInterval(kAreaCodeDelayMs);
    connect(&areaCodeTimer_, &QTimer::timeout, this, [this] { ReadAreaCode(); });
    Show(nullptr);
}

QLabel* DetailsPanel::AddRow(const QString& caption, const char* name) {
    auto* value = new QLabel(this);
    value->setObjectName(QString::fromLatin1(name));
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    value->setWordWrap(true);
    form_->addRow(caption, value);
    return value;
}

void DetailsPanel::Show(const nubex::SearchHit* hit) {
    areaCodeTimer_.stop();
    shown_ = hit ? std::optional(*hit) : std::nullopt;
    form_->setRowVisible(none_, !hit);
    for (QLabel* value : {level_, name_, code_, areaCode_, parent_, key_, guid_}) {
        form_->setRowVisible(value, hit != nullptr);
        value->clear();
    }
    if (!hit) return;
    level_->setText(LevelName(hit->level));
    name_->setText(Text(hit->nombre));
    code_->setText(Text(hit->codigo));
    form_->setRowVisible(areaCode_, hit->level != nubex::PlaceLevel::EdoProv);
    parent_->setText(hit->level == nubex::PlaceLevel::Pais ? QStringLiteral("—")
                                                           : ParentPath(*hit));
    key_->setText(QString::number(hit->sysPk));
    guid_->setText(Text(hit->sysGuid));
    if (hit->level != nubex::PlaceLevel::EdoProv) {
        areaCode_->setText(QStringLiteral("…"));
        areaCodeTimer_.start();
    }
}

void DetailsPanel::ReadAreaCode() {
    if (!shown_) return;
    const std::optional<std::u16string> areaCode = readAreaCode_(*shown_);
    if (!areaCode) {
        areaCode_->setText(QStringLiteral("(no se pudo leer)"));
        return;
    }
    areaCode_->setText(areaCode->empty() ? QStringLiteral("—") : Text(*areaCode));
}

}  // namespace mundor::host
