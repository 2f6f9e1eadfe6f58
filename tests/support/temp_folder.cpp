#include "temp_folder.h"

#include <dirent.h>
#include <stdlib.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string_view>

#include "runtime/bstr.h"

namespace mundor::test {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "mundor_test_XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create " + pattern);
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::u16string TempFolder::Text() const {
    return mundor::rt::Utf8ToUtf16(path_.string());
}

void TempFolder::AddFile(const std::string& name) const {
    std::ofstream(path_ / name) << "x";
}

void TempFolder::AddFolder(const std::string& name) const {
    fs::create_directory(path_ / name);
}

void TempFolder::AddLink(const std::string& name, const std::string& target) const {
    fs::create_symlink(target, path_ / name);
}

std::vector<std::string> TempFolder::ListedNames() const {
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(path_.c_str()), &closedir);
    if (!dir) throw std::runtime_error("cannot list " + path_.string());
    std::vector<std::string> names;
    while (const dirent* entry = readdir(dir.get())) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..") names.emplace_back(name);
    }
    return names;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace mundor::test
