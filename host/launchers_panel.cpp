#include "host/launchers_panel.h"

#include <QGridLayout>
#include <QLabel>
#include <QSpinBox>

#include "host/member_controls.h"
#include "host/record_lookup.h"
#include "host/value_text.h"

namespace mundor::host {

QString ObjectArgument(Level level, int key) {
    if (key == 0) return QStringLiteral("Nothing");
    return ToQString(InfoOf(level).recordType) + QLatin1Char(' ') + QString::number(key);
}

LaunchersPanel::LaunchersPanel(CallRunner& runner, rt::Ref<nubex::Catalog> catalog, QWidget* parent)
    : QGroupBox(QStringLiteral("Diálogos de edición"), parent),
      runner_(runner),
      catalog_(std::move(catalog)) {
    auto* grid = new QGridLayout(this);
    const QStringList headings{QStringLiteral("Nivel"),
                               QStringLiteral("Obj: Sys_PK (0 = Nothing)"),
                               QStringLiteral("Fk / FkEstado"),
                               {},
                               QStringLiteral("Sys_PK (0 = agregar)"),
                               {}};
    for (int column = 0; column < headings.size(); ++column) {
        grid->addWidget(new QLabel(headings[column], this), 0, column);
    }
    int line = 1;
    for (Level level : kLevels) AddRow(*grid, line++, level);
    grid->setColumnStretch(6, 1);
}

void LaunchersPanel::AddRow(QGridLayout& grid, int line, Level level) {
    const LevelInfo& info = InfoOf(level);
    const QString launcher = ToQString(info.launcher);
    const QString launcherByKey = ToQString(info.launcherByKey);
    Row row{level, NewKeySpinBox(launcher + QStringLiteral(".Obj"), this), nullptr,
            NewKeySpinBox(launcherByKey + QStringLiteral(".Sys_PK"), this)};
    grid.addWidget(new QLabel(ToQString(info.title), this), line, 0);
    grid.addWidget(row.object, line, 1);
    if (info.parentKeyName.empty()) {
        grid.addWidget(new QLabel(QStringLiteral("—"), this), line, 2, Qt::AlignCenter);
    } else {
        row.parentKey =
            NewKeySpinBox(launcher + QLatin1Char('.') + ToQString(info.parentKeyName), this);
        row.parentKey->setToolTip(ToQString(info.parentKeyName));
        grid.addWidget(row.parentKey, line, 2);
    }
    auto* launch = NewMemberButton(launcher, info.launcher, launcher, this);
    auto* launchByKey = NewMemberButton(launcherByKey, info.launcherByKey, launcherByKey, this);
    grid.addWidget(launch, line, 3);
    grid.addWidget(row.key, line, 4);
    grid.addWidget(launchByKey, line, 5);
    connect(launch, &QPushButton::clicked, this, [this, row] { Launch(row); });
    connect(launchByKey, &QPushButton::clicked, this, [this, row] { LaunchByKey(row); });
}

void LaunchersPanel::Launch(const Row& row) {
    const LevelInfo& info = InfoOf(row.level);
    const int objectKey = row.object->value();
    const int parentKey = row.parentKey ? row.parentKey->value() : 0;
    QString call =
        ToQString(info.launcher) + QStringLiteral("(Obj:=") + ObjectArgument(row.level, objectKey);
    if (row.parentKey) {
        call += QStringLiteral(", ") + ToQString(info.parentKeyName) + QStringLiteral(":=") +
                QString::number(parentKey);
    }
    runner_.Run(call + QLatin1Char(')'), [&](FxMembers& members) {
        rt::Ref<IDispatch> record = ChooseRecord(row.level, *catalog_, objectKey);
        const rt::Variant result = members.Launch(row.level, record, parentKey);
        return DescribeValue(result) + u" · Obj: " + DescribeObject(record.get());
    });
}

void LaunchersPanel::LaunchByKey(const Row& row) {
    const LevelInfo& info = InfoOf(row.level);
    const int key = row.key->value();
    const QString call = ToQString(info.launcherByKey) + QStringLiteral("(Sys_PK:=%1)").arg(key);
    runner_.Run(call, [&](FxMembers& members) {
        return DescribeValue(members.LaunchByKey(row.level, key));
    });
}

}  // namespace mundor::host
