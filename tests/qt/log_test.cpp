// The component's log on Qt's: a Qt host that routes it sees the dropped errors as warnings of
// the categories "mundor.<area>", on by default only when MUNDOR_LOG is set.
#include <QLoggingCategory>

#include <gtest/gtest.h>

#include "runtime/log.h"
#include "ui/qt/qt_log.h"

namespace mundor::ui::qt::testing {
namespace {

struct Message {
    QtMsgType type;
    QString category;
    QString text;
    bool operator==(const Message&) const = default;
};

std::vector<Message> gMessages;

void Catch(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    gMessages.push_back({type, QString::fromUtf8(context.category), text});
}

TEST(QtLogTest, TheRuntimesLogBecomesWarningsOfTheAreasCategory) {
    const struct {
        const char* mundorLog;  // null: not set
        const char* area;       // a fresh one per case: a category's default is set once
        const char* rules;      // null: none
        bool shown;
    } cases[] = {
        {"1", "conmundorlog", nullptr, true},
        {nullptr, "sinmundorlog", nullptr, false},
        {nullptr, "reglas", "mundor.reglas.warning=true", true},
        {"1", "apagada", "mundor.apagada.warning=false", false},
    };
    const QtMessageHandler previous = qInstallMessageHandler(Catch);
    RouteLogToQt();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.area);
        gMessages.clear();
        if (c.mundorLog) {
            qputenv("MUNDOR_LOG", c.mundorLog);
        } else {
            qunsetenv("MUNDOR_LOG");
        }
        QLoggingCategory::setFilterRules(c.rules ? QString::fromUtf8(c.rules) : QString());

        rt::Log(c.area, "se descartó el error 5");

        const std::vector<Message> expected = {{QtWarningMsg, QStringLiteral("mundor.") + c.area,
                                                QString::fromUtf8("se descartó el error 5")}};
        EXPECT_EQ(gMessages, c.shown ? expected : std::vector<Message>{});
    }
    rt::SetLogSink({});
    qunsetenv("MUNDOR_LOG");
    QLoggingCategory::setFilterRules(QString());
    qInstallMessageHandler(previous);
}

}  // namespace
}  // namespace mundor::ui::qt::testing
