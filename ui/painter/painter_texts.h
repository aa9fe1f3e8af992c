// Every language line the painter shows, in one table. Its own lines follow
// the editor's at the end of each file, from one base per file: moving the
// whole block is changing that base. Lines it shares with the editor (the
// check dialog's choices, Undo and Redo) are named by their own numbers.
#pragma once

#include "ui/services/language_texts.h"

#include <array>

namespace velmora::painter {

// The first painter line of menuitems.* and of labels.*.
constexpr int kMenuBase = 28;
constexpr int kLabelBase = 78;

enum class Text {
    // Menus and their entries.
    EditMenu, Undo, Redo, Cut, Copy, Paste, Delete, SelectAll,
    ViewMenu, ZoomIn, ZoomOut, FitToWindow, Grid, Surroundings, LargeRoomView,
    ToolsMenu, Pencil, PixelPerfect, Eraser, Line, Rectangle, FilledRectangle, Ellipse, FilledEllipse, Fill,
    Picker, Select,
    ColoursMenu, SwapColours, PreviousColour, NextColour,
    // Window, tool tips, status line and step names.
    Title, PencilTip, PixelPerfectTip, EraserTip, LineTip, RectangleTip, FilledRectangleTip, EllipseTip,
    FilledEllipseTip, FillTip, PickerTip, SelectTip, PaletteTip, RoomViewTip, ColoursShown,
    PixelShown, IndexShown, SeeThroughShown, ZoomShown, DrawnThroughShown, MaskAloneShown,
    MoveStep, CopyStep, ReplaceColourStep,
    // The room view's choices, as the check dialog has them.
    RoomView, Time, Daytime, Nighttime, Door, Closed, HalfOpen, Open, TreasureBox, Bed, Default, Sleeping,
    LettersAndBubble,
};

struct TextLine {
    Text text;
    LanguageTexts::List list;
    int index;
    const char* english;  // shown when the file ends before the line
};

namespace detail {
constexpr auto kMenu = LanguageTexts::List::MenuItems;
constexpr auto kLabel = LanguageTexts::List::Labels;
}  // namespace detail

// In the order of the enumeration.
inline constexpr std::array kTextLines = {
    TextLine{Text::EditMenu, detail::kMenu, 25, "&Edit"},
    TextLine{Text::Undo, detail::kMenu, 19, "&Undo"},
    TextLine{Text::Redo, detail::kMenu, 20, "&Redo"},
    TextLine{Text::Cut, detail::kMenu, kMenuBase + 0, "Cu&t"},
    TextLine{Text::Copy, detail::kMenu, kMenuBase + 1, "&Copy"},
    TextLine{Text::Paste, detail::kMenu, kMenuBase + 2, "&Paste"},
    TextLine{Text::Delete, detail::kMenu, kMenuBase + 3, "&Delete"},
    TextLine{Text::SelectAll, detail::kMenu, kMenuBase + 4, "Select &all"},
    TextLine{Text::ViewMenu, detail::kMenu, kMenuBase + 5, "&View"},
    TextLine{Text::ZoomIn, detail::kMenu, kMenuBase + 6, "Zoom &in"},
    TextLine{Text::ZoomOut, detail::kMenu, kMenuBase + 7, "Zoom &out"},
    TextLine{Text::FitToWindow, detail::kMenu, kMenuBase + 8, "&Fit to window"},
    TextLine{Text::Grid, detail::kMenu, kMenuBase + 9, "Pixel &grid"},
    TextLine{Text::Surroundings, detail::kMenu, kMenuBase + 10, "Show &surroundings"},
    TextLine{Text::LargeRoomView, detail::kMenu, kMenuBase + 11, "&Room view at 2x"},
    TextLine{Text::ToolsMenu, detail::kMenu, kMenuBase + 12, "&Tools"},
    TextLine{Text::Pencil, detail::kMenu, kMenuBase + 13, "&Pencil"},
    TextLine{Text::PixelPerfect, detail::kMenu, kMenuBase + 14, "Pi&xel-perfect pencil"},
    TextLine{Text::Eraser, detail::kMenu, kMenuBase + 15, "&Eraser"},
    TextLine{Text::Line, detail::kMenu, kMenuBase + 16, "&Line"},
    TextLine{Text::Rectangle, detail::kMenu, kMenuBase + 17, "&Rectangle"},
    TextLine{Text::FilledRectangle, detail::kMenu, kMenuBase + 18, "Filled rec&tangle"},
    TextLine{Text::Ellipse, detail::kMenu, kMenuBase + 19, "Ell&ipse"},
    TextLine{Text::FilledEllipse, detail::kMenu, kMenuBase + 20, "Fille&d ellipse"},
    TextLine{Text::Fill, detail::kMenu, kMenuBase + 21, "&Fill"},
    TextLine{Text::Picker, detail::kMenu, kMenuBase + 22, "Colour pic&ker"},
    TextLine{Text::Select, detail::kMenu, kMenuBase + 23, "&Selection"},
    TextLine{Text::ColoursMenu, detail::kMenu, kMenuBase + 24, "&Colours"},
    TextLine{Text::SwapColours, detail::kMenu, kMenuBase + 25, "&Swap colours"},
    TextLine{Text::PreviousColour, detail::kMenu, kMenuBase + 26, "&Previous colour"},
    TextLine{Text::NextColour, detail::kMenu, kMenuBase + 27, "&Next colour"},
    TextLine{Text::Title, detail::kLabel, kLabelBase + 0, "Painter"},
    TextLine{Text::PencilTip, detail::kLabel, kLabelBase + 1,
             "Pencil (B): one pixel at a time; Shift+click draws a line from the last point"},
    TextLine{Text::PixelPerfectTip, detail::kLabel, kLabelBase + 2,
             "The pencil leaves out the corner pixel of every L-shaped step"},
    TextLine{Text::EraserTip, detail::kLabel, kLabelBase + 3, "Eraser (E): makes pixels see-through"},
    TextLine{Text::LineTip, detail::kLabel, kLabelBase + 4, "Line (L): drag from one end to the other"},
    TextLine{Text::RectangleTip, detail::kLabel, kLabelBase + 5, "Rectangle (U): Shift draws a square"},
    TextLine{Text::FilledRectangleTip, detail::kLabel, kLabelBase + 6,
             "Filled rectangle (U again): Shift draws a square"},
    TextLine{Text::EllipseTip, detail::kLabel, kLabelBase + 7, "Ellipse (Shift+U): Shift draws a circle"},
    TextLine{Text::FilledEllipseTip, detail::kLabel, kLabelBase + 8,
             "Filled ellipse (Shift+U again): Shift draws a circle"},
    TextLine{Text::FillTip, detail::kLabel, kLabelBase + 9,
             "Fill (G): the joined area of one colour; Shift+click replaces that colour everywhere"},
    TextLine{Text::PickerTip, detail::kLabel, kLabelBase + 10,
             "Colour picker (I, or hold Alt with any tool): left click foreground, right click background"},
    TextLine{Text::SelectTip, detail::kLabel, kLabelBase + 11,
             "Selection (M): drag to select; drag inside it to move, Ctrl+drag to copy"},
    TextLine{Text::PaletteTip, detail::kLabel, kLabelBase + 12,
             "Left click: foreground, right click: background; X swaps, [ and ] step. A dot marks the colours the "
             "part uses."},
    TextLine{Text::RoomViewTip, detail::kLabel, kLabelBase + 13, "Click a part to paint it"},
    TextLine{Text::ColoursShown, detail::kLabel, kLabelBase + 14, "Foreground %1, background %2"},
    TextLine{Text::PixelShown, detail::kLabel, kLabelBase + 15, "Pixel %1, %2"},
    TextLine{Text::IndexShown, detail::kLabel, kLabelBase + 16, "Index %1 (%2)"},
    TextLine{Text::SeeThroughShown, detail::kLabel, kLabelBase + 17, "See-through"},
    TextLine{Text::ZoomShown, detail::kLabel, kLabelBase + 18, "Zoom %1x"},
    TextLine{Text::DrawnThroughShown, detail::kLabel, kLabelBase + 19, "Drawn through mask %1 (slot %2)"},
    TextLine{Text::MaskAloneShown, detail::kLabel, kLabelBase + 20, "Mask %1 (slot %2): opaque or see-through"},
    TextLine{Text::MoveStep, detail::kLabel, kLabelBase + 21, "Move"},
    TextLine{Text::CopyStep, detail::kLabel, kLabelBase + 22, "Copy"},
    TextLine{Text::ReplaceColourStep, detail::kLabel, kLabelBase + 23, "Replace colour"},
    TextLine{Text::RoomView, detail::kLabel, 12, "Room view"},
    TextLine{Text::Time, detail::kLabel, 18, "Time"},
    TextLine{Text::Daytime, detail::kLabel, 19, "Daytime"},
    TextLine{Text::Nighttime, detail::kLabel, 20, "Nighttime"},
    TextLine{Text::Door, detail::kLabel, 21, "Door"},
    TextLine{Text::Closed, detail::kLabel, 22, "Closed"},
    TextLine{Text::HalfOpen, detail::kLabel, 23, "Half open"},
    TextLine{Text::Open, detail::kLabel, 24, "Open"},
    TextLine{Text::TreasureBox, detail::kLabel, 25, "Treasure box"},
    TextLine{Text::Bed, detail::kLabel, 26, "Bed"},
    TextLine{Text::Default, detail::kLabel, 27, "Default"},
    TextLine{Text::Sleeping, detail::kLabel, 28, "Sleeping"},
    TextLine{Text::LettersAndBubble, detail::kLabel, 34, "Letters, bubble"},
};

// The line of `text` from the language files, or its English.
QString TextOf(const LanguageTexts& texts, Text text);

}  // namespace velmora::painter
