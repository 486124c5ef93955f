// What ShellOpen hands to the shell, over files made for the test.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "stream/filesystem.h"
#include "system/startup.h"
#include "system/system_driver_url.h"

namespace tarn {
namespace {

namespace fs = std::filesystem;

class ShellUrl : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / "tarnwick_shell_url";
    fs::create_directories(dir / "docs");
    std::ofstream(dir / "docs" / "a.txt") << "text";
    slashed = ForwardSlashes(String(dir.string().c_str())).ToBytes();
    workingDir = WorkingDir();
  }
  void TearDown() override {
    SetWorkingDir(workingDir);
    fs::remove_all(dir);
  }

  std::string Url(const std::string& given) {
    return ShellOpenUrl(String(given.c_str())).ToBytes();
  }

  fs::path dir;
  std::string slashed;  // the test folder with "/" separators
  String workingDir;
};

TEST_F(ShellUrl, ExistingFilesAndFoldersOpenThroughFileUrls) {
  EXPECT_EQ(Url(slashed + "/docs/a.txt"), "file:" + slashed + "/docs/a.txt");
  EXPECT_EQ(Url(dir.string() + "/docs/./a.txt#part"), "file:" + slashed + "/docs/a.txt#part");
  EXPECT_EQ(Url(slashed + "/docs"), "file:" + slashed + "/docs");
  ASSERT_TRUE(SetWorkingDir(String(slashed.c_str())));
  EXPECT_EQ(Url("docs/a.txt#top"), "file:" + slashed + "/docs/a.txt#top");
  EXPECT_EQ(Url("docs/../docs/a.txt"), "file:" + slashed + "/docs/a.txt");
}

TEST_F(ShellUrl, EverythingElseBecomesAWebAddress) {
  ASSERT_TRUE(SetWorkingDir(String(slashed.c_str())));
  EXPECT_EQ(Url("www.example.com"), "http://www.example.com");
  EXPECT_EQ(Url("www.example.com/page#anchor"), "http://www.example.com/page#anchor");
  EXPECT_EQ(Url("docs/missing.txt"), "http://docs/missing.txt");
  EXPECT_EQ(Url("//server/share"), "http://server/share");
}

TEST_F(ShellUrl, UrlsStayAsTheyAre) {
  for (const char* url :
       {"http://example.com/a#b", "HTTP:example.com", "file:C:/docs/a.txt", "File:///C:/x",
        "https://example.com/a#b", "ftp://host/file", "mailto:someone@example.com"}) {
    EXPECT_EQ(Url(url), url);
  }
  EXPECT_TRUE(HasUrlProtocol("svn+ssh://host/repo"));
  EXPECT_FALSE(HasUrlProtocol("C://x"));  // a drive, not a protocol
  EXPECT_FALSE(HasUrlProtocol("a b://x"));
  EXPECT_FALSE(HasUrlProtocol("www.example.com"));
}

}  // namespace
}  // namespace tarn
