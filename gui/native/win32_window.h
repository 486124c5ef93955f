// The top-level window: frame, optional status bar and client window, menu bar, and the
// messages the platform sends on the user's behalf (move, size, activate, close, minimum size,
// dropped files). With style bit 32 its rectangle describes the client area instead of the
// frame. GUI thread only.
#pragma once

#include "gui/native/win32_core.h"

namespace tarn {

class Win32Window : public GkWindow, public Win32WndProc {
 public:
  Win32Window(GkGroup* parent, int32_t style);

  intptr_t Query(int32_t code) override;
  void ClientRect(int32_t& x, int32_t& y, int32_t& width, int32_t& height) override;
  // Moves the frame; the fields follow from the move and size messages this causes.
  void SetShape(int32_t x, int32_t y, int32_t width, int32_t height) override;
  void SetText(const String& text) override;
  void SetFont(GkFont* font) override;
  void SetShow(int32_t flag) override;
  void SetEnabled(int32_t flag) override;
  void Activate(int32_t command) override { frame.Activate(command); }
  void PopupMenu(GkMenu* menu) override { frame.PopupMenu(menu); }

  void UpdateMenu() override;
  void ActivateWindow() override;
  void SetMinimumSize(int32_t width, int32_t height) override;
  void SetStatusText(const String& text) override;
  void Minimise() override;
  void Maximise() override;
  void Restore() override;

  LRESULT HandleMessage(HWND window, UINT message, WPARAM w, LPARAM l, WNDPROC prevProc) override;

  int32_t minWidth = 0, minHeight = 0;
  Win32Gadget frame;
  Win32Gadget client;
  HWND statusBar = nullptr;

 protected:
  ~Win32Window() override;

 private:
  RECT Margins() const;  // the non-client widths on each side
  int32_t StatusHeight() const;
  // The rectangle as the platform gives it to the fields (frame or client area).
  void ReadGeometry(int32_t& x, int32_t& y, int32_t& width, int32_t& height) const;
  // A client-area rectangle turned into the frame's, with style bit 32.
  void ToFrame(int32_t& x, int32_t& y, int32_t& width, int32_t& height) const;
  void StoreGeometry();
  LRESULT DropFiles(HDROP drop);

  DWORD windowStyle_ = 0;
  DWORD exStyle_ = 0;
};

}  // namespace tarn
