// FillModuleIdentity: what a window's banner shows of the component, and in which order it is
// written, given an application object of the test's own.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "common/file_extension.h"
#include "common/module_identity.h"
#include "contracts/ui/ui_errors.h"
#include "runtime/error.h"
#include "temp_folder.h"

namespace {

using common_test::TempFolder;
using mundor::common::FillModuleIdentity;
using ::testing::ElementsAre;
using ::testing::Pair;
namespace rt = mundor::rt;
namespace ui = mundor::ui;

// A banner that remembers every property set on it, in order, and can refuse one property.
class RecordingBanner final : public ui::ModuleBanner {
  public:
    explicit RecordingBanner(std::u16string refused = u"") : refused_(std::move(refused)) {
        definition_.name = u"axMirel";
        definition_.kind = ui::ControlKind::ModuleBanner;
    }
    const ui::ControlDefinition& Definition() const override { return definition_; }
    void SetFocus() override {}
    void SetProperty(std::u16string_view property, std::u16string_view text) override {
        if (property == refused_) ui::err::RaiseUnknownProperty(property);
        sets.emplace_back(property, text);
    }
    std::u16string Property(std::u16string_view) const override { return u""; }

    std::vector<std::pair<std::u16string, std::u16string>> sets;

  private:
    ui::ControlDefinition definition_;
    std::u16string refused_;
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
    TempFolder folder;
    folder.AddFile("Mundor.dll");
    RecordingBanner banner;
    FillModuleIdentity(AppIn(folder, 0, 9, 10), banner);
    EXPECT_THAT(banner.sets,
                ElementsAre(Pair(u"Nombre", u"Mundor.dll"), Pair(u"Ubicacion", folder.Text()),
                            Pair(u"Version", u"0.9.0.10")));
}

TEST(FillModuleIdentity, NameAloneWhenNoFileOfTheComponentIsFound) {
    TempFolder folder;
    folder.AddFile("mundor.dll");
    RecordingBanner banner;
    FillModuleIdentity(AppIn(folder, 0, 9, 10), banner);
    ASSERT_FALSE(banner.sets.empty());
    EXPECT_EQ(banner.sets.front(),
              std::make_pair(std::u16string(u"Nombre"), std::u16string(u"Mundor")));
}

TEST(FillModuleIdentity, VersionIsMajorMinorZeroRevisionInPlainDecimal) {
    TempFolder folder;
    RecordingBanner banner;
    FillModuleIdentity(AppIn(folder, 1, 12, 305), banner);
    ASSERT_EQ(banner.sets.size(), 3u);
    EXPECT_EQ(banner.sets[2].second, u"1.12.0.305");

    RecordingBanner widest;
    FillModuleIdentity(AppIn(folder, 65535, 0, 65535), widest);
    ASSERT_EQ(widest.sets.size(), 3u);
    EXPECT_EQ(widest.sets[2].second, u"65535.0.0.65535");
}

TEST(FillModuleIdentity, AFolderThatCannotBeListedRaisesBeforeAnythingIsSet) {
    TempFolder folder;
    rt::AppObject app = AppIn(folder, 0, 9, 10);
    app.Path += u"/no-existe";
    RecordingBanner banner;
    try {
        FillModuleIdentity(app, banner);
        FAIL() << "a missing folder was listed";
    } catch (const rt::RuntimeError& error) {
        EXPECT_EQ(error.number(), mundor::common::kPathNotFound);
    }
    EXPECT_TRUE(banner.sets.empty());
}

TEST(FillModuleIdentity, ARefusedPropertyRaisesAndWhatWasSetBeforeStays) {
    TempFolder folder;
    folder.AddFile("Mundor.ocx");
    RecordingBanner banner(u"Version");
    try {
        FillModuleIdentity(AppIn(folder, 0, 9, 10), banner);
        FAIL() << "the refusal was swallowed";
    } catch (const rt::RuntimeError& error) {
        EXPECT_EQ(error.number(), rt::err::kMemberNotFound);
    }
    EXPECT_THAT(banner.sets,
                ElementsAre(Pair(u"Nombre", u"Mundor.ocx"), Pair(u"Ubicacion", folder.Text())));
}

}  // namespace
