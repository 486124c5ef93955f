// A gadget that stands in for another.
//
// TProxyGadget keeps the model half of TGadget (hierarchy, layout, items: slots 1 to 32) for
// itself and hands every driver operation, Query to RunScript, to its target with the same
// arguments, returning the target's result. SetProxy also makes the target report the proxy
// as the source of its events. Until SetProxy the target is blankGadget, which does nothing.
// Main thread only.
//
// The proxy and its target hold each other once SetProxy has run.
#pragma once

#include "gui/model/gadget.h"

namespace tarn {

class TProxyGadget : public TGadget {
 public:
  TProxyGadget();

  intptr_t Query(int32_t code) override;
  void Free() override;
  void Rethink() override;
  int32_t ClientWidth() override;
  int32_t ClientHeight() override;
  void Activate(int32_t command) override;
  int32_t State() override;
  void SetText(const String& text) override;
  String GetText() override;
  void SetFont(const Ref<TGuiFont>& font) override;
  void SetColor(int32_t r, int32_t g, int32_t b) override;
  void SetAlpha(double alpha) override;
  void SetTextColor(int32_t r, int32_t g, int32_t b) override;
  void SetIconStrip(const Ref<TIconStrip>& strip) override;
  void SetShow(int32_t flag) override;
  void SetEnabled(int32_t flag) override;
  void SetSelected(int32_t flag) override;
  void SetHotKey(int32_t key, int32_t modifiers) override;
  void SetStatusText(const String& text) override;
  Ref<TGadget> GetMenu() override;
  void PopupMenu(const Ref<TGadget>& menu, const Ref<Object>& extra) override;
  void UpdateMenu() override;
  void SetMinimumSize(int32_t w, int32_t h) override;
  void ClearListItems() override;
  void InsertListItem(int32_t index, const String& text, const String& tip, int32_t icon,
                      const Ref<Object>& extra) override;
  void SetListItem(int32_t index, const String& text, const String& tip, int32_t icon,
                   const Ref<Object>& extra) override;
  void RemoveListItem(int32_t index) override;
  void SetListItemState(int32_t index, int32_t state) override;
  int32_t ListItemState(int32_t index) override;
  Ref<TGadget> RootNode() override;
  Ref<TGadget> InsertNode(int32_t index, const String& text, int32_t icon) override;
  void ModifyNode(const String& text, int32_t icon) override;
  Ref<TGadget> SelectedNode() override;
  int32_t CountKids() override;
  void ReplaceText(int32_t pos, int32_t length, const String& text, int32_t units) override;
  void AddText(const String& text) override;
  String AreaText(int32_t pos, int32_t length, int32_t units) override;
  int32_t AreaLength(int32_t units) override;
  void LockText() override;
  void UnlockText() override;
  void SetTabs(int32_t tabs) override;
  int32_t SelectionLength(int32_t units) override;
  int32_t CursorPos(int32_t units) override;
  void SetStyle(int32_t r, int32_t g, int32_t b, int32_t flags, int32_t pos, int32_t length,
                int32_t units) override;
  void SetSelection(int32_t pos, int32_t length, int32_t units) override;
  int32_t CharAt(int32_t line) override;
  int32_t LineAt(int32_t index) override;
  void SetValue(double value) override;
  void SetRange(int32_t min, int32_t max) override;
  void SetProp(int32_t value) override;
  int32_t GetProp() override;
  void SetPixmap(const Ref<Object>& pixmap, int32_t flags) override;
  void AttachGraphics(int32_t flags) override;
  Ref<Object> CanvasGraphics() override;
  String RunScript(const String& script) override;

  // target = gadget, and gadget reports this proxy as its events' source.
  virtual void SetProxy(const Ref<TGadget>& gadget);

  Ref<TGadget> target;
};

}  // namespace tarn
