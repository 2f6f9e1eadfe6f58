// The component's log on Qt's: a Qt host that routes it sees the dropped errors as warnings of
// the categories "mundor.<area>", on by default only when MUNDOR_LOG is set.
#include <QLoggingCategory>
#include <QStringList>

#include <gtest/gtest.h>

#include "runtime/log.h"
#include "ui/qt/qt_log.h"

namespace mundor::ui::qt::testing {
namespace {

QStringList gCaught;  // "<type> <category>: <text>"

void Catch(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    gCaught << QStringLiteral("%1 %2: %3").arg(type).arg(context.category, text);
}

TEST(QtLogTest, TheRuntimesLogBecomesWarningsOfTheAreasCategory) {
    const struct {
        const char* mundorLog;  // null: not set
        const char* area;       // a fresh one per case: a category's default is set once
        const char* rules;
        bool shown;
    } cases[] = {
        {"1", "conmundorlog", "", true},
        {nullptr, "sinmundorlog", "", false},
        {nullptr, "reglas", "mundor.reglas.warning=true", true},
    };
    const QtMessageHandler previous = qInstallMessageHandler(Catch);
    RouteLogToQt();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.area);
        gCaught.clear();
        if (c.mundorLog) qputenv("MUNDOR_LOG", c.mundorLog);
        if (!c.mundorLog) qunsetenv("MUNDOR_LOG");
        QLoggingCategory::setFilterRules(QString::fromUtf8(c.rules));

        rt::Log(c.area, "se descartó el error 5");

        const QString expected =
            QStringLiteral("%1 mundor.%2: se descartó el error 5").arg(QtWarningMsg).arg(c.area);
        EXPECT_EQ(gCaught, c.shown ? QStringList{expected} : QStringList{});
    }
    rt::SetLogSink({});
    qunsetenv("MUNDOR_LOG");
    QLoggingCategory::setFilterRules(QString());
    qInstallMessageHandler(previous);
}

}  // namespace
}  // namespace mundor::ui::qt::testing
