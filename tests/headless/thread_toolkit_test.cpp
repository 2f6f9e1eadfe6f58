// Each thread has its own installed toolkit; without one the component gets a clear error.
#include <thread>

#include "headless_test.h"

namespace mundor::ui::headless::testing {
namespace {

TEST(ThreadToolkitTest, WithoutAToolkitTheWindowServiceRaisesAClearError) {
    ASSERT_FALSE(HasThreadToolkit());
    const rt::RuntimeError error = ErrorFrom([] { ThreadToolkit(); });
    EXPECT_EQ(error.number(), err::kNoToolkit);
    EXPECT_NE(error.description().find(u"herramientas de interfaz"), std::u16string::npos);
    EXPECT_EQ(ErrorFrom([] { MsgBox(SampleApp(), u"hola"); }).number(), err::kNoToolkit);
}

TEST(ThreadToolkitTest, AnInstallationHoldsForItsScopeAndOnItsThreadAlone) {
    HeadlessToolkit outer;
    HeadlessToolkit inner;
    {
        const ScopedThreadToolkit installOuter(outer);
        {
            const ScopedThreadToolkit installInner(inner);
            EXPECT_EQ(&ThreadToolkit(), &inner);
        }
        EXPECT_EQ(&ThreadToolkit(), &outer) << "the earlier toolkit is back";
        bool otherThreadHasOne = true;
        std::thread([&] { otherThreadHasOne = HasThreadToolkit(); }).join();
        EXPECT_FALSE(otherThreadHasOne);
    }
    EXPECT_FALSE(HasThreadToolkit());
}

}  // namespace
}  // namespace mundor::ui::headless::testing
