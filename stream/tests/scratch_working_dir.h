// A test fixture for file-system code: each test runs in a fresh folder, named after the test,
// that is also the working directory, so tests work with short relative paths.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "stream/filesystem.h"
#include "stream/streams.h"

namespace tarn::testing {

class ScratchWorkingDir : public ::testing::Test {
 protected:
  void SetUp() override {
    InitStreams();
    home_ = WorkingDir();
    ASSERT_FALSE(home_.IsEmpty());
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    scratch_ = home_ + "/fs_scratch_" + test->test_suite_name() + "_" + test->name();
    DirDelete(scratch_, true);
    ASSERT_TRUE(DirCreate(scratch_, false));
    ASSERT_TRUE(SetWorkingDir(scratch_));
  }
  void TearDown() override {
    SetWorkingDir(home_);
    DirDelete(scratch_, true);
  }

  static void Put(const char* path, const std::string& bytes = "") {
    std::FILE* file = std::fopen(path, "wb");
    ASSERT_NE(file, nullptr) << path;
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }
  static std::string Get(const char* path) {
    std::string bytes;
    if (std::FILE* file = std::fopen(path, "rb")) {
      for (int c; (c = std::fgetc(file)) != EOF;) bytes += static_cast<char>(c);
      std::fclose(file);
    }
    return bytes;
  }

  String home_;
  String scratch_;
};

}  // namespace tarn::testing
