// Installing the Qt toolkit: per thread, like any toolkit, and only on the QApplication's thread.
#include <thread>

#include "modal_driver.h"
#include "recording_logic.h"
#include "sample_forms.h"
#include "ui/qt/qt_errors.h"

namespace mundor::ui::qt::testing {
namespace {

TEST(QtToolkitInstallTest, TheInstalledToolkitBuildsTheComponentsWindows) {
    QtToolkit toolkit;
    ScopedThreadToolkit installed(toolkit);
    RecordingLogic logic(SampleDialogForm());
    EXPECT_NE(QtToolkit::WidgetOf(logic.window()), nullptr);
    EXPECT_NE(QtToolkit::WidgetOf(logic.window().GetControl(u"ctrlCodigo")), nullptr);
}

TEST(QtToolkitInstallTest, AnotherThreadCannotUseItAndGetsAClearError) {
    QtToolkit toolkit;
    std::optional<rt::RuntimeError> fromCreate;
    std::optional<rt::RuntimeError> fromMsgBox;
    std::optional<rt::RuntimeError> fromInstall;
    std::thread worker([&] {
        ScopedThreadToolkit installed(toolkit);
        fromCreate = ErrorFrom([] { RecordingLogic logic(SampleDialogForm()); });
        fromMsgBox = ErrorFrom([] { MsgBox(SampleApp(), u"hola"); });
        fromInstall = ErrorFrom([] { QtToolkit another; });
    });
    worker.join();

    for (const auto& error : {fromCreate, fromMsgBox, fromInstall}) {
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(error->number(), err::kNotUserInterfaceThread);
        EXPECT_NE(error->description().find(u"hilo"), std::u16string::npos);
    }
}

}  // namespace
}  // namespace mundor::ui::qt::testing
