// The six deletes: for each level, the object-based one (Obj chosen by key, 0 for Nothing) and
// the key-based one, with one Ask box for all of them.
#pragma once

#include <QGroupBox>

#include "contracts/data_objects.h"
#include "host/call_runner.h"
#include "host/catalog_level.h"
#include "runtime/ref.h"

class QCheckBox;
class QGridLayout;
class QSpinBox;

namespace mundor::host {

class DeletesPanel final : public QGroupBox {
  public:
    DeletesPanel(CallRunner& runner, rt::Ref<nubex::Catalog> catalog, QWidget* parent);

  private:
    struct Row {
        Level level;
        QSpinBox* object;
        QSpinBox* key;
    };
    void AddRow(QGridLayout& grid, int line, Level level);
    void Remove(const Row& row);
    void RemoveByKey(const Row& row);
    QString AskArgument() const;

    CallRunner& runner_;
    rt::Ref<nubex::Catalog> catalog_;
    QCheckBox* ask_;
};

}  // namespace mundor::host
