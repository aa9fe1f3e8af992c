// A painter's tool as a row of data: how its points come from the mouse,
// how they are joined, the brush and the ink it stamps with, and whether a
// drag adds to the picture or draws anew from the press. The tool loop
// (tool_loop.h) runs any such row; a new tool is a new row.
#pragma once

#include "core/paint/ink.h"

namespace velmora {

// Names the tools; what a tool does is its row (ui/painter/tool_table.h).
enum class PaintTool {
    Pencil, Eraser, Line, Rectangle, FilledRectangle, Ellipse, FilledEllipse, Fill, Picker, Select,
    ReplaceBrush, Shade, Gradient,
};

// How points come from press, move and release.
enum class Controller {
    Freehand,   // every point the mouse passes
    TwoPoints,  // the press and where the mouse is now
    OnePoint,   // the press alone
    Selection,  // a drag selects, or moves what is selected
    Pick,       // the window picks a colour; the picture is not drawn on
};

// How a freehand tool joins its points.
enum class Joining {
    None,          // a dab at each point
    Line,          // lines between them
    PixelPerfect,  // lines, and pixel-perfect when the pencil's option is on
};

enum class Trace {
    Accumulate,  // each move adds to what the drag drew
    Redraw,      // each move draws anew from the picture at the press
};

// What a two-point or one-point tool draws.
enum class Figure { None, Line, Rectangle, FilledRectangle, Ellipse, FilledEllipse, Fill, Gradient };

struct ToolParts {
    Controller controller = Controller::Freehand;
    Joining joining = Joining::Line;
    Trace trace = Trace::Accumulate;
    Figure figure = Figure::None;
    InkKind ink = InkKind::Colour;
    bool brushed = false;  // stamps the chosen brush rather than one pixel
};

}  // namespace velmora
