// Test doubles for the gadget model: a gadget and a driver that log every call they receive.
//
// Every call lands in one shared log as "name.Operation(arguments)" together with its nesting
// depth: 0 for a call made from outside the doubles, higher for the calls that the model
// operations make in turn. The gadget also behaves like a small native list control (it keeps
// the items' texts and states), and its client size is settable, so the model's algorithms run
// on it as they would on a real control.
#pragma once

#include <cstdio>
#include <string>
#include <type_traits>
#include <vector>

#include "gui/model/gui_driver.h"
#include "gui/model/gui_model.h"

namespace tarn {
namespace testing_support {

struct Call {
  int depth;
  std::string text;
};

inline std::vector<Call>& CallLog() {
  static std::vector<Call> log;
  return log;
}
inline int& CallDepth() {
  static int depth = 0;
  return depth;
}

// The calls made from outside the doubles, in order.
inline std::vector<std::string> OuterCalls() {
  std::vector<std::string> calls;
  for (const Call& call : CallLog()) {
    if (call.depth == 0) calls.push_back(call.text);
  }
  return calls;
}

// The calls of one operation, at any depth.
inline std::vector<std::string> CallsOf(const std::string& operation) {
  std::vector<std::string> calls;
  for (const Call& call : CallLog()) {
    size_t dot = call.text.find('.');
    if (call.text.compare(dot + 1, operation.size() + 1, operation + "(") == 0) {
      calls.push_back(call.text);
    }
  }
  return calls;
}

// A plain object with a given text form, to pass as an argument and recognise in the log.
class Tag : public Object {
 public:
  explicit Tag(std::string name) : name_(std::move(name)) {}
  String ToString() const override { return String(name_.c_str()); }

 private:
  std::string name_;
};

inline std::string ObjectText(const Ref<Object>& object) {
  if (!object) return "null";
  if (Is<TString>(object)) return "\"" + String::FromObject(object).ToBytes() + "\"";
  return object->ToString().ToBytes();
}

template <class T>
std::string Arg(const T& value) {
  if constexpr (std::is_same_v<T, String>) {
    return "\"" + value.ToBytes() + "\"";
  } else if constexpr (std::is_same_v<T, double>) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
  } else if constexpr (std::is_same_v<T, GadgetFilter>) {
    return value ? "filter" : "nofilter";
  } else if constexpr (std::is_integral_v<T>) {
    return std::to_string(value);
  } else if constexpr (std::is_same_v<T, std::vector<int32_t>>) {
    std::string text = "[";
    for (size_t i = 0; i < value.size(); ++i) text += (i ? " " : "") + std::to_string(value[i]);
    return text + "]";
  } else {
    return ObjectText(Ref<Object>(value));
  }
}

inline std::string Args() { return ""; }
template <class First, class... Rest>
std::string Args(const First& first, const Rest&... rest) {
  std::string text = Arg(first);
  ((text += ", " + Arg(rest)), ...);
  return text;
}

// Logs one call on construction and counts the nesting while it lives.
class Note {
 public:
  template <class... A>
  Note(const std::string& who, const char* operation, const A&... args) {
    CallLog().push_back({CallDepth(), who + "." + operation + "(" + Args(args...) + ")"});
    ++CallDepth();
  }
  ~Note() { --CallDepth(); }
  Note(const Note&) = delete;
  Note& operator=(const Note&) = delete;
};

// Results that the doubles give, so that a test can see which call produced a value.
inline Ref<Object> ResultObject() {
  static Ref<Object> object = New<Tag>("result");
  return object;
}

class RecordingGadget : public TGadget {
 public:
  explicit RecordingGadget(std::string name) : name(std::move(name)) {}
  String ToString() const override { return String(name.c_str()); }

  std::string name;
  int32_t clientWidth = 0, clientHeight = 0;
  int32_t state = 0;                  // what State answers
  std::vector<String> nativeTexts;    // what the native list shows
  std::vector<int32_t> nativeStates;  // item states of the native list
  Ref<TGadget> result;                // what the gadget-returning operations answer

  // The model, logged and then done as TGadget does it.
  void SetFilter(GadgetFilter callback, const Ref<Object>& context) override {
    Note n(name, "SetFilter", callback, context);
    TGadget::SetFilter(callback, context);
  }
  void SetParent(const Ref<TGadget>& group, int32_t index) override {
    Note n(name, "SetParent", group, index);
    TGadget::SetParent(group, index);
  }
  void SetShape(int32_t x, int32_t y, int32_t w, int32_t h) override {
    Note n(name, "SetShape", x, y, w, h);
    TGadget::SetShape(x, y, w, h);
  }
  void SetArea(int32_t x, int32_t y, int32_t w, int32_t h) override {
    Note n(name, "SetArea", x, y, w, h);
    TGadget::SetArea(x, y, w, h);
  }
  void SetRect(int32_t x, int32_t y, int32_t w, int32_t h) override {
    Note n(name, "SetRect", x, y, w, h);
    TGadget::SetRect(x, y, w, h);
  }
  void LockLayout() override {
    Note n(name, "LockLayout");
    TGadget::LockLayout();
  }
  void SetLayout(int32_t left, int32_t right, int32_t top, int32_t bottom) override {
    Note n(name, "SetLayout", left, right, top, bottom);
    TGadget::SetLayout(left, right, top, bottom);
  }
  void SetDataSource(const Ref<Object>& source) override {
    Note n(name, "SetDataSource", source);
    TGadget::SetDataSource(source);
  }
  void ClearItems() override {
    Note n(name, "ClearItems");
    TGadget::ClearItems();
  }
  void InsertItem(int32_t index, const String& text, const String& tip, int32_t icon,
                  const Ref<Object>& extra, int32_t flags) override {
    Note n(name, "InsertItem", index, text, tip, icon, extra, flags);
    TGadget::InsertItem(index, text, tip, icon, extra, flags);
  }
  void ModifyItem(int32_t index, const String& text, const String& tip, int32_t icon,
                  const Ref<Object>& extra, int32_t flags) override {
    Note n(name, "ModifyItem", index, text, tip, icon, extra, flags);
    TGadget::ModifyItem(index, text, tip, icon, extra, flags);
  }
  void RemoveItem(int32_t index) override {
    Note n(name, "RemoveItem", index);
    TGadget::RemoveItem(index);
  }
  int32_t ItemCount() override {
    Note n(name, "ItemCount");
    return TGadget::ItemCount();
  }
  String ItemText(int32_t index) override {
    Note n(name, "ItemText", index);
    return TGadget::ItemText(index);
  }
  int32_t ItemFlags(int32_t index) override {
    Note n(name, "ItemFlags", index);
    return TGadget::ItemFlags(index);
  }
  int32_t ItemIcon(int32_t index) override {
    Note n(name, "ItemIcon", index);
    return TGadget::ItemIcon(index);
  }
  Ref<Object> ItemExtra(int32_t index) override {
    Note n(name, "ItemExtra", index);
    return TGadget::ItemExtra(index);
  }
  void SetItemState(int32_t index, int32_t state) override {
    Note n(name, "SetItemState", index, state);
    TGadget::SetItemState(index, state);
  }
  int32_t ItemState(int32_t index) override {
    Note n(name, "ItemState", index);
    return TGadget::ItemState(index);
  }
  void SelectItem(int32_t index, int32_t op) override {
    Note n(name, "SelectItem", index, op);
    TGadget::SelectItem(index, op);
  }
  int32_t SelectedItem() override {
    Note n(name, "SelectedItem");
    return TGadget::SelectedItem();
  }
  std::vector<int32_t> SelectedItems() override {
    Note n(name, "SelectedItems");
    return TGadget::SelectedItems();
  }

  // The driver operations, logged; each answers with a value that names it.
  void Reparent(const Ref<TGadget>& group, int32_t index) override {
    Note n(name, "Reparent", group, index);
  }
  intptr_t Query(int32_t code) override {
    Note n(name, "Query", code);
    return 1000 + code;
  }
  void Free() override { Note n(name, "Free"); }
  void Rethink() override { Note n(name, "Rethink"); }
  int32_t ClientWidth() override {
    Note n(name, "ClientWidth");
    return clientWidth;
  }
  int32_t ClientHeight() override {
    Note n(name, "ClientHeight");
    return clientHeight;
  }
  void Activate(int32_t command) override { Note n(name, "Activate", command); }
  int32_t State() override {
    Note n(name, "State");
    return state;
  }
  void SetText(const String& text) override { Note n(name, "SetText", text); }
  String GetText() override {
    Note n(name, "GetText");
    return "GetText result";
  }
  void SetFont(const Ref<TGuiFont>& font) override { Note n(name, "SetFont", font); }
  void SetColor(int32_t r, int32_t g, int32_t b) override { Note n(name, "SetColor", r, g, b); }
  void SetAlpha(double alpha) override { Note n(name, "SetAlpha", alpha); }
  void SetTextColor(int32_t r, int32_t g, int32_t b) override {
    Note n(name, "SetTextColor", r, g, b);
  }
  void SetIconStrip(const Ref<TIconStrip>& strip) override { Note n(name, "SetIconStrip", strip); }
  void SetShow(int32_t flag) override { Note n(name, "SetShow", flag); }
  void SetEnabled(int32_t flag) override { Note n(name, "SetEnabled", flag); }
  void SetSelected(int32_t flag) override { Note n(name, "SetSelected", flag); }
  void SetHotKey(int32_t key, int32_t modifiers) override {
    Note n(name, "SetHotKey", key, modifiers);
  }
  void SetStatusText(const String& text) override { Note n(name, "SetStatusText", text); }
  Ref<TGadget> GetMenu() override {
    Note n(name, "GetMenu");
    return result;
  }
  void PopupMenu(const Ref<TGadget>& menu, const Ref<Object>& extra) override {
    Note n(name, "PopupMenu", menu, extra);
  }
  void UpdateMenu() override { Note n(name, "UpdateMenu"); }
  void SetMinimumSize(int32_t w, int32_t h) override { Note n(name, "SetMinimumSize", w, h); }
  void ClearListItems() override {
    Note n(name, "ClearListItems");
    nativeTexts.clear();
    nativeStates.clear();
  }
  void InsertListItem(int32_t index, const String& text, const String& tip, int32_t icon,
                      const Ref<Object>& extra) override {
    Note n(name, "InsertListItem", index, text, tip, icon, extra);
    nativeTexts.insert(nativeTexts.begin() + index, text);
    nativeStates.insert(nativeStates.begin() + index, 0);
  }
  void SetListItem(int32_t index, const String& text, const String& tip, int32_t icon,
                   const Ref<Object>& extra) override {
    Note n(name, "SetListItem", index, text, tip, icon, extra);
    nativeTexts.at(index) = text;
  }
  void RemoveListItem(int32_t index) override {
    Note n(name, "RemoveListItem", index);
    nativeTexts.erase(nativeTexts.begin() + index);
    nativeStates.erase(nativeStates.begin() + index);
  }
  void SetListItemState(int32_t index, int32_t state) override {
    Note n(name, "SetListItemState", index, state);
    nativeStates.at(index) = state;
  }
  int32_t ListItemState(int32_t index) override {
    Note n(name, "ListItemState", index);
    return nativeStates.at(index);
  }
  Ref<TGadget> RootNode() override {
    Note n(name, "RootNode");
    return result;
  }
  Ref<TGadget> InsertNode(int32_t index, const String& text, int32_t icon) override {
    Note n(name, "InsertNode", index, text, icon);
    return result;
  }
  void ModifyNode(const String& text, int32_t icon) override {
    Note n(name, "ModifyNode", text, icon);
  }
  Ref<TGadget> SelectedNode() override {
    Note n(name, "SelectedNode");
    return result;
  }
  int32_t CountKids() override {
    Note n(name, "CountKids");
    return 66;
  }
  void ReplaceText(int32_t pos, int32_t length, const String& text, int32_t units) override {
    Note n(name, "ReplaceText", pos, length, text, units);
  }
  void AddText(const String& text) override { Note n(name, "AddText", text); }
  String AreaText(int32_t pos, int32_t length, int32_t units) override {
    Note n(name, "AreaText", pos, length, units);
    return "AreaText result";
  }
  int32_t AreaLength(int32_t units) override {
    Note n(name, "AreaLength", units);
    return 70;
  }
  void LockText() override { Note n(name, "LockText"); }
  void UnlockText() override { Note n(name, "UnlockText"); }
  void SetTabs(int32_t tabs) override { Note n(name, "SetTabs", tabs); }
  int32_t SelectionLength(int32_t units) override {
    Note n(name, "SelectionLength", units);
    return 74;
  }
  int32_t CursorPos(int32_t units) override {
    Note n(name, "CursorPos", units);
    return 75;
  }
  void SetStyle(int32_t r, int32_t g, int32_t b, int32_t flags, int32_t pos, int32_t length,
                int32_t units) override {
    Note n(name, "SetStyle", r, g, b, flags, pos, length, units);
  }
  void SetSelection(int32_t pos, int32_t length, int32_t units) override {
    Note n(name, "SetSelection", pos, length, units);
  }
  int32_t CharAt(int32_t line) override {
    Note n(name, "CharAt", line);
    return 78;
  }
  int32_t LineAt(int32_t index) override {
    Note n(name, "LineAt", index);
    return 79;
  }
  void SetValue(double value) override { Note n(name, "SetValue", value); }
  void SetRange(int32_t min, int32_t max) override { Note n(name, "SetRange", min, max); }
  void SetProp(int32_t value) override { Note n(name, "SetProp", value); }
  int32_t GetProp() override {
    Note n(name, "GetProp");
    return 83;
  }
  void SetPixmap(const Ref<Object>& pixmap, int32_t flags) override {
    Note n(name, "SetPixmap", pixmap, flags);
  }
  void AttachGraphics(int32_t flags) override { Note n(name, "AttachGraphics", flags); }
  Ref<Object> CanvasGraphics() override {
    Note n(name, "CanvasGraphics");
    return ResultObject();
  }
  String RunScript(const String& script) override {
    Note n(name, "RunScript", script);
    return "RunScript result";
  }
};

class RecordingDriver : public TLoomkitDriver {
 public:
  // Every gadget made by CreateGadget is named "new" and kept here.
  std::vector<Ref<RecordingGadget>> made;
  Ref<TGuiFont> font = New<TGuiFont>();
  Ref<TIconStrip> strip;    // what LoadIconStrip answers
  int32_t pickedColor = 0;  // what PickColor answers

  Ref<TGuiFont> LoadFont(const String& name, int32_t size, int32_t style) override {
    Note n("driver", "LoadFont", name, size, style);
    return font;
  }
  Ref<TGadget> CreateGadget(int32_t gadgetClass, const String& text, int32_t x, int32_t y,
                            int32_t width, int32_t height, const Ref<TGadget>& group,
                            int32_t style) override {
    Note n("driver", "CreateGadget", gadgetClass, text, x, y, width, height, group, style);
    made.push_back(New<RecordingGadget>("new"));
    return made.back();
  }
  Ref<TGadget> FocusedGadget() override {
    Note n("driver", "FocusedGadget");
    return ResultGadget();
  }
  int32_t PickColor(int32_t r, int32_t g, int32_t b) override {
    Note n("driver", "PickColor", r, g, b);
    return pickedColor;
  }
  Ref<TGuiFont> PickFont(const Ref<TGuiFont>& chosen) override {
    Note n("driver", "PickFont", chosen);
    return font;
  }
  void SetMousePointer(int32_t shape) override { Note n("driver", "SetMousePointer", shape); }
  Ref<TIconStrip> LoadIconStrip(const Ref<Object>& source) override {
    Note n("driver", "LoadIconStrip", source);
    return strip;
  }

  static Ref<TGadget> ResultGadget() {
    static Ref<TGadget> gadget = New<RecordingGadget>("focused");
    return gadget;
  }
};

}  // namespace testing_support
}  // namespace tarn
