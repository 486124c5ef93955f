// The Windows driver's message boxes, file and folder requesters and shell opening.
#include <windows.h>
#include <commdlg.h>
#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "runtime/boundary.h"
#include "system/requesters.h"
#include "system/startup.h"
#include "system/win32_system_driver.h"

namespace tarn {

namespace {

const char* OrNull(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }

// Runs a modal call with the keyboard focus given back afterwards to the window that had it.
// Our window procedures run inside the call's own message loop and stash what they raise; the
// operations raise it again once they have cleaned up.
template <class Call>
auto KeepingFocus(Call call) {
  HWND focus = GetFocus();
  auto result = call();
  SetFocus(focus);
  return result;
}

std::string Caption() {
  return (applicationTitle.IsEmpty() ? String("Tarnwick Application") : applicationTitle).ToBytes();
}

int32_t ShowBox(MessageBoxKind kind, const String& text, bool serious) {
  std::string body = text.ToBytes();
  std::string caption = Caption();
  int button = KeepingFocus([&] {
    return MessageBoxA(GetActiveWindow(), body.c_str(), caption.c_str(),
                       MessageBoxFlags(kind, serious));
  });
  RethrowStashedException();
  return MessageBoxAnswer(kind, button);
}

// Selects the start folder once the folder requester is up, and shows the path of the folder
// the user selects as its status text.
int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM l, LPARAM startFolder) {
  if (message == BFFM_INITIALIZED) {
    const char* start = reinterpret_cast<const char*>(startFolder);
    if (*start) SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, startFolder);
  } else if (message == BFFM_SELCHANGED) {
    char path[MAX_PATH];
    if (SHGetPathFromIDListA(reinterpret_cast<LPCITEMIDLIST>(l), path)) {
      SendMessageA(dialog, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(path));
    }
  }
  return 0;
}

}  // namespace

void TWin32SystemDriver::InfoBox(const String& text, bool serious) {
  ShowBox(MessageBoxKind::Info, text, serious);
}

int32_t TWin32SystemDriver::OkCancelBox(const String& text, bool serious) {
  return ShowBox(MessageBoxKind::OkCancel, text, serious);
}

int32_t TWin32SystemDriver::YesNoCancelBox(const String& text, bool serious) {
  return ShowBox(MessageBoxKind::YesNoCancel, text, serious);
}

String TWin32SystemDriver::ChooseFile(const String& text, const String& extensions, bool save,
                                      const String& path) {
  RequesterPath start = SplitRequesterPath(path);
  std::string filter = FileFilterText(extensions).ToBytes();  // c_str() adds the final NUL
  std::string dir = start.dir.ToBytes();
  std::string title = text.ToBytes();
  std::string name = InitialFileName(start.name).ToBytes();
  std::vector<char> result(kRequesterBufferSize, '\0');
  name.copy(result.data(), name.size());

  OPENFILENAMEA request{};
  request.lStructSize = 76;  // the layout every version of the common dialogs knows
  request.lpstrFilter = OrNull(filter);
  request.nFilterIndex = static_cast<DWORD>(FileFilterIndex(extensions, path));
  request.lpstrFile = result.data();
  request.nMaxFile = kRequesterBufferSize;
  request.lpstrInitialDir = OrNull(dir);
  request.lpstrTitle = OrNull(title);
  request.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (save) {
    request.Flags |= OFN_OVERWRITEPROMPT;
    request.lpstrDefExt = "";
  } else {
    request.Flags |= OFN_FILEMUSTEXIST;
  }
  BOOL chosen =
      KeepingFocus([&] { return save ? GetSaveFileNameA(&request) : GetOpenFileNameA(&request); });
  result.back() = '\0';
  RethrowStashedException();
  return chosen ? String::FromBytes(result.data()) : String();
}

String TWin32SystemDriver::ChooseFolder(const String& text, const String& path) {
  std::string given = path.Replace("/", "\\").ToBytes();
  std::vector<char> start(kRequesterBufferSize, '\0');
  DWORD length =
      given.empty() ? 0 : GetFullPathNameA(given.c_str(), start.size(), start.data(), nullptr);
  if (length == 0 || length >= start.size()) start[0] = '\0';  // no start folder then
  std::string title = text.ToBytes();
  char displayName[MAX_PATH];

  BROWSEINFOA request{};
  request.pszDisplayName = displayName;
  request.lpszTitle = OrNull(title);
  request.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  request.lpfn = BrowseCallback;
  request.lParam = reinterpret_cast<LPARAM>(start.data());

  // The new dialog style needs COM on this thread.
  bool comStarted = SUCCEEDED(OleInitialize(nullptr));
  LPITEMIDLIST chosen = KeepingFocus([&] { return SHBrowseForFolderA(&request); });
  std::vector<char> folder(kRequesterBufferSize, '\0');
  bool named = chosen && SHGetPathFromIDListA(chosen, folder.data());
  if (chosen) CoTaskMemFree(chosen);
  if (comStarted) OleUninitialize();
  RethrowStashedException();
  return named ? String::FromBytes(folder.data()) : String();
}

int32_t TWin32SystemDriver::ShellOpen(const String& url) {
  std::string target = url.ToBytes();
  ShellExecuteA(nullptr, nullptr, target.c_str(), nullptr, nullptr, SW_SHOWDEFAULT);
  return 0;
}

}  // namespace tarn
