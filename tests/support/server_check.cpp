// Against PostgreSQL with no server answering, every test of the process is skipped, saying why.
#include <gtest/gtest.h>

#include "catalog_backends.h"

namespace mundor::test {
namespace {

class ServerCheck : public ::testing::Environment {
  public:
    void SetUp() override {
        if (CurrentBackend() != Backend::Postgres) return;
        const std::string why = ServerUnavailableReason();
        if (!why.empty()) GTEST_SKIP() << why;
    }
};

[[maybe_unused]] ::testing::Environment* const gServerCheck =
    ::testing::AddGlobalTestEnvironment(new ServerCheck);

}  // namespace
}  // namespace mundor::test
