// The end-to-end tests' eyes: a small Windows program, run in the same Wine session as the
// program under test, that reads windows as Windows sees them and prints what it found as
// "TITLE.property=value" lines.
//
//   probe show TITLE...                   every property of each top-level window TITLE
//   probe wait MS TITLE.property=VALUE... polls every 50 ms until every condition holds (!=
//                                         for a property that must differ from VALUE), then
//                                         prints the windows named; exit code 1 when MS pass
//   probe bench TITLE EXE ARGS...         starts EXE, prints the milliseconds until its window
//                                         TITLE's label first shows a text, then closes the
//                                         window and prints the exit code
//   probe resources EXE                   the icon, version and manifest resources of EXE
//
// Properties: exists, class, enabled, visible, style (hex), client (WxH), origin (the client
// area's top-left corner on the screen), position and frame (the outer rectangle's top-left
// corner, and the whole rectangle as left,top,right,bottom), label and labelstyle
// (the first "STATIC" child: text, hex style), labelcentred, labelrect (in client
// coordinates), edit (the first "EDIT" child's text), active (the active window of its
// thread) and focus (the class of the window with its thread's keyboard focus, "@" and the
// title of its top-level window). A window that is not there has only
// exists=0. Exit code 2 on bad arguments.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

using Properties = std::map<std::string, std::string>;

std::string Hex(unsigned long value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08lx", value);
  return text;
}

// GetWindowTextA gives another process's controls only their stored caption, not what a user
// typed into an edit control; WM_GETTEXT asks the control itself.
std::string TextOf(HWND window) {
  char text[512] = "";
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                      SMTO_ABORTIFHUNG, 5000, &ignored);
  return text;
}

std::string ClassOf(HWND window) {
  char name[256] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

struct ChildSearch {
  const char* className;
  HWND found = nullptr;
};

BOOL CALLBACK FindChild(HWND child, LPARAM data) {
  auto* search = reinterpret_cast<ChildSearch*>(data);
  if (_stricmp(ClassOf(child).c_str(), search->className) != 0) return TRUE;
  search->found = child;
  return FALSE;
}

// The first descendant of window whose class is className, in the order Windows lists them.
HWND FirstChild(HWND window, const char* className) {
  ChildSearch search{className};
  EnumChildWindows(window, FindChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindTopLevel(const std::string& title) { return FindWindowA(nullptr, title.c_str()); }

Properties Read(const std::string& title) {
  Properties p;
  HWND window = FindTopLevel(title);
  if (!window) {
    p["exists"] = "0";
    return p;
  }
  p["exists"] = "1";
  p["class"] = ClassOf(window);
  p["enabled"] = IsWindowEnabled(window) ? "1" : "0";
  p["visible"] = IsWindowVisible(window) ? "1" : "0";
  p["style"] = Hex(GetWindowLongA(window, GWL_STYLE));
  RECT client, frame;
  GetClientRect(window, &client);
  GetWindowRect(window, &frame);
  POINT origin = {0, 0};
  ClientToScreen(window, &origin);
  p["client"] = std::to_string(client.right) + "x" + std::to_string(client.bottom);
  p["origin"] = std::to_string(origin.x) + "," + std::to_string(origin.y);
  p["position"] = std::to_string(frame.left) + "," + std::to_string(frame.top);
  p["frame"] = std::to_string(frame.left) + "," + std::to_string(frame.top) + "," +
               std::to_string(frame.right) + "," + std::to_string(frame.bottom);
  if (HWND label = FirstChild(window, "STATIC")) {
    LONG style = GetWindowLongA(label, GWL_STYLE);
    RECT rect;
    GetWindowRect(label, &rect);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
    p["label"] = TextOf(label);
    p["labelstyle"] = Hex(style);
    p["labelcentred"] = (style & SS_TYPEMASK) == SS_CENTER ? "1" : "0";
    p["labelrect"] = std::to_string(rect.left) + "," + std::to_string(rect.top) + "," +
                     std::to_string(rect.right) + "," + std::to_string(rect.bottom);
  }
  if (HWND edit = FirstChild(window, "EDIT")) p["edit"] = TextOf(edit);
  GUITHREADINFO thread = {};
  thread.cbSize = sizeof thread;
  if (GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread)) {
    p["active"] = thread.hwndActive == window ? "1" : "0";
    HWND focus = thread.hwndFocus;
    p["focus"] = focus ? ClassOf(focus) + "@" + TextOf(GetAncestor(focus, GA_ROOT)) : "";
  }
  return p;
}

void Print(const std::string& title, const Properties& properties) {
  for (const auto& [key, value] : properties) {
    std::printf("%s.%s=%s\n", title.c_str(), key.c_str(), value.c_str());
  }
}

struct Condition {
  std::string title, property, value;
  bool negated;  // TITLE.property!=VALUE
};

bool Parse(const char* text, Condition& condition) {
  std::string written = text;
  size_t equals = written.find('=');
  if (equals == std::string::npos) return false;
  bool negated = equals > 0 && written[equals - 1] == '!';
  std::string key = written.substr(0, negated ? equals - 1 : equals);
  size_t dot = key.rfind('.');
  if (dot == std::string::npos) return false;
  condition = {key.substr(0, dot), key.substr(dot + 1), written.substr(equals + 1), negated};
  return true;
}

int Wait(DWORD timeout, const std::vector<Condition>& conditions) {
  DWORD start = GetTickCount();
  for (;;) {
    std::map<std::string, Properties> seen;
    bool all = true;
    for (const Condition& c : conditions) {
      if (!seen.count(c.title)) seen[c.title] = Read(c.title);
      auto found = seen[c.title].find(c.property);
      bool equal = found != seen[c.title].end() && found->second == c.value;
      if (equal == c.negated) all = false;
    }
    if (all || GetTickCount() - start >= timeout) {
      for (const auto& [title, properties] : seen) Print(title, properties);
      if (!all) std::printf("probe: timed out after %lu ms\n", timeout);
      return all ? 0 : 1;
    }
    Sleep(50);
  }
}

double MsSince(const LARGE_INTEGER& start) {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * (now.QuadPart - start.QuadPart) / frequency.QuadPart;
}

// Starts the program, measures the time to its label's first text (polled as fast as the
// probe can), then closes its window.
int Bench(const std::string& title, int argc, char** argv) {
  std::string commandLine;
  for (int i = 0; i < argc; ++i) commandLine += std::string(i ? " " : "") + "\"" + argv[i] + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    std::printf("probe: cannot start %s\n", argv[0]);
    return 1;
  }
  HWND window = nullptr;
  for (;;) {
    window = FindTopLevel(title);
    HWND label = window ? FirstChild(window, "STATIC") : nullptr;
    if (label && GetWindowTextLengthA(label) > 0) break;
    if (MsSince(start) > 120000 || WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) {
      std::printf("probe: no label text from %s\n", argv[0]);
      TerminateProcess(process.hProcess, 1);
      return 1;
    }
  }
  std::printf("first_text_ms=%.1f\n", MsSince(start));
  PostMessageA(window, WM_CLOSE, 0, 0);
  DWORD code = 1;
  if (WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 1);
  }
  GetExitCodeProcess(process.hProcess, &code);
  std::printf("exit_code=%lu\n", code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return 0;
}

std::string VersionString(const std::vector<char>& info, const char* name) {
  char* value = nullptr;
  UINT length = 0;
  std::string path = std::string("\\StringFileInfo\\040904B0\\") + name;
  if (!VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &length)) {
    return "";
  }
  return std::string(value, length ? length - 1 : 0);
}

int Resources(const char* path) {
  HMODULE module = LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!module) return 1;
  HICON icon = static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(101), IMAGE_ICON, 32, 32, 0));
  std::printf("icon101=%d\n", icon ? 1 : 0);
  HRSRC manifest = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  std::string text;
  if (manifest) {
    const char* bytes = static_cast<const char*>(LockResource(LoadResource(module, manifest)));
    text.assign(bytes, SizeofResource(module, manifest));
  }
  std::printf("manifest=%d\n", manifest ? 1 : 0);
  std::printf("manifest.commoncontrols6=%d\n",
              text.find("Microsoft.Windows.Common-Controls") != std::string::npos &&
                  text.find("version=\"6.0.0.0\"") != std::string::npos);
  std::printf("manifest.dpiaware=%d\n", text.find("dpiAware") != std::string::npos ||
                                            text.find("dpiAwareness") != std::string::npos);
  FreeLibrary(module);
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeA(path, &ignored);
  std::vector<char> info(size);
  if (size && GetFileVersionInfoA(path, 0, size, info.data())) {
    std::printf("version.ProductName=%s\n", VersionString(info, "ProductName").c_str());
    std::printf("version.FileVersion=%s\n", VersionString(info, "FileVersion").c_str());
    std::printf("version.OriginalFilename=%s\n", VersionString(info, "OriginalFilename").c_str());
  }
  return 0;
}

int Usage() {
  std::fprintf(stderr, "usage: probe show|wait|bench|resources ...\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string command = argc > 1 ? argv[1] : "";
  if (command == "show" && argc > 2) {
    for (int i = 2; i < argc; ++i) Print(argv[i], Read(argv[i]));
    return 0;
  }
  if (command == "wait" && argc > 3) {
    std::vector<Condition> conditions(argc - 3);
    for (int i = 3; i < argc; ++i) {
      if (!Parse(argv[i], conditions[i - 3])) return Usage();
    }
    return Wait(std::strtoul(argv[2], nullptr, 10), conditions);
  }
  if (command == "bench" && argc > 3) return Bench(argv[2], argc - 3, argv + 3);
  if (command == "resources" && argc == 3) return Resources(argv[2]);
  return Usage();
}
