// The six dialog launchers: for each level, the object-based one (Obj chosen by key, 0 for
// Nothing, and the parent key) and the key-based one.
#pragma once

#include <QGroupBox>

#include "contracts/data_objects.h"
#include "host/call_runner.h"
#include "host/catalog_level.h"
#include "runtime/ref.h"

class QGridLayout;
class QSpinBox;

namespace mundor::host {

class LaunchersPanel final : public QGroupBox {
  public:
    LaunchersPanel(CallRunner& runner, rt::Ref<nubex::Catalog> catalog, QWidget* parent);

  private:
    struct Row {
        Level level;
        QSpinBox* object;
        QSpinBox* parentKey;  // null for a country
        QSpinBox* key;
    };
    void AddRow(QGridLayout& grid, int line, Level level);
    void Launch(const Row& row);
    void LaunchByKey(const Row& row);

    CallRunner& runner_;
    rt::Ref<nubex::Catalog> catalog_;
};

// "Nothing" for key 0, otherwise "Pais 12": how a call's log names the object it was given.
QString ObjectArgument(Level level, int key);

}  // namespace mundor::host
