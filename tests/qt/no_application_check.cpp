// Without a QApplication the Qt toolkit refuses to start with its own error, instead of letting
// Qt abort the process at the first widget. Exits 0 when it does.
#include <cstdio>

#include "runtime/bstr.h"
#include "runtime/error.h"
#include "ui/qt/qt_errors.h"
#include "ui/qt/qt_toolkit.h"

int main() {
    using namespace mundor;
    try {
        ui::qt::QtToolkit toolkit;
    } catch (const rt::RuntimeError& error) {
        std::printf("%d: %s\n", static_cast<int>(error.number()),
                    rt::Utf16ToUtf8(error.description()).c_str());
        const bool clear = error.number() == ui::qt::err::kNoApplication &&
                           error.description().find(u"QApplication") != std::u16string::npos;
        return clear ? 0 : 1;
    }
    std::printf("the toolkit started without a QApplication\n");
    return 1;
}
