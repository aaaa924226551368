// A fresh directory for one test's files, removed with them at the end.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <system_error>

namespace zentor::testing {

class TempDirectory {
 public:
  TempDirectory() {
    std::random_device random;
    do {
      path_ = ::testing::TempDir() + "zentor-test-" + std::to_string(random());
    } while (!std::filesystem::create_directory(path_));
  }
  ~TempDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempDirectory(const TempDirectory&) = delete;
  TempDirectory& operator=(const TempDirectory&) = delete;

  const std::string& Path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

}  // namespace zentor::testing
