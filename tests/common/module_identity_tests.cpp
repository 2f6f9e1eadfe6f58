// FillModuleIdentity: what a window's banner shows of the component, and in which order it is
// written, given an application object of the test's own.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "common/file_extension.h"
#include "common/module_identity.h"
#include "error_from.h"
#include "runtime/bstr.h"
#include "runtime/error.h"
#include "temp_folder.h"

namespace {

using mundor::common::FillModuleIdentity;
using mundor::test::TempFolder;
using mundor::testing::ErrorFrom;
using ::testing::ElementsAre;
using ::testing::Pair;
namespace rt = mundor::rt;
namespace ui = mundor::ui;

// A banner that remembers every property set on it, in order.
class RecordingBanner final : public ui::ModuleBanner {
  public:
    const ui::ControlDefinition& Definition() const override { return definition_; }
    void SetFocus() override {}
    void SetProperty(std::u16string_view property, std::u16string_view text) override {
        sets.emplace_back(property, text);
    }
    std::u16string Property(std::u16string_view) const override { return u""; }

    std::vector<std::pair<std::u16string, std::u16string>> sets;

  private:
    ui::ControlDefinition definition_;
};

rt::AppObject AppIn(const TempFolder& folder, WORD major, WORD minor, WORD revision) {
    rt::AppObject app;
    app.Title = u"Mundor";
    app.Path = folder.Text();
    app.EXEName = u"Mundor";
    app.Major = major;
    app.Minor = minor;
    app.Revision = revision;
    return app;
}

TEST(FillModuleIdentity, SetsNameFolderAndVersionByNameInThatOrder) {
    const struct {
        const char* file;  // the one file in the component's folder
        WORD major, minor, revision;
        std::u16string name;
        std::u16string version;  // major.minor.0.revision, in plain decimal
    } cases[] = {
        {"Mundor.dll", 0, 9, 10, u"Mundor.dll", u"0.9.0.10"},
        {"mundor.dll", 1, 12, 305, u"Mundor", u"1.12.0.305"},  // no file of the component
        {"Mundor.ocx", 65535, 0, 65535, u"Mundor.ocx", u"65535.0.0.65535"},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        folder.AddFile(c.file);
        RecordingBanner banner;
        FillModuleIdentity(AppIn(folder, c.major, c.minor, c.revision), banner);
        EXPECT_THAT(banner.sets,
                    ElementsAre(Pair(u"Nombre", c.name), Pair(u"Ubicacion", folder.Text()),
                                Pair(u"Version", c.version)))
            << c.file;
    }
}

TEST(FillModuleIdentity, AFolderThatCannotBeListedRaisesPathNotFoundBeforeAnythingIsSet) {
    TempFolder folder;
    rt::AppObject app = AppIn(folder, 0, 9, 10);
    app.Path += u"/no-existe";
    RecordingBanner banner;
    const rt::RuntimeError error = ErrorFrom([&] { FillModuleIdentity(app, banner); });
    EXPECT_EQ(error.number(), mundor::common::kPathNotFound);
    EXPECT_NE(error.description().find(app.Path), std::u16string::npos)
        << rt::Utf16ToUtf8(error.description());
    EXPECT_TRUE(banner.sets.empty());
}

}  // namespace
