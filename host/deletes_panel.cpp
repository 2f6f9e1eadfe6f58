#include "host/deletes_panel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QSpinBox>

#include "host/launchers_panel.h"
#include "host/member_controls.h"
#include "host/record_lookup.h"
#include "host/value_text.h"

namespace mundor::host {

DeletesPanel::DeletesPanel(CallRunner& runner, rt::Ref<nubex::Catalog> catalog, QWidget* parent)
    : QGroupBox(QStringLiteral("Eliminar"), parent),
      runner_(runner),
      catalog_(std::move(catalog)),
      ask_(new QCheckBox(QStringLiteral("Ask: pedir confirmación antes de eliminar"), this)) {
    auto* grid = new QGridLayout(this);
    const QStringList headings{QStringLiteral("Nivel"),
                               QStringLiteral("Obj: Sys_PK (0 = Nothing)"),
                               {},
                               QStringLiteral("Sys_PK"),
                               {}};
    for (int column = 0; column < headings.size(); ++column) {
        grid->addWidget(new QLabel(headings[column], this), 0, column);
    }
    int line = 1;
    for (Level level : kLevels) AddRow(*grid, line++, level);
    ask_->setObjectName(QStringLiteral("Ask"));
    ask_->setChecked(true);
    grid->addWidget(ask_, line, 0, 1, 5);
    grid->setColumnStretch(5, 1);
}

void DeletesPanel::AddRow(QGridLayout& grid, int line, Level level) {
    const LevelInfo& info = InfoOf(level);
    const QString remover = ToQString(info.remover);
    const QString removerByKey = ToQString(info.removerByKey);
    Row row{level, NewKeySpinBox(remover + QStringLiteral(".Obj"), this),
            NewKeySpinBox(removerByKey + QStringLiteral(".Sys_PK"), this)};
    auto* remove = NewMemberButton(remover, info.remover, remover, this);
    auto* removeByKey = NewMemberButton(removerByKey, info.removerByKey, removerByKey, this);
    grid.addWidget(new QLabel(ToQString(info.title), this), line, 0);
    grid.addWidget(row.object, line, 1);
    grid.addWidget(remove, line, 2);
    grid.addWidget(row.key, line, 3);
    grid.addWidget(removeByKey, line, 4);
    connect(remove, &QPushButton::clicked, this, [this, row] { Remove(row); });
    connect(removeByKey, &QPushButton::clicked, this, [this, row] { RemoveByKey(row); });
}

QString DeletesPanel::AskArgument() const {
    return ask_->isChecked() ? QStringLiteral("True") : QStringLiteral("False");
}

void DeletesPanel::Remove(const Row& row) {
    const int objectKey = row.object->value();
    const bool ask = ask_->isChecked();
    const QString call = ToQString(InfoOf(row.level).remover) + QStringLiteral("(Obj:=") +
                         ObjectArgument(row.level, objectKey) + QStringLiteral(", Ask:=") +
                         AskArgument() + QLatin1Char(')');
    runner_.Run(call, [&](FxMembers& members) {
        rt::Ref<IDispatch> record = ChooseRecord(row.level, *catalog_, objectKey);
        return DescribeValue(members.Remove(row.level, record, ask));
    });
}

void DeletesPanel::RemoveByKey(const Row& row) {
    const int key = row.key->value();
    const bool ask = ask_->isChecked();
    const QString call = ToQString(InfoOf(row.level).removerByKey) +
                         QStringLiteral("(Sys_PK:=%1, Ask:=%2)").arg(key).arg(AskArgument());
    runner_.Run(call, [&](FxMembers& members) {
        return DescribeValue(members.RemoveByKey(row.level, key, ask));
    });
}

}  // namespace mundor::host
