// A test fixture for the options file: each test runs inside a fresh folder that is also the
// working directory, as the program runs in its own.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "stream/filesystem.h"
#include "stream/streams.h"
#include "stream/tests/test_streams.h"

namespace tarn::testing {

class OptionsFile : public ::testing::Test {
 protected:
  void SetUp() override {
    InitStreams();
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_.Path().ToBytes());
  }
  void TearDown() override {
    // Read-only files made by a test must not keep the folder from being removed.
    for (const char* name : {"options.cfg", "options.cfg.tmp"}) {
      if (PathKind(name) == PATHKIND_FILE) SetFileModeBits(name, 0666);
    }
    std::filesystem::current_path(previous_);
  }

  static std::string Stored() { return ReadFile("options.cfg"); }
  static bool TemporaryLeft() { return std::filesystem::exists("options.cfg.tmp"); }

 private:
  ScratchDir dir_;
  std::filesystem::path previous_;
};

}  // namespace tarn::testing
