// Files in memory, by path, as byte vectors; each failure the platform can
// produce can be scripted.
#pragma once

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "settings/file_system.h"

namespace vx::test {

class FakeFileSystem : public FileSystem {
  public:
    std::map<std::string, std::vector<std::uint8_t>> files;
    std::set<std::string> accessDenied;              // cannot be opened for writing: access denied
    std::set<std::string> broken;                    // cannot be opened at all
    std::set<std::string> readOnlyFolders;           // no file can be created in them
    OpenError openForUpdateError = OpenError::None;  // scripted failure of every OpenForUpdate
    bool failReads = false;
    long writeLimit = -1;     // total bytes a write may transfer before it comes up short
    bool failWrites = false;  // writes fail outright
    int openCount = 0;

    std::unique_ptr<File> OpenForReading(const std::string& path) override {
        ++openCount;
        if (broken.count(path) || files.count(path) == 0) return nullptr;
        return std::make_unique<MemFile>(*this, files[path]);
    }

    std::unique_ptr<File> OpenForUpdate(const std::string& path, OpenError& error) override {
        ++openCount;
        error = accessDenied.count(path) ? OpenError::AccessDenied
                : broken.count(path)     ? OpenError::Other
                                         : openForUpdateError;
        if (error != OpenError::None) return nullptr;
        return std::make_unique<MemFile>(*this, files[path]);  // created when missing
    }

    bool CanCreateFileIn(const std::string& folder) override {
        return !readOnlyFolders.count(folder);
    }
    std::string DocumentsFolder() override { return "C:\\users\\me\\Documents\\"; }

  private:
    class MemFile : public File {
      public:
        MemFile(FakeFileSystem& fs, std::vector<std::uint8_t>& data) : fs_(fs), data_(data) {}

        long Read(std::uint8_t* out, std::size_t size) override {
            if (fs_.failReads) return -1;
            const std::size_t n = std::min(size, data_.size() - std::min(pos_, data_.size()));
            std::copy_n(data_.begin() + static_cast<long>(pos_), n, out);
            pos_ += n;
            return static_cast<long>(n);
        }

        long Write(const std::uint8_t* in, std::size_t size) override {
            if (fs_.failWrites) return -1;
            std::size_t n = size;
            if (fs_.writeLimit >= 0) {
                n = std::min<std::size_t>(n, static_cast<std::size_t>(fs_.writeLimit));
                fs_.writeLimit -= static_cast<long>(n);
            }
            if (data_.size() < pos_ + n) data_.resize(pos_ + n);
            std::copy_n(in, n, data_.begin() + static_cast<long>(pos_));
            pos_ += n;
            return static_cast<long>(n);
        }

      private:
        FakeFileSystem& fs_;
        std::vector<std::uint8_t>& data_;
        std::size_t pos_ = 0;
    };
};

}  // namespace vx::test
