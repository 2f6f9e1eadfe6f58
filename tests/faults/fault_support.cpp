#include "fault_support.h"

#include <grp.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace nubex_test {

namespace {

constexpr uid_t kNobody = 65534;

// Drops to nobody when running as root; false when it cannot.
bool BecomeOrdinaryUser() {
    if (geteuid() != 0) return true;
    return setgroups(0, nullptr) == 0 && setgid(kNobody) == 0 && setuid(kNobody) == 0;
}

}  // namespace

std::string IntegrityOf(const std::string& path) {
    return RawDb(path).QueryText("PRAGMA integrity_check");
}

std::string AsOrdinaryUser(const std::function<std::string()>& scenario) {
    int channel[2];
    if (pipe(channel) != 0) return "pipe: " + std::string(std::strerror(errno));
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        std::string report = BecomeOrdinaryUser() ? scenario() : "no se pudo ser nobody";
        if (::testing::Test::HasFailure()) report += " (falló una comprobación en el proceso hijo)";
        [[maybe_unused]] const ssize_t written = write(channel[1], report.data(), report.size());
        // At once: the parent's objects, connections and test state are not the child's to end.
        _exit(0);
    }
    close(channel[1]);
    std::string report;
    char buffer[512];
    for (ssize_t got; (got = read(channel[0], buffer, sizeof buffer)) > 0;)
        report.append(buffer, got);
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) report += " (el proceso hijo terminó mal)";
    return report;
}

ScopedTmpfs::ScopedTmpfs(const std::filesystem::path& folder, const std::string& options)
    : folder_(folder), options_(options) {
    if (geteuid() != 0) {
        why_ = "only root can mount the small file system this case needs";
        return;
    }
    if (mount("tmpfs", folder_.c_str(), "tmpfs", 0, options_.c_str()) != 0) {
        why_ = "cannot mount a tmpfs: " + std::string(std::strerror(errno));
        return;
    }
    mounted_ = true;
}

ScopedTmpfs::~ScopedTmpfs() {
    if (mounted_) umount2(folder_.c_str(), MNT_DETACH);
}

bool ScopedTmpfs::Remount(bool readOnly) {
    const unsigned long flags = MS_REMOUNT | (readOnly ? MS_RDONLY : 0);
    if (mount("tmpfs", folder_.c_str(), "tmpfs", flags, options_.c_str()) == 0) return true;
    why_ = "cannot remount: " + std::string(std::strerror(errno));
    return false;
}

}  // namespace nubex_test
