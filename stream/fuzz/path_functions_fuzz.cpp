// The path functions over arbitrary text: never a crash or a sanitizer report; AbsolutePath
// gives an absolute path (or "<bad_dir>") and is idempotent; PathTrueCase changes nothing but
// letter case; and the lexical functions take time in proportion to the input.
//
// Time is the thread's CPU time, bounded generously (a fixed allowance plus a budget per
// byte far above what a linear pass needs even under the sanitizers), so only work that grows
// faster than the input - a copy of the whole result per part, say - goes over it.
// PathTrueCase reads the disk (status and listings, never a change); it runs on relative
// paths without ".." inside a scratch folder that holds a few names, and is not timed.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "stream/filesystem.h"
#include "stream/fuzz/fuzz_scratch.h"

namespace {

using tarn::String;

constexpr double kAllowanceSeconds = 0.05;
constexpr double kSecondsPerByte = 20e-6;

void Check(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "path_functions_fuzz: %s\n", what);
    std::abort();
  }
}

bool IsLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }

bool IsAbsolute(const String& path) {
  return path.StartsWith("/") ||
         (path.Length() >= 3 && IsLetter(path.At(0)) && path.At(1) == u':' && path.At(2) == u'/');
}

void RunLexicalFunctions(const String& path) {
  for (bool dirPath : {false, true}) {
    String normalized = path;
    tarn::NormalizePath(normalized, dirPath);
  }
  tarn::TrimTrailingSlash(path);
  tarn::PathFileName(path);
  tarn::PathWithoutExt(path);
  tarn::PathBaseName(path);
  tarn::PathDirectory(path);
  tarn::PathExtension(path);

  String absolute = tarn::AbsolutePath(path);
  if (absolute == String(tarn::BAD_DIR)) return;
  Check(IsAbsolute(absolute), "AbsolutePath gave a relative path");
  Check(tarn::AbsolutePath(absolute) == absolute, "AbsolutePath is not idempotent");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bool ready = [] {
    tarn::fuzzing::EnterScratchFolder("path_functions_fuzz");
    tarn::DirCreate("Dir/Sub", true);
    tarn::FileCreate("Dir/File.txt");
    tarn::FileCreate("x");
    return true;
  }();
  (void)ready;
  std::string bytes(reinterpret_cast<const char*>(data), size);
  String path = String::FromBytes(bytes);

  double start = tarn::fuzzing::ThreadSeconds();
  RunLexicalFunctions(path);
  double spent = tarn::fuzzing::ThreadSeconds() - start;
  Check(spent <= kAllowanceSeconds + kSecondsPerByte * double(size),
        "the lexical path functions took far longer than the input justifies");

  bool relative = !bytes.empty() && bytes[0] != '/' && bytes[0] != '\\' &&
                  bytes.find("..") == std::string::npos && bytes.find(':') == std::string::npos;
  if (relative) {
    String found = tarn::PathTrueCase(path);
    Check(found.IsEmpty() || found.ToLower() == path.ToLower(),
          "PathTrueCase changed more than letter case");
  }
  return 0;
}
