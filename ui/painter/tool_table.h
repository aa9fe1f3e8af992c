// The painter's tools, one entry each: caption, tip, key, icon and the core
// parts it is made of. The window builds the Tools menu, the tool bar and
// the keys from this table; a key two entries share goes round them.
#pragma once

#include "ui/services/language_lines.h"

#include "core/paint/tool_parts.h"

#include <array>

namespace velmora {

struct ToolEntry {
    PaintTool tool;
    Text caption;
    Text tip;
    const char* key;
    const char* icon;  // its picture (tool_icons.h)
    ToolParts parts;
};

namespace tool_parts {
constexpr ToolParts kPencil{Controller::Freehand, Joining::PixelPerfect, Trace::Accumulate, Figure::None, InkKind::Colour, true};
constexpr ToolParts kEraser{Controller::Freehand, Joining::Line, Trace::Accumulate, Figure::None, InkKind::SeeThrough, true};
constexpr ToolParts Outline(Figure figure)
{
    return ToolParts{Controller::TwoPoints, Joining::Line, Trace::Redraw, figure, InkKind::Colour, true};
}
constexpr ToolParts Solid(Figure figure)
{
    return ToolParts{Controller::TwoPoints, Joining::Line, Trace::Redraw, figure, InkKind::Colour, false};
}
constexpr ToolParts kReplaceBrush{Controller::Freehand, Joining::Line, Trace::Accumulate, Figure::None, InkKind::ReplaceColour, true};
constexpr ToolParts kShade{Controller::Freehand, Joining::Line, Trace::Accumulate, Figure::None, InkKind::Shade, true};
constexpr ToolParts kGradient{Controller::TwoPoints, Joining::None, Trace::Redraw, Figure::Gradient, InkKind::Colour, false};
constexpr ToolParts kFill{Controller::OnePoint, Joining::None, Trace::Accumulate, Figure::Fill, InkKind::Colour, false};
constexpr ToolParts kPicker{Controller::Pick, Joining::None, Trace::Accumulate, Figure::None, InkKind::Colour, false};
constexpr ToolParts kSelect{Controller::Selection, Joining::None, Trace::Redraw, Figure::None, InkKind::Colour, false};
}  // namespace tool_parts

inline constexpr std::array kTools = {
    ToolEntry{PaintTool::Pencil, Text::Pencil, Text::PencilTip, "B", "pencil", tool_parts::kPencil},
    ToolEntry{PaintTool::Eraser, Text::Eraser, Text::EraserTip, "E", "eraser", tool_parts::kEraser},
    ToolEntry{PaintTool::Line, Text::Line, Text::LineTip, "L", "line", tool_parts::Outline(Figure::Line)},
    ToolEntry{PaintTool::Rectangle, Text::Rectangle, Text::RectangleTip, "U", "rectangle",
              tool_parts::Outline(Figure::Rectangle)},
    ToolEntry{PaintTool::FilledRectangle, Text::FilledRectangle, Text::FilledRectangleTip, "U", "filled-rectangle",
              tool_parts::Solid(Figure::FilledRectangle)},
    ToolEntry{PaintTool::Ellipse, Text::Ellipse, Text::EllipseTip, "Shift+U", "ellipse",
              tool_parts::Outline(Figure::Ellipse)},
    ToolEntry{PaintTool::FilledEllipse, Text::FilledEllipse, Text::FilledEllipseTip, "Shift+U", "filled-ellipse",
              tool_parts::Solid(Figure::FilledEllipse)},
    ToolEntry{PaintTool::Fill, Text::Fill, Text::FillTip, "G", "fill", tool_parts::kFill},
    ToolEntry{PaintTool::Picker, Text::Picker, Text::PickerTip, "I", "picker", tool_parts::kPicker},
    ToolEntry{PaintTool::Select, Text::Select, Text::SelectTip, "M", "select", tool_parts::kSelect},
    ToolEntry{PaintTool::ReplaceBrush, Text::ReplaceBrush, Text::ReplaceBrushTip, "R", "replace", tool_parts::kReplaceBrush},
    ToolEntry{PaintTool::Shade, Text::Shade, Text::ShadeTip, "D", "shade", tool_parts::kShade},
    ToolEntry{PaintTool::Gradient, Text::Gradient, Text::GradientTip, "H", "gradient", tool_parts::kGradient},
};

// The entry of `tool`; every tool has one.
const ToolEntry& EntryOf(PaintTool tool);

}  // namespace velmora
