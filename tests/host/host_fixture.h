// The host as a user has it: a catalog of the test's own (empty, then filled with a few records;
// SQLite or PostgreSQL, support/catalog_backends.h),
// the component and the data library registered and Mundor.MundorFx created by its ProgID, the
// Qt toolkit installed, and the main window shown. Tests act on the window's controls and read
// what it shows.
#pragma once

#include <QString>
#include <QTemporaryDir>
#include <filesystem>
#include <memory>

#include <gtest/gtest.h>

#include "catalog_backends.h"
#include "contracts/data_objects.h"
#include "facade/mundor_fx_interface.h"
#include "host/catalog_level.h"
#include "host/host_window.h"
#include "runtime/ref.h"
#include "ui/qt/qt_toolkit.h"

namespace mundor::host::testing {

class HostWindowTest : public ::testing::Test {
  protected:
    HostWindowTest();
    ~HostWindowTest() override;

    // Records stored through the data-object library, as another program would add them.
    rt::Ref<nubex::Pais> AddPais(std::u16string_view codigo, std::u16string_view nombre);
    rt::Ref<nubex::EdoProv> AddEdoProv(nubex::Pais& pais, std::u16string_view codigo,
                                       std::u16string_view nombre);
    static LONG KeyOf(nubex::DataRecord& record);
    bool Exists(Level level, LONG key);

    // The user at the window.
    void UseRoute(bool byName);
    void SetNumber(const QString& box, int value);
    void SetText(const QString& edit, const QString& text);
    void SetAsk(bool ask);
    void Click(const QString& button);
    QString Result() const;
    QString Status() const;

    QWidget& window() const { return *window_; }

    mundor::test::ScratchCatalog scratch_;
    std::filesystem::path catalogPath_;  // the catalog's location: a file or a server
    rt::Ref<nubex::Catalog> catalog_;
    rt::Ref<_MundorFx> fx_;
    ui::qt::QtToolkit toolkit_;
    ui::ScopedThreadToolkit installed_{toolkit_};
    std::unique_ptr<HostWindow> window_;
};

// The same tests once through the typed vtable and once by name.
class HostCallsTest : public HostWindowTest, public ::testing::WithParamInterface<bool> {
  protected:
    HostCallsTest() { UseRoute(GetParam()); }
};

std::string RouteName(const ::testing::TestParamInfo<bool>& info);

}  // namespace mundor::host::testing
