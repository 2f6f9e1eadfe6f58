// The Qt toolkit serves the QApplication's thread only; another thread gets a clear error.
#include <thread>

#include "modal_driver.h"
#include "ui/qt/qt_errors.h"

namespace mundor::ui::qt::testing {
namespace {

TEST(QtToolkitInstallTest, AnotherThreadCannotUseItAndGetsAClearError) {
    QtToolkit toolkit;
    std::vector<rt::RuntimeError> errors;
    std::thread([&] {
        ScopedThreadToolkit installed(toolkit);
        errors.push_back(ErrorFrom([] { RecordingLogic logic(SampleDialogForm()); }));
        errors.push_back(ErrorFrom([] { MsgBox(SampleApp(), u"hola"); }));
        errors.push_back(ErrorFrom([] { QtToolkit another; }));
    }).join();

    for (const rt::RuntimeError& error : errors) {
        EXPECT_EQ(error.number(), err::kNotUserInterfaceThread);
        EXPECT_NE(error.description().find(u"hilo"), std::u16string::npos);
    }
}

}  // namespace
}  // namespace mundor::ui::qt::testing
