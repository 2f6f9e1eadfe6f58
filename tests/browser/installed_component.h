// The component as a host finds it: libmundor.so copied into a folder of its own beside a type
// library file, registered there with its own DllRegisterServer in a registry file of the test,
// and created by ProgID. The data-object classes are registered in the process.
#pragma once

#include <filesystem>

#include "runtime/com_types.h"
#include "runtime/ref.h"
#include "temp_folder.h"

namespace browser_test {

class InstalledComponent {
  public:
    // Installed once per test process, on first use.
    static const InstalledComponent& Get();

    // The folder the component was loaded from.
    const std::filesystem::path& folder() const { return folder_.path(); }
    // A new MundorFx, created as a late-bound host creates it.
    mundor::rt::Ref<IDispatch> NewMundorFx() const;

    InstalledComponent(const InstalledComponent&) = delete;
    InstalledComponent& operator=(const InstalledComponent&) = delete;

  private:
    InstalledComponent();
    mundor::test::TempFolder folder_;
};

}  // namespace browser_test
