// What the fault tests share: the refusals as a host sees them, the file's own soundness, a
// child process of an ordinary user, and a small file system of the test's own.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "test_support.h"

namespace nubex_test {

// SQLite's own check of the file: "ok" when sound.
std::string IntegrityOf(const std::string& path);

// Runs `scenario` in a child process as an ordinary user (nobody when the tests run as root,
// who writes whatever the permissions say) and returns what it reported, and whether a check of
// the test's own failed in it.
std::string AsOrdinaryUser(const std::function<std::string()>& scenario);

// A tmpfs mounted on `folder` for one test (only root may mount; ok() tells whether it is
// there, why() why not), unmounted when this goes.
class ScopedTmpfs {
  public:
    ScopedTmpfs(const std::filesystem::path& folder, const std::string& options);
    ~ScopedTmpfs();
    ScopedTmpfs(const ScopedTmpfs&) = delete;
    ScopedTmpfs& operator=(const ScopedTmpfs&) = delete;

    bool ok() const { return mounted_; }
    const std::string& why() const { return why_; }
    bool MakeReadOnly() { return Remount(true); }
    bool MakeWritable() { return Remount(false); }

  private:
    bool Remount(bool readOnly);

    std::filesystem::path folder_;
    std::string options_;
    bool mounted_ = false;
    std::string why_;
};

}  // namespace nubex_test
