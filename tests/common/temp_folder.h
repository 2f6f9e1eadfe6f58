// A fresh folder under the system's temporary folder, removed with everything in it, and the
// names in it in the order the file system lists them, read with readdir.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace common_test {

class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::u16string Text() const;  // the folder as the application object reports one
    void AddFile(const std::string& name) const;
    void AddFolder(const std::string& name) const;
    void AddLink(const std::string& name, const std::string& target) const;
    // Names of the entries, in the file system's own listing order.
    std::vector<std::string> ListedNames() const;

  private:
    std::filesystem::path path_;
};

}  // namespace common_test
