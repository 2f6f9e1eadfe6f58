// The road switch really changes the road: unticked, the window's calls go through the typed
// slots of _MundorFx; ticked, through IDispatch::Invoke, and never the other way.
#include <QCheckBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "host_fixture.h"
#include "route_spy.h"

namespace mundor::host::testing {
namespace {

class RouteTest : public ConsoleTest {
  protected:
    RouteTest() : spy_(new RouteSpy(fx_)), spied_(rt::Ref<_MundorFx>(spy_), catalog_, false) {
        spied_.show();
    }

    void ClickIn(const char* name) {
        QTest::mouseClick(spied_.findChild<QPushButton*>(QString::fromLatin1(name)),
                          Qt::LeftButton);
    }

    RouteSpy* spy_;  // owned by the references the window holds
    ConsoleWindow spied_;
};

TEST_F(RouteTest, CallsTakeTheRoadTheUserChose) {
    for (const char* member :
         {"get_LastErrorCode", "let_LastErrorDescrip", "get_DataObjects", "DelPais_BySysPK"}) {
        ClickIn(member);
    }
    EXPECT_EQ(spy_->invokes(), 0);
    const int typed = spy_->typedCalls();
    EXPECT_EQ(typed, 4);

    QTest::mouseClick(spied_.findChild<QCheckBox*>(QStringLiteral("byName")), Qt::LeftButton);
    for (const char* member :
         {"get_LastErrorCode", "let_LastErrorDescrip", "get_DataObjects", "DelPais_BySysPK"}) {
        ClickIn(member);
    }
    EXPECT_EQ(spy_->invokes(), 4);
    EXPECT_EQ(spy_->typedCalls(), typed);
}

}  // namespace
}  // namespace mundor::host::testing
