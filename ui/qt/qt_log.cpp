#include "ui/qt/qt_log.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include <QLoggingCategory>
#include <QString>

#include "runtime/log.h"

namespace mundor::ui::qt {

namespace {

// The categories made so far, one per area. They live until the process ends: a library may
// still log while static objects are being destroyed.
struct Categories {
    std::mutex mutex;
    std::map<std::string, std::unique_ptr<QLoggingCategory>, std::less<>> byName;
};

Categories& TheCategories() {
    static auto* categories = new Categories;
    return *categories;
}

const QLoggingCategory& CategoryFor(std::string_view area) {
    Categories& categories = TheCategories();
    const std::lock_guard lock(categories.mutex);
    auto [found, added] = categories.byName.try_emplace("mundor." + std::string(area));
    if (added) {
        const QtMsgType enabledFrom =
            qEnvironmentVariableIsEmpty("MUNDOR_LOG") ? QtCriticalMsg : QtWarningMsg;
        // The category keeps a pointer to its name: the map's key, which stays put.
        found->second = std::make_unique<QLoggingCategory>(found->first.c_str(), enabledFrom);
    }
    return *found->second;
}

void LogToQt(const rt::LogEntry& entry) {
    const QString text =
        QString::fromUtf8(entry.text.data(), static_cast<qsizetype>(entry.text.size()));
    QMessageLogger().warning(CategoryFor(entry.area)).noquote() << text;
}

}  // namespace

void RouteLogToQt() {
    rt::SetLogSink(LogToQt);
}

}  // namespace mundor::ui::qt
