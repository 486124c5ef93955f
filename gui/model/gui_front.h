// The GUI front end: the flat functions through which programs make and drive gadgets.
//
// Each function forwards to one operation of the installed driver (guiDriver) or of the gadget
// it is given, sometimes with a fixed argument. A null group means the desktop. Called before
// a driver is installed, or with the null object for a gadget, a function raises
// TNullObjectException. Main thread only.
#pragma once

#include <cstdint>
#include <vector>

#include "gui/model/gui_constants.h"
#include "gui/model/gui_driver.h"
#include "gui/model/gui_model.h"

namespace tarn {

// The graphics flags a new canvas attaches with; the graphics module sets its default here.
extern int32_t canvasGraphicsFlags;

// Creation.
Ref<TGadget> NewWindow(const String& title, int32_t x, int32_t y, int32_t width, int32_t height,
                       const Ref<TGadget>& group, int32_t style);
Ref<TGadget> NewPanel(int32_t x, int32_t y, int32_t width, int32_t height,
                      const Ref<TGadget>& group, int32_t style, const String& title = String());
Ref<TGadget> NewLabel(const String& text, int32_t x, int32_t y, int32_t width, int32_t height,
                      const Ref<TGadget>& group, int32_t style);
Ref<TGadget> NewButton(const String& text, int32_t x, int32_t y, int32_t width, int32_t height,
                       const Ref<TGadget>& group, int32_t style);
Ref<TGadget> NewTextField(int32_t x, int32_t y, int32_t width, int32_t height,
                          const Ref<TGadget>& group, int32_t style);
Ref<TGadget> NewTextArea(int32_t x, int32_t y, int32_t width, int32_t height,
                         const Ref<TGadget>& group, int32_t style);
Ref<TGadget> NewComboBox(int32_t x, int32_t y, int32_t width, int32_t height,
                         const Ref<TGadget>& group, int32_t style);
Ref<TGadget> NewListBox(int32_t x, int32_t y, int32_t width, int32_t height,
                        const Ref<TGadget>& group, int32_t style);
// Loads an icon strip from source (an icon strip is taken as it is), sets it and adds one
// item per icon, with the icon's index as its icon.
Ref<TGadget> NewToolBar(const Ref<Object>& source, int32_t x, int32_t y, int32_t width,
                        int32_t height, const Ref<TGadget>& group, int32_t style);
Ref<TGadget> NewTabControl(int32_t x, int32_t y, int32_t width, int32_t height,
                           const Ref<TGadget>& group, int32_t style);
Ref<TGadget> NewTreeView(int32_t x, int32_t y, int32_t width, int32_t height,
                         const Ref<TGadget>& group, int32_t style);
Ref<TGadget> NewHtmlView(int32_t x, int32_t y, int32_t width, int32_t height,
                         const Ref<TGadget>& group, int32_t style);
// The driver gives a new slider the range 1 to 10 and the value 0.
Ref<TGadget> NewSlider(int32_t x, int32_t y, int32_t width, int32_t height,
                       const Ref<TGadget>& group, int32_t style);
Ref<TGadget> NewProgBar(int32_t x, int32_t y, int32_t width, int32_t height,
                        const Ref<TGadget>& group, int32_t style);
// tag is reported as the data of the item's EVENT_MENUACTION; hotKey 0 binds no key.
Ref<TGadget> NewMenu(const String& text, int32_t tag, const Ref<TGadget>& parent,
                     int32_t hotKey = 0, int32_t modifiers = 0);
Ref<TGadget> NewCanvas(int32_t x, int32_t y, int32_t width, int32_t height,
                       const Ref<TGadget>& group, int32_t style);
Ref<TGadget> DesktopGadget();

// Fonts. OpenGuiFont counts each flag as a boolean.
Ref<TGuiFont> OpenGuiFont(const String& name, int32_t size, int32_t bold = 0, int32_t italic = 0,
                          int32_t underline = 0);
Ref<TGuiFont> PickFont(const Ref<TGuiFont>& font);
String FontFaceName(const Ref<TGuiFont>& font);
int32_t FontPointSize(const Ref<TGuiFont>& font);
int32_t FontStyleBits(const Ref<TGuiFont>& font);

// Gadgets.
void GadgetSetFont(const Ref<TGadget>& gadget, const Ref<TGuiFont>& font);
void GadgetActivate(const Ref<TGadget>& gadget);  // keyboard focus
void GadgetDisable(const Ref<TGadget>& gadget);
void GadgetEnable(const Ref<TGadget>& gadget);
String TextFieldGetText(const Ref<TGadget>& gadget);
void GadgetSetText(const Ref<TGadget>& gadget, const String& text);
String GadgetGetText(const Ref<TGadget>& gadget);
void GadgetFree(const Ref<TGadget>& gadget);
// The gadget's rectangle as the model holds it (no platform call).
int32_t GadgetPosX(const Ref<TGadget>& gadget);
int32_t GadgetPosY(const Ref<TGadget>& gadget);
int32_t GadgetSizeW(const Ref<TGadget>& gadget);
int32_t GadgetSizeH(const Ref<TGadget>& gadget);
intptr_t GadgetQuery(const Ref<TGadget>& gadget, int32_t code);
void GadgetShow(const Ref<TGadget>& gadget);
void GadgetHide(const Ref<TGadget>& gadget);
bool GadgetIsHidden(const Ref<TGadget>& gadget);
bool GadgetIsDisabled(const Ref<TGadget>& gadget);
void GadgetSetShape(const Ref<TGadget>& gadget, int32_t x, int32_t y, int32_t width,
                    int32_t height);
void GadgetSetLayout(const Ref<TGadget>& gadget, int32_t left, int32_t right, int32_t top,
                     int32_t bottom);
void GadgetCut(const Ref<TGadget>& gadget);
void GadgetCopy(const Ref<TGadget>& gadget);
void GadgetPaste(const Ref<TGadget>& gadget);
void GadgetPrint(const Ref<TGadget>& gadget);
void GadgetRedraw(const Ref<TGadget>& gadget);
Ref<TGadget> GadgetParent(const Ref<TGadget>& gadget);
int32_t GadgetClientWidth(const Ref<TGadget>& gadget);
int32_t GadgetClientHeight(const Ref<TGadget>& gadget);
// background non-zero sets the background colour, zero the text colour.
void GadgetSetColor(const Ref<TGadget>& gadget, int32_t r, int32_t g, int32_t b,
                    int32_t background = 1);
void GadgetSetTextColor(const Ref<TGadget>& gadget, int32_t r, int32_t g, int32_t b);
void GadgetSetAlpha(const Ref<TGadget>& gadget, double alpha);
void GadgetSetHotKey(const Ref<TGadget>& gadget, int32_t key, int32_t modifiers);
void GadgetSetFilter(const Ref<TGadget>& gadget, GadgetFilter callback, const Ref<Object>& context);
void GadgetSetIconStrip(const Ref<TGadget>& gadget, const Ref<TIconStrip>& strip);
Ref<TGadget> FocusedGadget();
void SetMousePointer(int32_t shape);
Ref<TIconStrip> LoadIconStrip(const Ref<Object>& source);

// The colour requester: 1 when a colour was chosen (then kept for PickedRed and the others),
// 0 when cancelled (the kept colour stays).
int32_t PickColor(int32_t r, int32_t g, int32_t b);
int32_t PickedRed();
int32_t PickedGreen();
int32_t PickedBlue();

// Windows.
Ref<TGadget> WindowMenuRoot(const Ref<TGadget>& window);
void WindowRedrawMenu(const Ref<TGadget>& window);
void WindowPopupMenu(const Ref<TGadget>& window, const Ref<TGadget>& menu,
                     const Ref<Object>& extra = nullptr);
void WindowFocus(const Ref<TGadget>& window);
void WindowSetStatus(const Ref<TGadget>& window, const String& text);
void WindowSetMinSize(const Ref<TGadget>& window, int32_t width, int32_t height);
void WindowMinimise(const Ref<TGadget>& window);
void WindowMaximise(const Ref<TGadget>& window);
void WindowRestore(const Ref<TGadget>& window);
bool WindowIsMinimised(const Ref<TGadget>& window);
bool WindowIsMaximised(const Ref<TGadget>& window);

// Menus.
void MenuFree(const Ref<TGadget>& menu);
void MenuSetText(const Ref<TGadget>& menu, const String& text);
String MenuGetText(const Ref<TGadget>& menu);
void MenuCheck(const Ref<TGadget>& menu);
void MenuUncheck(const Ref<TGadget>& menu);
void MenuEnable(const Ref<TGadget>& menu);
void MenuDisable(const Ref<TGadget>& menu);
bool MenuIsChecked(const Ref<TGadget>& menu);
bool MenuIsEnabled(const Ref<TGadget>& menu);

// Buttons and panels.
void ButtonSetState(const Ref<TGadget>& button, int32_t checked);
bool ButtonGetState(const Ref<TGadget>& button);
void PanelSetColor(const Ref<TGadget>& panel, int32_t r, int32_t g, int32_t b);
void PanelSetPixmap(const Ref<TGadget>& panel, const Ref<Object>& pixmap, int32_t mode);

// Text areas.
void TextAreaSetText(const Ref<TGadget>& area, const String& text, int32_t pos, int32_t length,
                     int32_t units);
void TextAreaAddText(const Ref<TGadget>& area, const String& text);
String TextAreaGetText(const Ref<TGadget>& area, int32_t pos, int32_t length, int32_t units);
int32_t TextAreaLength(const Ref<TGadget>& area, int32_t units);
void TextAreaLock(const Ref<TGadget>& area);
void TextAreaUnlock(const Ref<TGadget>& area);
void TextAreaSetTabs(const Ref<TGadget>& area, int32_t tabs);
void TextAreaSetFont(const Ref<TGadget>& area, const Ref<TGuiFont>& font);
void TextAreaSetColor(const Ref<TGadget>& area, int32_t r, int32_t g, int32_t b);
int32_t TextAreaSelectionLength(const Ref<TGadget>& area, int32_t units);
int32_t TextAreaCursor(const Ref<TGadget>& area, int32_t units);
void TextAreaFormat(const Ref<TGadget>& area, int32_t r, int32_t g, int32_t b, int32_t flags,
                    int32_t pos, int32_t length, int32_t units);
void TextAreaSelect(const Ref<TGadget>& area, int32_t pos, int32_t length, int32_t units);
int32_t TextAreaCharOfLine(const Ref<TGadget>& area, int32_t line);
int32_t TextAreaLineOfChar(const Ref<TGadget>& area, int32_t index);

// Items of combo boxes, list boxes, tool bars and tab controls.
void ItemsClear(const Ref<TGadget>& gadget);
void ItemsAdd(const Ref<TGadget>& gadget, const String& text, int32_t flags = 0, int32_t icon = -1,
              const String& tip = String(), const Ref<Object>& extra = nullptr);
void ItemsInsert(const Ref<TGadget>& gadget, int32_t index, const String& text, int32_t flags = 0,
                 int32_t icon = -1, const String& tip = String(),
                 const Ref<Object>& extra = nullptr);
void ItemsModify(const Ref<TGadget>& gadget, int32_t index, const String& text, int32_t flags = 0,
                 int32_t icon = -1, const String& tip = String(),
                 const Ref<Object>& extra = nullptr);
void ItemsRemove(const Ref<TGadget>& gadget, int32_t index);
void ItemsEnable(const Ref<TGadget>& gadget, int32_t index);
void ItemsDisable(const Ref<TGadget>& gadget, int32_t index);
void ItemsSelect(const Ref<TGadget>& gadget, int32_t index);  // -1: every item
void ItemsDeselect(const Ref<TGadget>& gadget, int32_t index);
void ItemsToggle(const Ref<TGadget>& gadget, int32_t index);
int32_t ItemsSelected(const Ref<TGadget>& gadget);
std::vector<int32_t> ItemsSelectedAll(const Ref<TGadget>& gadget);
int32_t ItemsCount(const Ref<TGadget>& gadget);
String ItemsText(const Ref<TGadget>& gadget, int32_t index);
int32_t ItemsIcon(const Ref<TGadget>& gadget, int32_t index);
Ref<Object> ItemsExtra(const Ref<TGadget>& gadget, int32_t index);
int32_t ItemsFlags(const Ref<TGadget>& gadget, int32_t index);
// The non-null entries of tips (their text) become the tips of items 0, 1, 2 ... in order;
// entries beyond the last item are ignored.
void ItemsSetTips(const Ref<TGadget>& gadget, const std::vector<Ref<Object>>& tips);

// Tree views.
Ref<TGadget> TreeViewRoot(const Ref<TGadget>& treeView);
Ref<TGadget> TreeViewAddNode(const String& text, const Ref<TGadget>& parent, int32_t icon = -1);
Ref<TGadget> TreeViewInsertNode(int32_t index, const String& text, const Ref<TGadget>& parent,
                                int32_t icon = -1);
void TreeViewModifyNode(const Ref<TGadget>& node, const String& text, int32_t icon = -1);
Ref<TGadget> TreeViewSelectedNode(const Ref<TGadget>& treeView);
int32_t TreeViewCountKids(const Ref<TGadget>& node);
void TreeViewSelectNode(const Ref<TGadget>& node);
void TreeViewExpandNode(const Ref<TGadget>& node);
void TreeViewCollapseNode(const Ref<TGadget>& node);
void TreeViewFreeNode(const Ref<TGadget>& node);

// HTML views.
void HtmlViewGo(const Ref<TGadget>& view, const String& address);
void HtmlViewBack(const Ref<TGadget>& view);
void HtmlViewForward(const Ref<TGadget>& view);
int32_t HtmlViewStatus(const Ref<TGadget>& view);
String HtmlViewCurrentAddress(const Ref<TGadget>& view);
String HtmlViewRun(const Ref<TGadget>& view, const String& script);

// Sliders and progress bars.
void SliderSetRange(const Ref<TGadget>& slider, int32_t min, int32_t max);
void SliderSetValue(const Ref<TGadget>& slider, int32_t value);
int32_t SliderValue(const Ref<TGadget>& slider);
void ProgBarUpdate(const Ref<TGadget>& bar, double value);  // a fraction from 0 to 1

// Canvases.
Ref<Object> CanvasGraphics(const Ref<TGadget>& canvas);

}  // namespace tarn
