// The Windows controls the countdown builds its windows from: the panel (also canvas and group
// box), the label, the button and the one-line text field. Each is made hidden by the factory
// and shown by its creation function. GUI thread only.
#pragma once

#include "gui/native/win32_core.h"

namespace tarn {

class Win32Panel : public GkPanel, public Win32WndProc {
 public:
  Win32Panel(GkGroup* parent, int32_t style);

  intptr_t Query(int32_t code) override;
  void ClientRect(int32_t& x, int32_t& y, int32_t& width, int32_t& height) override;
  void SetShape(int32_t x, int32_t y, int32_t width, int32_t height) override;
  void SetText(const String& text) override;
  void SetFont(GkFont* font) override;
  void SetShow(int32_t flag) override;
  void SetEnabled(int32_t flag) override;
  void Activate(int32_t command) override;
  void SetColor(int32_t r, int32_t g, int32_t b) override;
  void SetAlpha(float alpha) override;
  void SetPixmap(const GkPixels& pixels, int32_t mode) override;
  void PopupMenu(GkMenu* menu) override { frame.PopupMenu(menu); }
  LRESULT HandleMessage(HWND window, UINT message, WPARAM w, LPARAM l, WNDPROC prevProc) override;

  Win32Gadget frame;
  Win32Gadget inner;  // group box only
  HBRUSH backgroundBrush = nullptr;
  HBITMAP backgroundBitmap = nullptr;
  int32_t bitmapWidth = 0, bitmapHeight = 0;
  int32_t panelKind = 0;  // 0 plain, 1 active, 2 group box
  int32_t pixmapMode = 0;
  float backgroundAlpha = 1.0f;

 protected:
  ~Win32Panel() override;

 private:
  void Paint(HWND window);
  void DrawBitmap(HDC dc, const RECT& client);
};

// Controls that keep one holder and do the holder's operations.
template <class Base>
class Win32Control : public Base, public Win32WndProc {
 public:
  using Base::Base;
  intptr_t Query(int32_t code) override { return holder.Query(code); }
  void SetFont(GkFont* font) override {
    Base::SetFont(font);
    holder.SetFont(font);
  }
  void SetText(const String& text) override {
    Base::SetText(text);
    holder.SetText(text);
  }
  void SetShape(int32_t x, int32_t y, int32_t width, int32_t height) override {
    Base::SetShape(x, y, width, height);
    holder.SetShape(x, y, width, height);
  }
  void SetShow(int32_t flag) override {
    this->visible = flag ? 1 : 0;
    holder.SetShow(flag);
  }
  void SetEnabled(int32_t flag) override {
    this->enabled = flag ? 1 : 0;
    holder.SetEnabled(flag);
  }
  void Activate(int32_t command) override { holder.Activate(command); }
  void PopupMenu(GkMenu* menu) override { holder.PopupMenu(menu); }

  Win32Gadget holder;

 protected:
  // Makes the control's window as a child of the parent's client window, and holds it.
  void Make(const char* windowClass, const char* text, DWORD style, DWORD exStyle, int id);
};

class Win32Label : public Win32Control<GkLabel> {
 public:
  Win32Label(GkGroup* parent, int32_t style);
  void SetShape(int32_t x, int32_t y, int32_t width, int32_t height) override;
  LRESULT HandleMessage(HWND window, UINT message, WPARAM w, LPARAM l, WNDPROC prevProc) override;
};

class Win32Button : public Win32Control<GkButton> {
 public:
  Win32Button(GkGroup* parent, int32_t style);
  void SetSelected(int32_t flag) override;
  int32_t Checked() override;
  LRESULT HandleMessage(HWND window, UINT message, WPARAM w, LPARAM l, WNDPROC prevProc) override;
};

class Win32TextField : public Win32Control<GkTextField> {
 public:
  Win32TextField(GkGroup* parent, int32_t style);
  void SetText(const String& text) override;
  String CurrentText() override { return WindowTextOf(holder.window); }
  void Activate(int32_t command) override;
  LRESULT HandleMessage(HWND window, UINT message, WPARAM w, LPARAM l, WNDPROC prevProc) override;
};

// Set while a text field's text is changed by the program: the change raises no event.
extern int32_t textChangeGuard;

}  // namespace tarn
