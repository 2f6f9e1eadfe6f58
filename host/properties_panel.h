// The facade's own state: LastErrorCode and LastErrorDescrip (read and write), DataObjects (read)
// and SetDataObjects with the host's catalog or with Nothing.
#pragma once

#include <QGroupBox>

#include "contracts/data_objects.h"
#include "host/call_runner.h"
#include "runtime/ref.h"

class QLineEdit;
class QSpinBox;

namespace mundor::host {

class PropertiesPanel final : public QGroupBox {
  public:
    PropertiesPanel(CallRunner& runner, rt::Ref<nubex::Catalog> catalog, QWidget* parent);

  private:
    void ReadErrorCode();
    void WriteErrorCode();
    void ReadErrorDescrip();
    void WriteErrorDescrip();
    void ReadDataObjects();
    void Bind(bool toCatalog);

    CallRunner& runner_;
    rt::Ref<nubex::Catalog> catalog_;
    QSpinBox* errorCode_;
    QLineEdit* errorDescrip_;
};

}  // namespace mundor::host
