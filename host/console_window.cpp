#include "host/console_window.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <utility>

#include "host/deletes_panel.h"
#include "host/launchers_panel.h"
#include "host/member_controls.h"
#include "host/properties_panel.h"

namespace mundor::host {

ConsoleWindow::ConsoleWindow(rt::Ref<_MundorFx> fx, rt::Ref<nubex::Catalog> catalog, bool byName,
                             QWidget* parent)
    : QMainWindow(parent),
      runner_(TypedMembers(MundorClient(fx)), MembersByName(rt::Ref<IDispatch>(fx))) {
    setWindowTitle(QStringLiteral("Consola de miembros de Mundor.MundorFx"));
    runner_.SetByName(byName);
    runner_.onCallStarted = [this](const CallRecord& record) { ShowCallUnderWay(record); };
    runner_.onCallEnded = [this](const CallRecord& record) { ShowCall(record); };

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->addWidget(NewTopBar(byName));
    auto* hint = new QLabel(
        QStringLiteral("Cada botón llama al miembro de Mundor.MundorFx que lleva su nombre. "
                       "Los objetos y las claves se indican por su Sys_PK en el catálogo."),
        central);
    hint->setWordWrap(true);
    hint->setForegroundRole(QPalette::PlaceholderText);
    column->addWidget(hint);
    column->addWidget(new LaunchersPanel(runner_, catalog, central));
    auto* row = new QHBoxLayout;
    row->addWidget(new DeletesPanel(runner_, catalog, central), 3);
    row->addWidget(new PropertiesPanel(runner_, catalog, central), 2);
    column->addLayout(row);
    column->addWidget(NewResultBox(), 1);
    setCentralWidget(central);
}

QWidget* ConsoleWindow::NewTopBar(bool byName) {
    auto* bar = new QWidget(this);
    auto* line = new QHBoxLayout(bar);
    line->setContentsMargins(0, 0, 0, 0);
    auto* explore = NewMemberButton(QStringLiteral("Explorar países… (ExplorerCountry)"),
                                    u"ExplorerCountry", QStringLiteral("ExplorerCountry"), bar);
    explore->setMinimumHeight(explore->sizeHint().height() * 3 / 2);
    connect(explore, &QPushButton::clicked, this, [this] {
        runner_.Run(QStringLiteral("ExplorerCountry"), [](FxMembers& members) {
            members.ExplorerCountry();
            return std::u16string(u"Listo");
        });
    });
    auto* route = new QCheckBox(QStringLiteral("Llamar por nombre (IDispatch, CallByName)"), bar);
    route->setObjectName(QStringLiteral("byName"));
    route->setToolTip(QStringLiteral(
        "Sin marcar, las llamadas van por la interfaz _MundorFx; marcada, por su nombre."));
    route->setChecked(byName);
    connect(route, &QCheckBox::toggled, this, [this](bool on) { runner_.SetByName(on); });
    line->addWidget(explore);
    line->addStretch(1);
    line->addWidget(route);
    return bar;
}

QWidget* ConsoleWindow::NewResultBox() {
    auto* box = new QGroupBox(QStringLiteral("Resultado"), this);
    auto* column = new QVBoxLayout(box);
    result_ = new QLabel(QStringLiteral("(ninguna llamada todavía)"), box);
    result_->setObjectName(QStringLiteral("result"));
    result_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    result_->setWordWrap(true);
    QFont bold = result_->font();
    bold.setBold(true);
    result_->setFont(bold);
    log_ = new QPlainTextEdit(box);
    log_->setObjectName(QStringLiteral("callLog"));
    log_->setReadOnly(true);
    log_->setMaximumBlockCount(500);
    log_->setMinimumHeight(log_->fontMetrics().lineSpacing() * 6);
    column->addWidget(result_);
    column->addWidget(log_, 1);
    return box;
}

void ConsoleWindow::ShowCallUnderWay(const CallRecord& record) {
    result_->setText(QStringLiteral("En curso: ") + record.call + QStringLiteral("…"));
    result_->setStyleSheet(QString());
    result_->setForegroundRole(QPalette::PlaceholderText);
}

void ConsoleWindow::ShowCall(const CallRecord& record) {
    result_->setText(record.outcome);
    result_->setForegroundRole(QPalette::WindowText);
    result_->setStyleSheet(record.failed ? QStringLiteral("color: #a40000;") : QString());
    const QString road =
        record.byName ? QStringLiteral("[por nombre]") : QStringLiteral("[interfaz]");
    log_->appendPlainText(road + QLatin1Char(' ') + record.call + QStringLiteral(" → ") +
                          record.outcome);
    if (afterCall) afterCall();
}

}  // namespace mundor::host
