// The platform-neutral interfaces of the native gadget library.
//
// GkGadget is a native control: its parent group, its creation style, its rectangle in the
// parent's client area, its font, text and icon strip, and its layout anchors and edge modes.
// GkGroup holds children and lays them out when its client size changes, with the same rules
// as the portable model (a client size of 0 or less counts as 1). The concrete classes
// (Win32Window, Win32Panel ...) implement these for Windows. A group's kid list does not hold
// references: a kid leaves it when it is deleted, and a group deleted first cuts its kids
// loose. GUI thread only.
#pragma once

#include <cstdint>
#include <vector>

#include "gui/native/gk_resource.h"
#include "runtime/string.h"

namespace tarn {

class GkGroup;
class GkMenu;

class GkFont : public GkResource {
 public:
  virtual int32_t MaxCharWidth() = 0;
  virtual int32_t Height() = 0;
  virtual int32_t Ascent() = 0;
  virtual int32_t Descent() = 0;
  virtual void TextExtent(const String& text, int32_t& width, int32_t& height) = 0;
  virtual String FaceName() = 0;
  virtual int32_t Size() = 0;
  virtual int32_t Style() = 0;  // 1 bold, 2 italic, 4 underline
};

class GkIconStrip : public GkResource {};

class GkGadget : public GkResource {
 public:
  GkGadget(GkGroup* parent, int32_t style);

  virtual void SetFont(GkFont* font);
  virtual void SetText(const String& text);
  virtual void SetShape(int32_t x, int32_t y, int32_t width, int32_t height);
  virtual void SetShow(int32_t flag) = 0;
  virtual void SetEnabled(int32_t flag) = 0;
  virtual void Activate(int32_t command) = 0;
  virtual void SetTextColor(int32_t r, int32_t g, int32_t b) {}
  virtual void SetColor(int32_t r, int32_t g, int32_t b) {}
  virtual void SetIconStrip(GkIconStrip* strip);
  virtual void PopupMenu(GkMenu* menu) {}
  virtual void DoLayout();

  void LockLayout();
  void SetLayout(int32_t left, int32_t right, int32_t top, int32_t bottom);

  GkGroup* parent = nullptr;
  int32_t style = 0;
  int32_t x = 0, y = 0, width = 0, height = 0;
  uint8_t visible = 0;
  uint8_t enabled = 1;
  GkRef<GkFont> font;
  String text;
  GkRef<GkIconStrip> iconStrip;
  int32_t anchorX = 0, anchorY = 0, anchorWidth = 0, anchorHeight = 0;
  int32_t anchorClientWidth = 1, anchorClientHeight = 1;
  int32_t edgeLeft = 0, edgeTop = 0, edgeRight = 0, edgeBottom = 0;

 protected:
  ~GkGadget() override;
};

class GkGroup : public GkGadget {
 public:
  using GkGadget::GkGadget;

  // Stores the rectangle, reads the new client rectangle and lays the kids out when the
  // client size changed.
  void SetShape(int32_t x, int32_t y, int32_t width, int32_t height) override;
  virtual void LayoutKids();
  virtual void ClientRect(int32_t& x, int32_t& y, int32_t& width, int32_t& height) = 0;

  int32_t clientX = 0, clientY = 0, clientWidth = 0, clientHeight = 0;
  std::vector<GkGadget*> kids;

 protected:
  ~GkGroup() override;
};

// One entry of a menu tree. A menu holds a reference on each child in its chain; a new item
// is appended at the end of its parent's chain.
class GkMenu : public GkResource {
 public:
  GkMenu(const String& text, int32_t tag, GkMenu* parent);
  // Leaves the parent's chain (dropping the parent's reference on it).
  void Detach();

  String text;
  int32_t tag = 0;
  uint8_t checked = 0;
  uint8_t enabled = 1;
  GkMenu* firstChild = nullptr;
  GkMenu* nextSibling = nullptr;
  GkMenu* parent = nullptr;
  int32_t hotKey = 0;
  int32_t modifiers = 0;

 protected:
  ~GkMenu() override;
};

class GkWindow : public GkGroup {
 public:
  GkWindow(GkGroup* parent, int32_t style);
  virtual void UpdateMenu() = 0;
  virtual void ActivateWindow() = 0;
  virtual void SetMinimumSize(int32_t width, int32_t height) = 0;
  virtual void SetStatusText(const String& text) = 0;
  virtual void Minimise() = 0;
  virtual void Maximise() = 0;
  virtual void Restore() = 0;

  GkRef<GkMenu> menu;
  uint8_t minimised = 0;
  uint8_t maximised = 0;
};

// A 32-bit picture handed to a panel: rows from the top, each pixel 0xAARRGGBB.
struct GkPixels {
  int32_t width = 0, height = 0;
  const uint32_t* pixels = nullptr;
};

class GkDesktop : public GkGroup {
 public:
  using GkGroup::GkGroup;
};

class GkPanel : public GkGroup {
 public:
  using GkGroup::GkGroup;
  virtual void SetAlpha(float alpha) = 0;
  // pixels.pixels null clears the picture. mode 0 tile, 1 centre, 2 fit, 3 stretch.
  virtual void SetPixmap(const GkPixels& pixels, int32_t mode) = 0;
};

class GkLabel : public GkGadget {
 public:
  using GkGadget::GkGadget;
};

class GkButton : public GkGadget {
 public:
  using GkGadget::GkGadget;
  virtual void SetSelected(int32_t flag) = 0;
  virtual int32_t Checked() = 0;
};

class GkTextField : public GkGadget {
 public:
  using GkGadget::GkGadget;
  virtual String CurrentText() = 0;
};

// The factory of the native library. Each Create makes the platform object, hidden, and sets
// the default GUI font on it. Classes this build does not have give null.
class GkGuiDriver {
 public:
  virtual ~GkGuiDriver() = default;
  virtual GkGadget* CreateLabel(GkGroup* parent, int32_t style) = 0;
  virtual GkGadget* CreateButton(GkGroup* parent, int32_t style) = 0;
  virtual GkGadget* CreateTextField(GkGroup* parent, int32_t style) = 0;
  virtual GkGadget* CreateSlider(GkGroup* parent, int32_t style) { return nullptr; }
  virtual GkGadget* CreateProgBar(GkGroup* parent, int32_t style) { return nullptr; }
  virtual GkGadget* CreateComboBox(GkGroup* parent, int32_t style) { return nullptr; }
  virtual GkGadget* CreateListBox(GkGroup* parent, int32_t style) { return nullptr; }
  virtual GkGadget* CreateTreeView(GkGroup* parent, int32_t style) { return nullptr; }
  virtual GkGadget* CreateTextArea(GkGroup* parent, int32_t style) { return nullptr; }
  virtual GkGadget* CreateToolBar(GkGroup* parent, int32_t style) { return nullptr; }
  virtual GkGadget* CreateHtmlView(GkGroup* parent, int32_t style) { return nullptr; }
  virtual GkGadget* CreateWindow(GkGroup* parent, int32_t style) = 0;
  virtual GkGadget* CreateTabControl(GkGroup* parent, int32_t style) { return nullptr; }
  virtual GkGadget* CreatePanel(GkGroup* parent, int32_t style) = 0;
  virtual GkDesktop* Desktop() = 0;
};

}  // namespace tarn
