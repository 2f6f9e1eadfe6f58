// A fresh folder under the system's temporary folder, removed with everything in it, for every
// suite that needs files of its own; and the names in it in the order the file system lists
// them, read with readdir.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace mundor::test {

class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
    std::u16string Text() const;  // the folder as the application object reports one
    void AddFile(const std::string& name) const;
    void AddFolder(const std::string& name) const;
    void AddLink(const std::string& name, const std::string& target) const;
    // Names of the entries, in the file system's own listing order.
    std::vector<std::string> ListedNames() const;

  private:
    std::filesystem::path path_;
};

// The whole content of a file; empty when it cannot be read.
std::string ReadFile(const std::filesystem::path& path);

}  // namespace mundor::test
