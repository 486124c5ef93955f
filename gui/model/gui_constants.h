// The vocabulary that every GUI driver and every program share: gadget class codes, the
// creation style bits of each class, query codes, mouse pointer shapes and font style bits.
#pragma once

#include <cstdint>

namespace tarn {

// Gadget classes, the first argument of CreateGadget.
constexpr int32_t GADGET_DESKTOP = 0;  // the screen: one shared gadget, never made anew
constexpr int32_t GADGET_WINDOW = 1;
constexpr int32_t GADGET_BUTTON = 2;
constexpr int32_t GADGET_PANEL = 3;
constexpr int32_t GADGET_TEXTFIELD = 4;
constexpr int32_t GADGET_TEXTAREA = 5;
constexpr int32_t GADGET_COMBOBOX = 6;
constexpr int32_t GADGET_LISTBOX = 7;
constexpr int32_t GADGET_TOOLBAR = 8;
constexpr int32_t GADGET_TABBER = 9;
constexpr int32_t GADGET_TREEVIEW = 10;
constexpr int32_t GADGET_HTMLVIEW = 11;
constexpr int32_t GADGET_LABEL = 12;
constexpr int32_t GADGET_SLIDER = 13;
constexpr int32_t GADGET_PROGBAR = 14;
constexpr int32_t GADGET_MENUITEM = 15;
constexpr int32_t GADGET_NODE = 16;  // made only by a tree view (InsertNode)
constexpr int32_t GADGET_CANVAS = 17;

// Window styles.
constexpr int32_t WINDOW_TITLEBAR = 1;       // caption and system menu; else a plain pop-up
constexpr int32_t WINDOW_RESIZABLE = 2;      // sizing border (with a title bar: min/max boxes)
constexpr int32_t WINDOW_MENU = 4;           // menu bar
constexpr int32_t WINDOW_STATUS = 8;         // status bar at the bottom
constexpr int32_t WINDOW_TOOL = 16;          // small caption, no taskbar button
constexpr int32_t WINDOW_CLIENTCOORDS = 32;  // the rectangle describes the client area
constexpr int32_t WINDOW_HIDDEN = 64;        // created hidden
constexpr int32_t WINDOW_ACCEPTFILES = 128;  // files dropped on it become EVENT_WINDOWACCEPT
constexpr int32_t WINDOW_CHILD = 256;        // a child window of its group

// Panel styles.
constexpr int32_t PANEL_SUNKEN = 1;
constexpr int32_t PANEL_INPUT = 2;   // mouse and key messages become input events
constexpr int32_t PANEL_ACTIVE = 4;  // as PANEL_INPUT, and paints through EVENT_GADGETPAINT
constexpr int32_t PANEL_GROUP = 8;   // a framed group box captioned with the panel text

// Label styles: the low three bits choose the frame, bits 8 and 16 the alignment.
constexpr int32_t LABEL_FRAMEMASK = 7;
constexpr int32_t LABEL_FLAT = 1;
constexpr int32_t LABEL_SUNKEN = 2;
constexpr int32_t LABEL_ETCHED = 3;
constexpr int32_t LABEL_RIGHT = 8;
constexpr int32_t LABEL_CENTER = 16;

// Button styles: the low three bits choose the kind, bit 8 marks the default button.
constexpr int32_t BUTTON_KINDMASK = 7;
constexpr int32_t BUTTON_PUSH = 0;
constexpr int32_t BUTTON_CHECKBOX = 2;
constexpr int32_t BUTTON_RADIO = 3;
constexpr int32_t BUTTON_OK = 4;      // pressed by Enter
constexpr int32_t BUTTON_CANCEL = 5;  // pressed by Escape
constexpr int32_t BUTTON_DEFAULT = 8;

constexpr int32_t TEXTFIELD_PASSWORD = 1;
constexpr int32_t TEXTAREA_WORDWRAP = 1;
constexpr int32_t TEXTAREA_READONLY = 2;
constexpr int32_t COMBOBOX_EDITABLE = 1;
constexpr int32_t HTMLVIEW_NONAVIGATE = 2;  // navigation the program did not start is reported

// Slider styles: bit 1 horizontal; style / 4 chooses the kind.
constexpr int32_t SLIDER_HORIZONTAL = 1;
constexpr int32_t SLIDER_SCROLLBAR = 0;
constexpr int32_t SLIDER_TRACKBAR = 4;
constexpr int32_t SLIDER_STEPPER = 8;

// Query codes. Any other code gives 0.
constexpr int32_t QueryNativeHandle = 1;  // the gadget's own native window
constexpr int32_t QueryClientHandle = 2;  // the native window that holds its children

// Mouse pointer shapes (SetMousePointer); shapes above 14 show the arrow.
constexpr int32_t POINTER_DEFAULT = 0;
constexpr int32_t POINTER_ARROW = 1;
constexpr int32_t POINTER_IBEAM = 2;
constexpr int32_t POINTER_WAIT = 3;
constexpr int32_t POINTER_CROSS = 4;
constexpr int32_t POINTER_UPARROW = 5;
constexpr int32_t POINTER_SIZENWSE = 6;
constexpr int32_t POINTER_SIZENESW = 7;
constexpr int32_t POINTER_SIZEWE = 8;
constexpr int32_t POINTER_SIZENS = 9;
constexpr int32_t POINTER_SIZEALL = 10;
constexpr int32_t POINTER_NO = 11;
constexpr int32_t POINTER_HAND = 12;
constexpr int32_t POINTER_APPSTARTING = 13;  // arrow with hourglass
constexpr int32_t POINTER_HELP = 14;

// Font styles.
constexpr int32_t FONT_BOLD = 1;
constexpr int32_t FONT_ITALIC = 2;
constexpr int32_t FONT_UNDERLINE = 4;

}  // namespace tarn
