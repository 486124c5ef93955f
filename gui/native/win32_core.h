// The Windows core of the native gadget library: window-handle holders, the registered window
// class with its thread hooks, the routing window procedure and the way events leave the
// library.
//
// Every window of a gadget is held by a Win32Hwnd, which subclasses it so that GadgetWindowProc
// sees its messages and hands them to the gadget's Win32WndProc. A control's command and
// notification messages, which Windows sends to the control's parent, reach the control's own
// gadget this way. Events leave through EmitGadgetEvent, which calls the sink the binding
// installs (nativeSink). A gadget is kept alive while one of its messages is being handled, so
// a handler may free it. GUI thread only.
#pragma once

#include "gui/native/win32_api.h"

#include <cstdint>

#include "gui/native/gk_gadget.h"
#include "runtime/runtime.h"

namespace tarn {

constexpr int32_t kSensitiveMouse = 0x200;
constexpr int32_t kSensitiveKeys = 0x400;

class Win32WndProc {
 public:
  virtual LRESULT HandleMessage(HWND window, UINT message, WPARAM w, LPARAM l,
                                WNDPROC prevProc) = 0;

 protected:
  ~Win32WndProc() = default;
};

// Holder of one native window.
class Win32Hwnd {
 public:
  Win32Hwnd() = default;
  Win32Hwnd(const Win32Hwnd&) = delete;
  Win32Hwnd& operator=(const Win32Hwnd&) = delete;
  virtual ~Win32Hwnd();

  // Lets go of the window held before (restoring its procedure) and takes window, subclassed
  // and registered, with owner as its gadget. 0 holds nothing.
  void Attach(HWND window, GkGadget* owner);
  // Attach(0), then destroys the window that was held.
  void Destroy();
  // The window was destroyed by Windows (with its parent): forget it without touching it.
  void Forget();

  intptr_t Query(int32_t code) const;
  void SetFont(GkFont* font);
  void SetText(const String& text);
  void SetShape(int32_t x, int32_t y, int32_t width, int32_t height);
  void SetShow(int32_t flag);
  void SetEnabled(int32_t flag);
  void Activate(int32_t command);
  void ClientRect(int32_t& x, int32_t& y, int32_t& width, int32_t& height) const;
  void PopupMenu(GkMenu* menu);

  HWND window = nullptr;
  WNDPROC prevProc = nullptr;
  Win32WndProc* handler = nullptr;
  int32_t sensitivity = 0;
  GkGadget* owner = nullptr;
};

// The holder every Windows gadget embeds.
class Win32Gadget : public Win32Hwnd {};

// What the library calls in the binding. Unset entries are skipped (filters then pass the key).
struct GkNativeSink {
  void (*emit)(int32_t id, GkResource* native, int32_t data, int32_t modifiers, int32_t x,
               int32_t y, const Ref<Object>& extra) = nullptr;
  int32_t (*filterKeyDown)(GkResource* native, int32_t key, int32_t modifiers) = nullptr;
  int32_t (*filterKeyChar)(GkResource* native, int32_t character, int32_t modifiers) = nullptr;
  void (*forwardInput)(HWND window, UINT message, WPARAM w, LPARAM l, GkResource* native) = nullptr;
};
extern GkNativeSink nativeSink;

void EmitGadgetEvent(GkResource* gadget, int32_t id, int32_t data, int32_t modifiers, int32_t x,
                     int32_t y, const Ref<Object>& extra);

// The holder registered for window, or null.
Win32Hwnd* FindHolder(HWND window);
// How many windows are registered (for leak checks).
int32_t RegisteredWindowCount();

LRESULT CALLBACK GadgetWindowProc(HWND window, UINT message, WPARAM w, LPARAM l);

// The registered class "TARNWICK_WINDOW_CLASS"; made, with the thread hooks, on first use.
const char* RegisteredClassName();

// The modifier mask from the key states: 1 shift, 2 control, 4 alt, 8 either system key.
int32_t CurrentModifiers();

// A text as Windows takes it: the low byte of each code unit, cut to limit characters.
std::string WindowTextBytes(const String& text, size_t limit = 4095);
// The current text of a window, 8-bit characters widened.
String WindowTextOf(HWND window);

// The pointer shape set by SetMousePointer (0 until one is set) and its cursor.
void SetPointerShape(int32_t shape);

// A menu built from the children of menu: a pop-up menu or a menu bar.
HMENU BuildMenu(GkMenu* menu, bool bar);
// The text shown for an item: its text, and with a hot key a tab and the key ("Ctrl+S").
String MenuItemText(const GkMenu* item);

}  // namespace tarn
