// The portable gadget: every window, panel and control of the GUI is a TGadget.
//
// A gadget knows its parent and children, its rectangle and layout rules, its text, its list
// items and its key filter. It draws nothing: every operation that needs the platform is a
// driver operation (from Reparent on) that does nothing here and that the driver's own gadget
// class overrides. The virtual operations are declared in their fixed slot order; the model
// operations call the driver operations through virtual dispatch, so a driver sees every item
// change and every rectangle. Main thread only.
//
// Parent and children hold each other, so a gadget tree lives until Free (or SetParent with
// the null object) takes it apart.
#pragma once

#include <cstdint>
#include <list>
#include <vector>

#include "events/event.h"
#include "runtime/runtime.h"

namespace tarn {

// Layout modes of a gadget edge (SetLayout).
constexpr int32_t LayoutFloat = 0;  // keeps size; the centre keeps its fraction of the client
constexpr int32_t LayoutFixed = 1;  // keeps its distance to the same edge of the client
constexpr int32_t LayoutScale = 2;  // keeps its fraction of the client size

// One axis of DoLayout: the new [lo, hi) from the edge modes of its two edges, the anchor
// position and size, the anchored client size and the current client size (both at least 1).
// Shared with the native gadget library, which lays its gadgets out by the same rules.
void LayoutAxis(int32_t low, int32_t high, int32_t anchor, int32_t anchorSize, int32_t anchorClient,
                int32_t client, int32_t& lo, int32_t& hi);

// Item flags, given to InsertItem and ModifyItem.
constexpr int32_t ITEMFLAG_SELECTED = 1;  // select the item when it is inserted or modified
constexpr int32_t ITEMFLAG_TOGGLE = 2;    // the icon shows the strip's next icon while selected
// Item state bits (ItemState, SetItemState).
constexpr int32_t ITEMSTATE_DISABLED = 4;
constexpr int32_t ITEMSTATE_SELECTED = 16;

// Gadget state bits, the result of State.
constexpr int32_t STATE_MINIMIZED = 1;
constexpr int32_t STATE_MAXIMIZED = 2;
constexpr int32_t STATE_DISABLED = 4;
constexpr int32_t STATE_HIDDEN = 8;
constexpr int32_t STATE_SELECTED = 16;  // selected or checked

// Commands of Activate. A gadget ignores a command it does not know.
constexpr int32_t ACTIVATE_FOCUS = 0;
constexpr int32_t ACTIVATE_CUT = 1;
constexpr int32_t ACTIVATE_COPY = 2;
constexpr int32_t ACTIVATE_PASTE = 3;
constexpr int32_t ACTIVATE_MINIMIZE = 4;
constexpr int32_t ACTIVATE_MAXIMIZE = 5;
constexpr int32_t ACTIVATE_RESTORE = 6;
constexpr int32_t ACTIVATE_SELECT = 7;  // a tree node
constexpr int32_t ACTIVATE_EXPAND = 8;
constexpr int32_t ACTIVATE_COLLAPSE = 9;
constexpr int32_t ACTIVATE_BACK = 10;
constexpr int32_t ACTIVATE_FORWARD = 11;
constexpr int32_t ACTIVATE_PRINT = 12;
constexpr int32_t ACTIVATE_REDRAW = 13;

// One row of a list-like gadget (combo box, list box, tool bar, tab control).
class TGadgetItem : public Object {
 public:
  void Set(const String& text, const String& tip, int32_t icon, const Ref<Object>& extra,
           int32_t flags);

  String text;
  String tip;
  int32_t icon = 0;  // index into the gadget's icon strip; -1 means none
  int32_t flags = 0;
  Ref<Object> extra;
};

// A font as the driver chose it. Only the driver makes fonts (LoadFont).
class TGuiFont : public Object {
 public:
  String name;          // the face name the platform actually chose
  String path;          // the font's file, on drivers that load fonts from files; else empty
  int32_t style = 0;    // FONT_BOLD, FONT_ITALIC, FONT_UNDERLINE
  int32_t size = 0;     // points
  intptr_t handle = 0;  // the native font
};

// A row of square icons cut from one pixmap.
class TIconStrip : public Object {
 public:
  Ref<Object> pixmap;
  int32_t count = 0;
};

class TGadget;

// A key filter: gets the key event (made, not emitted) and the filter context; 0 swallows the
// key. The empty function value (nullptr) means no filter, and is never called.
using GadgetFilter = int32_t (*)(const Ref<TEvent>& event, const Ref<Object>& context);

class TGadget : public Object {
 public:
  // Slots 1 to 31: the model.
  virtual void SetFilter(GadgetFilter callback, const Ref<Object>& context);
  virtual void SetParent(const Ref<TGadget>& group, int32_t index);
  virtual Ref<Object> Identity(const Ref<Object>& value);
  virtual void SetShape(int32_t x, int32_t y, int32_t w, int32_t h);
  virtual void SetArea(int32_t x, int32_t y, int32_t w, int32_t h);
  virtual void SetRect(int32_t x, int32_t y, int32_t w, int32_t h);
  virtual void LockLayout();
  virtual void SetLayout(int32_t left, int32_t right, int32_t top, int32_t bottom);
  virtual void LayoutKids();
  virtual void DoLayout();
  virtual void SetDataSource(const Ref<Object>& source);
  static std::vector<String> ListToTexts(const std::list<Ref<Object>>& list);
  static std::vector<String> ObjectsToTexts(const std::vector<Ref<Object>>& objects);
  virtual void SyncDataSource();
  virtual void SyncItems(const std::vector<String>& texts);
  virtual void InsertSourceItem(int32_t index, const String& text);
  virtual void ClearItems();
  virtual void InsertItem(int32_t index, const String& text, const String& tip, int32_t icon,
                          const Ref<Object>& extra, int32_t flags);
  virtual void ModifyItem(int32_t index, const String& text, const String& tip, int32_t icon,
                          const Ref<Object>& extra, int32_t flags);
  virtual void RemoveItem(int32_t index);
  virtual int32_t ItemCount();
  virtual String ItemText(int32_t index);
  virtual String ItemTip(int32_t index);
  virtual int32_t ItemFlags(int32_t index);
  virtual int32_t ItemIcon(int32_t index);
  virtual Ref<Object> ItemExtra(int32_t index);
  virtual void SetItemState(int32_t index, int32_t state);
  virtual int32_t ItemState(int32_t index);
  virtual void SelectItem(int32_t index, int32_t op);  // op 0 deselect, 1 select, 2 toggle
  virtual int32_t SelectedItem();
  virtual std::vector<int32_t> SelectedItems();

  // Slots 32 to 87: driver operations. Here each does nothing and gives 0, "" or the null
  // object. A driver's Reparent moves the native control and then calls SetParent.
  virtual void Reparent(const Ref<TGadget>& group, int32_t index);
  virtual intptr_t Query(int32_t code);
  virtual void Free();
  virtual void Rethink();
  virtual int32_t ClientWidth();
  virtual int32_t ClientHeight();
  virtual void Activate(int32_t command);
  virtual int32_t State();
  virtual void SetText(const String& text);
  virtual String GetText();
  virtual void SetFont(const Ref<TGuiFont>& font);
  virtual void SetColor(int32_t r, int32_t g, int32_t b);
  virtual void SetAlpha(double alpha);
  virtual void SetTextColor(int32_t r, int32_t g, int32_t b);
  virtual void SetIconStrip(const Ref<TIconStrip>& strip);
  virtual void SetShow(int32_t flag);
  virtual void SetEnabled(int32_t flag);
  virtual void SetSelected(int32_t flag);
  virtual void SetHotKey(int32_t key, int32_t modifiers);
  virtual void SetStatusText(const String& text);
  virtual Ref<TGadget> GetMenu();
  virtual void PopupMenu(const Ref<TGadget>& menu, const Ref<Object>& extra);
  virtual void UpdateMenu();
  virtual void SetMinimumSize(int32_t w, int32_t h);
  virtual void ClearListItems();
  virtual void InsertListItem(int32_t index, const String& text, const String& tip, int32_t icon,
                              const Ref<Object>& extra);
  virtual void SetListItem(int32_t index, const String& text, const String& tip, int32_t icon,
                           const Ref<Object>& extra);
  virtual void RemoveListItem(int32_t index);
  virtual void SetListItemState(int32_t index, int32_t state);
  virtual int32_t ListItemState(int32_t index);
  virtual Ref<TGadget> RootNode();
  virtual Ref<TGadget> InsertNode(int32_t index, const String& text, int32_t icon);
  virtual void ModifyNode(const String& text, int32_t icon);
  virtual Ref<TGadget> SelectedNode();
  virtual int32_t CountKids();
  virtual void ReplaceText(int32_t pos, int32_t length, const String& text, int32_t units);
  virtual void AddText(const String& text);
  virtual String AreaText(int32_t pos, int32_t length, int32_t units);
  virtual int32_t AreaLength(int32_t units);
  virtual void LockText();
  virtual void UnlockText();
  virtual void SetTabs(int32_t tabs);
  virtual int32_t SelectionLength(int32_t units);
  virtual int32_t CursorPos(int32_t units);
  virtual void SetStyle(int32_t r, int32_t g, int32_t b, int32_t flags, int32_t pos, int32_t length,
                        int32_t units);
  virtual void SetSelection(int32_t pos, int32_t length, int32_t units);
  virtual int32_t CharAt(int32_t line);
  virtual int32_t LineAt(int32_t index);
  virtual void SetValue(double value);
  virtual void SetRange(int32_t min, int32_t max);
  virtual void SetProp(int32_t value);
  virtual int32_t GetProp();
  virtual void SetPixmap(const Ref<Object>& pixmap, int32_t flags);
  virtual void AttachGraphics(int32_t flags);
  virtual Ref<Object> CanvasGraphics();
  virtual String RunScript(const String& script);

  Ref<TGadget> proxy;   // reported as the source of this gadget's events instead of it
  Ref<TGadget> parent;  // the group that contains this gadget
  std::vector<Ref<TGadget>> kids;
  int32_t x = 0, y = 0, width = 0, height = 0;  // relative to the parent's client area
  String text;                                  // the text given at creation
  int32_t edgeLeft = LayoutFloat, edgeRight = LayoutFloat;
  int32_t edgeTop = LayoutFloat, edgeBottom = LayoutFloat;
  int32_t anchorX = 0, anchorY = 0, anchorWidth = 0, anchorHeight = 0;
  int32_t anchorClientWidth = 0, anchorClientHeight = 0;  // never below 1 once captured
  GadgetFilter filter = nullptr;
  Ref<Object> filterContext;
  std::vector<Ref<TGadgetItem>> items;
  Ref<Object> dataSource;
  std::vector<String> sourceTexts;  // the texts last taken from the data source

 private:
  const Ref<TGadgetItem>& Item(int32_t index) const;
  void CheckItemIndex(int32_t index) const;
};

}  // namespace tarn
