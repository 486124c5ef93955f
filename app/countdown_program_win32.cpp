#include <windows.h>

#include <algorithm>
#include <cstdint>

#include "app/countdown_program.h"

namespace tarn {

namespace {

struct MonitorSearch {
  RECT window;
  bool found = false;
};

BOOL CALLBACK CheckMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  auto* search = reinterpret_cast<MonitorSearch*>(data);
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  RECT common;
  if (GetMonitorInfoA(monitor, &info) && IntersectRect(&common, &search->window, &info.rcWork)) {
    search->found = true;
    return FALSE;  // stop here
  }
  return TRUE;
}

}  // namespace

bool WindowOnSomeMonitor(int32_t x, int32_t y, int32_t width, int32_t height) {
  // The whole window: the client area with the caption and frame of a fixed-size window.
  MonitorSearch search;
  auto farEdge = [](int32_t start, int32_t size) {  // the far edge, kept inside 32 bits
    return static_cast<LONG>(std::min<int64_t>(int64_t{start} + size, INT32_MAX));
  };
  search.window = {x, y, farEdge(x, width), farEdge(y, height)};
  AdjustWindowRect(&search.window, WS_CAPTION | WS_SYSMENU, FALSE);
  EnumDisplayMonitors(nullptr, nullptr, CheckMonitor, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace tarn
