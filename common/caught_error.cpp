#include "common/caught_error.h"

namespace mundor::common {

rt::RuntimeError CaughtError() {
    try {
        throw;
    } catch (const rt::RuntimeError& error) {
        rt::RecordError(error);
        return error;
    } catch (...) {
        return rt::ErrorFromHResult(rt::ReportCurrentException());
    }
}

}  // namespace mundor::common
