// Every language line the program uses, in one table: its list, its line
// number and its English text. The numbers and the files' contents are
// fixed; a line added to the language files takes the next free number of
// its file, here and in every language. What the messages' numbers are is
// shared with velmora-pac (common/message_lines.h).
//
// Lines every language file has (the first 18 menu items, 36 labels and 13
// messages) are required: TextOf raises a list-index error when a file
// lacks one, as the window's texts always did. A later line that a file
// lacks shows its English. (The designed captions of the window and the
// dialogs, shown until their lines replace them, stay beside the controls
// they are designed with.)
#pragma once

#include "ui/services/language_texts.h"

#include "common/message_lines.h"
#include "core/image/errors.h"
#include "core/room/room_file.h"

#include <QString>

#include <array>

namespace velmora {

enum class Text {
    // menuitems.*
    FileMenu, OpenRoomFile, SaveRoomFile, ShowCheck, Exit, ConfigMenu, EditorSet, LanguageSet, HelpMenu,
    Contents, About, EditPart, OpenPFile, SavePFile, CopyImage, CreateMask, CopyData, PasteParts,
    TextEncodingSet, Undo, Redo, Save, ImportPicture, ExportPicture, RecentRooms, EditMenu, CopyPicture,
    PastePicture, Cut, Copy, Paste, Delete, SelectAll, ViewMenu, ZoomIn, ZoomOut, FitToWindow, Grid,
    Surroundings, LargeRoomView, ToolsMenu, Pencil, PixelPerfect, Eraser, Line, Rectangle, FilledRectangle,
    Ellipse, FilledEllipse, Fill, Picker, Select, ColoursMenu, SwapColours, PreviousColour, NextColour, Paint,
    DoubleClickSet, ExportLayers, ImportLayers,
    SquareBrush, RoundBrush, LargerBrush, SmallerBrush, VerticalSymmetry, HorizontalSymmetry, CentredAxes,
    PlaceAxes, TransformMenu, FlipHorizontally, FlipVertically, RotateClockwise, RotateAnticlockwise,
    RotateHalf, ScaleSelection, OutlineFour, OutlineEight, ReplaceBrush, Shade, Gradient,
    OnionSkin,
    // labels.*
    FontFace, Title, WindowViewsCaption, DoorViewsCaption, DoorsCaption, BedsCaption, TreasureBoxesCaption,
    TableCaption, MailboxCaption, BubbleCaption, BathTubCaption, LettersCaption, RoomView, NameCaption,
    CommentCaption, CopyrightCaption, AboutTitle, CheckTitle, Time, Daytime, Nighttime, Door, Closed,
    HalfOpen, Open, TreasureBox, Bed, Default, Sleeping, SaveAsButton, ImageEditorTitle, Browse,
    QuestionCaption, WarningCaption, LettersAndBubble, PastePartsTitle, TextLimit, PicturesFileType,
    AllFilesFileType, JpegFileType, BitmapFileType, AboutVersion, AboutCopyright, SystemEncoding, BoxPicture,
    BoxMask, FirstPartName, LastPartName = FirstPartName + 19, Original, ImportResult, Fitting, FitExact,
    FitContain, FitCover, FitCrop, Dithering, DitherNone, DitherFloydSteinberg, DitherOrdered,
    AlphaThreshold, PainterTitle, PencilTip, PixelPerfectTip, EraserTip, LineTip, RectangleTip,
    FilledRectangleTip, EllipseTip, FilledEllipseTip, FillTip, PickerTip, SelectTip, PaletteTip, RoomViewTip,
    ColoursShown, PixelShown, IndexShown, SeeThroughShown, ZoomShown, DrawnThroughShown, MaskAloneShown,
    MoveStep, CopyStep, ReplaceColourStep, PaletteName,
    AnimateButton, SheetButton, AnimateTitle, SheetTitle, ScaleCaption, DelayCaption, PlaysCaption,
    PingpongCaption, FormatCaption, ColumnsCaption, GapCaption, NamesCaption, GifFileType, ApngFileType,
    WebpFileType, PngFileType, PlayCaption,
    ImportLayersTitle, LayerColumn, PartColumn, LayeredFileType, LayerWarnings,
    BrushSizeTip, BrushShapeTip, ReplaceBrushTip, ShadeTip, ScaleBy, GradientTip,
    OnionNone,
    // messages.*
    NoImageEditor, TempBitmapUnreadable, Os2Header, Not8Bit, Compressed, NoStandardPalette, PaletteDiffers,
    BadMaskDepth, CannotOpen, RoomTooShort, OutOfMemory, WrongSize, UnsavedChanges, RestoreRecovery,
    WrongPictureSize, PictureUnreadable, RoomChangedOnSave, RoomChangedReload, RecoveryNotWritten,
    RecoveryDamaged, HelpNotShown, PartFileTooLarge, TextNotEncodable, SystemTextEncoding, CannotWriteFile,
    CannotCreateFile, NotUsableBmp, FaultInSlot, FirstChannelName, LastChannelName = FirstChannelName + 3,
    FirstRoomTextName, LastRoomTextName = FirstRoomTextName + 2,
    FirstFormatFault, LastFormatFault = FirstFormatFault + 34, PictureFileTooLarge, PictureFileUnreadable,
    PictureSizeTooLarge, PictureReaderFailed, NotAPicture, NoClipboardPicture, LayeredUnreadable,
    LayerNamesNoPart, LayerNotPlain, LayerOutside, LayerCovered, NoLayerNamesAPart, CanvasNotRoom,
    Count
};

struct TextLine {
    Text text;
    LanguageTexts::List list;
    int index;
    const char* english;
};

// The text `n` places after `first`, in a run of lines of one kind (the
// part names, the core's faults, ...).
constexpr Text Nth(Text first, int n)
{
    return Text(int(first) + n);
}

namespace language_lines {
constexpr auto kMenu = LanguageTexts::List::MenuItems;
constexpr auto kLabel = LanguageTexts::List::Labels;
constexpr auto kMessage = LanguageTexts::List::Messages;
}  // namespace language_lines

// In the order of the enumeration, which is the order of the files.
inline constexpr std::array<TextLine, size_t(Text::Count)> kTextLines = [] {
    using namespace language_lines;
    return std::array<TextLine, size_t(Text::Count)>{{
        TextLine{Text::FileMenu, kMenu, 0, "&File"},
        TextLine{Text::OpenRoomFile, kMenu, 1, "&Open..."},
        TextLine{Text::SaveRoomFile, kMenu, 2, "Save &As..."},
        TextLine{Text::ShowCheck, kMenu, 3, "&Check"},
        TextLine{Text::Exit, kMenu, 4, "E&xit"},
        TextLine{Text::ConfigMenu, kMenu, 5, "&Settings"},
        TextLine{Text::EditorSet, kMenu, 6, "&Image editor..."},
        TextLine{Text::LanguageSet, kMenu, 7, "&Language..."},
        TextLine{Text::HelpMenu, kMenu, 8, "&Help"},
        TextLine{Text::Contents, kMenu, 9, "&Contents"},
        TextLine{Text::About, kMenu, 10, "&About..."},
        TextLine{Text::EditPart, kMenu, 11, "Edit in image editor"},
        TextLine{Text::OpenPFile, kMenu, 12, "Load from bitmap file..."},
        TextLine{Text::SavePFile, kMenu, 13, "Save to bitmap file..."},
        TextLine{Text::CopyImage, kMenu, 14, "Copy from room view"},
        TextLine{Text::CreateMask, kMenu, 15, "Make mask"},
        TextLine{Text::CopyData, kMenu, 16, "Copy mask from picture"},
        TextLine{Text::PasteParts, kMenu, 17, "Paste parts..."},
        TextLine{Text::TextEncodingSet, kMenu, 18, "&Text encoding..."},
        TextLine{Text::Undo, kMenu, 19, "&Undo"},
        TextLine{Text::Redo, kMenu, 20, "&Redo"},
        TextLine{Text::Save, kMenu, 21, "&Save"},
        TextLine{Text::ImportPicture, kMenu, 22, "Import picture..."},
        TextLine{Text::ExportPicture, kMenu, 23, "Export picture..."},
        TextLine{Text::RecentRooms, kMenu, 24, "&Recent rooms"},
        TextLine{Text::EditMenu, kMenu, 25, "&Edit"},
        TextLine{Text::CopyPicture, kMenu, 26, "Copy picture"},
        TextLine{Text::PastePicture, kMenu, 27, "Paste picture"},
        TextLine{Text::Cut, kMenu, 28, "Cu&t"},
        TextLine{Text::Copy, kMenu, 29, "&Copy"},
        TextLine{Text::Paste, kMenu, 30, "&Paste"},
        TextLine{Text::Delete, kMenu, 31, "&Delete"},
        TextLine{Text::SelectAll, kMenu, 32, "Select &all"},
        TextLine{Text::ViewMenu, kMenu, 33, "&View"},
        TextLine{Text::ZoomIn, kMenu, 34, "Zoom &in"},
        TextLine{Text::ZoomOut, kMenu, 35, "Zoom &out"},
        TextLine{Text::FitToWindow, kMenu, 36, "&Fit to window"},
        TextLine{Text::Grid, kMenu, 37, "Pixel &grid"},
        TextLine{Text::Surroundings, kMenu, 38, "Show &surroundings"},
        TextLine{Text::LargeRoomView, kMenu, 39, "&Room view at 2x"},
        TextLine{Text::ToolsMenu, kMenu, 40, "&Tools"},
        TextLine{Text::Pencil, kMenu, 41, "&Pencil"},
        TextLine{Text::PixelPerfect, kMenu, 42, "Pi&xel-perfect pencil"},
        TextLine{Text::Eraser, kMenu, 43, "&Eraser"},
        TextLine{Text::Line, kMenu, 44, "&Line"},
        TextLine{Text::Rectangle, kMenu, 45, "&Rectangle"},
        TextLine{Text::FilledRectangle, kMenu, 46, "Filled rec&tangle"},
        TextLine{Text::Ellipse, kMenu, 47, "Ell&ipse"},
        TextLine{Text::FilledEllipse, kMenu, 48, "Fille&d ellipse"},
        TextLine{Text::Fill, kMenu, 49, "&Fill"},
        TextLine{Text::Picker, kMenu, 50, "Colour pic&ker"},
        TextLine{Text::Select, kMenu, 51, "&Selection"},
        TextLine{Text::ColoursMenu, kMenu, 52, "&Colours"},
        TextLine{Text::SwapColours, kMenu, 53, "&Swap colours"},
        TextLine{Text::PreviousColour, kMenu, 54, "&Previous colour"},
        TextLine{Text::NextColour, kMenu, 55, "&Next colour"},
        TextLine{Text::Paint, kMenu, 56, "Paint..."},
        TextLine{Text::DoubleClickSet, kMenu, 57, "&Double-click on a picture..."},
        TextLine{Text::ExportLayers, kMenu, 58, "Export &layered picture..."},
        TextLine{Text::ImportLayers, kMenu, 59, "&Import layered picture..."},
        TextLine{Text::SquareBrush, kMenu, 60, "Square brush"},
        TextLine{Text::RoundBrush, kMenu, 61, "Round brush"},
        TextLine{Text::LargerBrush, kMenu, 62, "&Larger brush"},
        TextLine{Text::SmallerBrush, kMenu, 63, "S&maller brush"},
        TextLine{Text::VerticalSymmetry, kMenu, 64, "&Vertical symmetry"},
        TextLine{Text::HorizontalSymmetry, kMenu, 65, "&Horizontal symmetry"},
        TextLine{Text::CentredAxes, kMenu, 66, "Symmetry axes at the &centre"},
        TextLine{Text::PlaceAxes, kMenu, 67, "Place the symmetry &axes at the next click"},
        TextLine{Text::TransformMenu, kMenu, 68, "T&ransform"},
        TextLine{Text::FlipHorizontally, kMenu, 69, "Flip &horizontally"},
        TextLine{Text::FlipVertically, kMenu, 70, "Flip &vertically"},
        TextLine{Text::RotateClockwise, kMenu, 71, "Rotate 90 degrees &clockwise"},
        TextLine{Text::RotateAnticlockwise, kMenu, 72, "Rotate 90 degrees &anticlockwise"},
        TextLine{Text::RotateHalf, kMenu, 73, "Rotate &180 degrees"},
        TextLine{Text::ScaleSelection, kMenu, 74, "&Scale selection..."},
        TextLine{Text::OutlineFour, kMenu, 75, "&Outline (four ways)"},
        TextLine{Text::OutlineEight, kMenu, 76, "Outline (&eight ways)"},
        TextLine{Text::ReplaceBrush, kMenu, 77, "Replace co&lour brush"},
        TextLine{Text::Shade, kMenu, 78, "S&hade"},
        TextLine{Text::Gradient, kMenu, 79, "&Gradient fill"},
        TextLine{Text::OnionSkin, kMenu, 80, "&Onion skin"},
        TextLine{Text::FontFace, kLabel, 0, "DejaVu Sans"},
        TextLine{Text::Title, kLabel, 1, "Velmora"},
        TextLine{Text::WindowViewsCaption, kLabel, 2, "Window view (day, night, connecting)"},
        TextLine{Text::DoorViewsCaption, kLabel, 3, "Door view (day, night)"},
        TextLine{Text::DoorsCaption, kLabel, 4, "Door (closed, half open, open)"},
        TextLine{Text::BedsCaption, kLabel, 5, "Bed (default, sleeping)"},
        TextLine{Text::TreasureBoxesCaption, kLabel, 6, "Treasure box (closed, open)"},
        TextLine{Text::TableCaption, kLabel, 7, "Table"},
        TextLine{Text::MailboxCaption, kLabel, 8, "Mailbox"},
        TextLine{Text::BubbleCaption, kLabel, 9, "Bubble"},
        TextLine{Text::BathTubCaption, kLabel, 10, "Bath tub"},
        TextLine{Text::LettersCaption, kLabel, 11, "Letters (mailbox, table, door side)"},
        TextLine{Text::RoomView, kLabel, 12, "Room view"},
        TextLine{Text::NameCaption, kLabel, 13, "Name"},
        TextLine{Text::CommentCaption, kLabel, 14, "Comment"},
        TextLine{Text::CopyrightCaption, kLabel, 15, "Copyright"},
        TextLine{Text::AboutTitle, kLabel, 16, "About"},
        TextLine{Text::CheckTitle, kLabel, 17, "Check Room"},
        TextLine{Text::Time, kLabel, 18, "Time"},
        TextLine{Text::Daytime, kLabel, 19, "Daytime"},
        TextLine{Text::Nighttime, kLabel, 20, "Nighttime"},
        TextLine{Text::Door, kLabel, 21, "Door"},
        TextLine{Text::Closed, kLabel, 22, "Closed"},
        TextLine{Text::HalfOpen, kLabel, 23, "Half open"},
        TextLine{Text::Open, kLabel, 24, "Open"},
        TextLine{Text::TreasureBox, kLabel, 25, "Treasure box"},
        TextLine{Text::Bed, kLabel, 26, "Bed"},
        TextLine{Text::Default, kLabel, 27, "Default"},
        TextLine{Text::Sleeping, kLabel, 28, "Sleeping"},
        TextLine{Text::SaveAsButton, kLabel, 29, "Save As..."},
        TextLine{Text::ImageEditorTitle, kLabel, 30, "Image editor"},
        TextLine{Text::Browse, kLabel, 31, "Browse"},
        TextLine{Text::QuestionCaption, kLabel, 32, "Confirm"},
        TextLine{Text::WarningCaption, kLabel, 33, "Warning"},
        TextLine{Text::LettersAndBubble, kLabel, 34, "Letters, bubble"},
        TextLine{Text::PastePartsTitle, kLabel, 35, "Paste parts"},
        TextLine{Text::TextLimit, kLabel, 36, "At most 127 bytes in the room's encoding (a line break takes two); the field takes no more."},
        TextLine{Text::PicturesFileType, kLabel, 37, "Pictures"},
        TextLine{Text::AllFilesFileType, kLabel, 38, "All files"},
        TextLine{Text::JpegFileType, kLabel, 39, "JPEG Image"},
        TextLine{Text::BitmapFileType, kLabel, 40, "Bitmap Image"},
        TextLine{Text::AboutVersion, kLabel, 41, "Version."},
        TextLine{Text::AboutCopyright, kLabel, 42, "Copyright © 2026 Velmora team"},
        TextLine{Text::SystemEncoding, kLabel, 43, "System (%1)"},
        TextLine{Text::BoxPicture, kLabel, 44, "%1, picture"},
        TextLine{Text::BoxMask, kLabel, 45, "%1, mask"},
        TextLine{Nth(Text::FirstPartName, 0), kLabel, 46, "Window view (day)"},
        TextLine{Nth(Text::FirstPartName, 1), kLabel, 47, "Window view (night)"},
        TextLine{Nth(Text::FirstPartName, 2), kLabel, 48, "Window view (connecting)"},
        TextLine{Nth(Text::FirstPartName, 3), kLabel, 49, "Door view (day)"},
        TextLine{Nth(Text::FirstPartName, 4), kLabel, 50, "Room view"},
        TextLine{Nth(Text::FirstPartName, 5), kLabel, 51, "Door (closed)"},
        TextLine{Nth(Text::FirstPartName, 6), kLabel, 52, "Door (half open)"},
        TextLine{Nth(Text::FirstPartName, 7), kLabel, 53, "Door (open)"},
        TextLine{Nth(Text::FirstPartName, 8), kLabel, 54, "Bed (default)"},
        TextLine{Nth(Text::FirstPartName, 9), kLabel, 55, "Bed (sleeping)"},
        TextLine{Nth(Text::FirstPartName, 10), kLabel, 56, "Treasure box (closed)"},
        TextLine{Nth(Text::FirstPartName, 11), kLabel, 57, "Treasure box (open)"},
        TextLine{Nth(Text::FirstPartName, 12), kLabel, 58, "Table"},
        TextLine{Nth(Text::FirstPartName, 13), kLabel, 59, "Mailbox"},
        TextLine{Nth(Text::FirstPartName, 14), kLabel, 60, "Bubble"},
        TextLine{Nth(Text::FirstPartName, 15), kLabel, 61, "Bath tub"},
        TextLine{Nth(Text::FirstPartName, 16), kLabel, 62, "Letter (mailbox)"},
        TextLine{Nth(Text::FirstPartName, 17), kLabel, 63, "Letter (table)"},
        TextLine{Nth(Text::FirstPartName, 18), kLabel, 64, "Letter (door side)"},
        TextLine{Nth(Text::FirstPartName, 19), kLabel, 65, "Door view (night)"},
        TextLine{Text::Original, kLabel, 66, "Original"},
        TextLine{Text::ImportResult, kLabel, 67, "Result"},
        TextLine{Text::Fitting, kLabel, 68, "&Fitting:"},
        TextLine{Text::FitExact, kLabel, 69, "Exact size only"},
        TextLine{Text::FitContain, kLabel, 70, "Scale to fit inside"},
        TextLine{Text::FitCover, kLabel, 71, "Scale to cover, crop the middle"},
        TextLine{Text::FitCrop, kLabel, 72, "1:1 from the top-left"},
        TextLine{Text::Dithering, kLabel, 73, "&Dithering:"},
        TextLine{Text::DitherNone, kLabel, 74, "None (nearest colour)"},
        TextLine{Text::DitherFloydSteinberg, kLabel, 75, "Floyd–Steinberg"},
        TextLine{Text::DitherOrdered, kLabel, 76, "Ordered (8×8 Bayer)"},
        TextLine{Text::AlphaThreshold, kLabel, 77, "&See-through below alpha:"},
        TextLine{Text::PainterTitle, kLabel, 78, "Painter"},
        TextLine{Text::PencilTip, kLabel, 79, "Pencil (B): one pixel at a time; Shift+click draws a line from the last point"},
        TextLine{Text::PixelPerfectTip, kLabel, 80, "The pencil leaves out the corner pixel of every L-shaped step"},
        TextLine{Text::EraserTip, kLabel, 81, "Eraser (E): makes pixels see-through"},
        TextLine{Text::LineTip, kLabel, 82, "Line (L): drag from one end to the other"},
        TextLine{Text::RectangleTip, kLabel, 83, "Rectangle (U): Shift draws a square"},
        TextLine{Text::FilledRectangleTip, kLabel, 84, "Filled rectangle (U again): Shift draws a square"},
        TextLine{Text::EllipseTip, kLabel, 85, "Ellipse (Shift+U): Shift draws a circle"},
        TextLine{Text::FilledEllipseTip, kLabel, 86, "Filled ellipse (Shift+U again): Shift draws a circle"},
        TextLine{Text::FillTip, kLabel, 87, "Fill (G): the joined area of one colour; Shift+click replaces that colour everywhere"},
        TextLine{Text::PickerTip, kLabel, 88, "Colour picker (I, or hold Alt with any tool): left click foreground, right click background"},
        TextLine{Text::SelectTip, kLabel, 89, "Selection (M): drag to select; drag inside it to move, Ctrl+drag to copy"},
        TextLine{Text::PaletteTip, kLabel, 90, "Left click: foreground, right click: background; X swaps, [ and ] step. A dot marks the colours the part uses."},
        TextLine{Text::RoomViewTip, kLabel, 91, "Click a part to paint it"},
        TextLine{Text::ColoursShown, kLabel, 92, "Foreground %1, background %2"},
        TextLine{Text::PixelShown, kLabel, 93, "Pixel %1, %2"},
        TextLine{Text::IndexShown, kLabel, 94, "Index %1 (%2)"},
        TextLine{Text::SeeThroughShown, kLabel, 95, "See-through"},
        TextLine{Text::ZoomShown, kLabel, 96, "Zoom %1x"},
        TextLine{Text::DrawnThroughShown, kLabel, 97, "Drawn through mask %1 (slot %2)"},
        TextLine{Text::MaskAloneShown, kLabel, 98, "Mask %1 (slot %2): opaque or see-through"},
        TextLine{Text::MoveStep, kLabel, 99, "Move"},
        TextLine{Text::CopyStep, kLabel, 100, "Copy"},
        TextLine{Text::ReplaceColourStep, kLabel, 101, "Replace colour"},
        TextLine{Text::PaletteName, kLabel, 102, "Room palette"},
        TextLine{Text::AnimateButton, kLabel, 103, "Animate..."},
        TextLine{Text::SheetButton, kLabel, 104, "Sheet..."},
        TextLine{Text::AnimateTitle, kLabel, 105, "Animation"},
        TextLine{Text::SheetTitle, kLabel, 106, "Sheet of every state"},
        TextLine{Text::ScaleCaption, kLabel, 107, "Scale"},
        TextLine{Text::DelayCaption, kLabel, 108, "Delay (ms)"},
        TextLine{Text::PlaysCaption, kLabel, 109, "Plays (0: for ever)"},
        TextLine{Text::PingpongCaption, kLabel, 110, "Back and forth"},
        TextLine{Text::FormatCaption, kLabel, 111, "Format"},
        TextLine{Text::ColumnsCaption, kLabel, 112, "Columns"},
        TextLine{Text::GapCaption, kLabel, 113, "Gap"},
        TextLine{Text::NamesCaption, kLabel, 114, "Names under the tiles"},
        TextLine{Text::GifFileType, kLabel, 115, "GIF Image"},
        TextLine{Text::ApngFileType, kLabel, 116, "Animated PNG Image"},
        TextLine{Text::WebpFileType, kLabel, 117, "WebP Image"},
        TextLine{Text::PngFileType, kLabel, 118, "PNG Image"},
        TextLine{Text::PlayCaption, kLabel, 119, "Play"},
        TextLine{Text::ImportLayersTitle, kLabel, 120, "Import layered picture"},
        TextLine{Text::LayerColumn, kLabel, 121, "Layer"},
        TextLine{Text::PartColumn, kLabel, 122, "Replaces"},
        TextLine{Text::LayeredFileType, kLabel, 123, "Layered pictures (OpenRaster, Aseprite)"},
        TextLine{Text::LayerWarnings, kLabel, 124, "Warnings:"},
        TextLine{Text::BrushSizeTip, kLabel, 125, "Brush size (, and .)"},
        TextLine{Text::BrushShapeTip, kLabel, 126, "Brush shape"},
        TextLine{Text::ReplaceBrushTip, kLabel, 127, "Replace colour brush (R): paints the foreground colour only over the background colour; the right button the other way round"},
        TextLine{Text::ShadeTip, kLabel, 128, "Shade (D): each pass makes a pixel one step lighter along its ramp of the room palette; the right button one step darker"},
        TextLine{Text::ScaleBy, kLabel, 129, "Scale by"},
        TextLine{Text::GradientTip, kLabel, 130, "Gradient fill (H): drag across an area of one colour to fill it with a dithered run from the foreground to the background colour"},
        TextLine{Text::OnionNone, kLabel, 131, "None"},
        TextLine{Text::NoImageEditor, kMessage, message::kNoImageEditor, "No image editor is set. Choose one under Settings > Image editor."},
        TextLine{Text::TempBitmapUnreadable, kMessage, message::kTempBitmapUnreadable, "The temporary bitmap file cannot be opened."},
        TextLine{Text::Os2Header, kMessage, message::kOs2Header, "This bitmap has an old-style (OS/2) header and cannot be used. Save it as a Windows BMP."},
        TextLine{Text::Not8Bit, kMessage, message::kNot8Bit, "A part picture must have 8 bits per pixel (256 colours)."},
        TextLine{Text::Compressed, kMessage, message::kCompressed, "This bitmap is compressed. Save it uncompressed."},
        TextLine{Text::NoStandardPalette, kMessage, message::kNoStandardPalette, "The standard palette file Velmpl.dat cannot be opened. The picture is taken in without checking its palette."},
        TextLine{Text::PaletteDiffers, kMessage, message::kPaletteDiffers, "The picture's palette differs from the standard palette. Take it in anyway?"},
        TextLine{Text::BadMaskDepth, kMessage, message::kBadMaskDepth, "A mask must have 1 or 8 bits per pixel."},
        TextLine{Text::CannotOpen, kMessage, message::kCannotOpen, "The file cannot be opened:"},
        TextLine{Text::RoomTooShort, kMessage, message::kRoomTooShort, "This file is too short to be a room file."},
        TextLine{Text::OutOfMemory, kMessage, message::kOutOfMemory, "There is not enough memory for the room data."},
        TextLine{Text::WrongSize, kMessage, message::kWrongSize, "The picture does not have the size this part needs."},
        TextLine{Text::UnsavedChanges, kMessage, message::kUnsavedChanges, "The room has unsaved changes, which will be lost. Continue?"},
        TextLine{Text::RestoreRecovery, kMessage, message::kRestoreRecovery, "Velmora stopped before this room was saved. Restore the unsaved work?"},
        TextLine{Text::WrongPictureSize, kMessage, message::kWrongPictureSize, "The picture is %1 pixels; this part needs %2 pixels."},
        TextLine{Text::PictureUnreadable, kMessage, message::kPictureUnreadable, "The picture cannot be read:"},
        TextLine{Text::RoomChangedOnSave, kMessage, message::kRoomChangedOnSave, "Another program has changed the room file since it was opened or saved here. Replace it with this room?"},
        TextLine{Text::RoomChangedReload, kMessage, message::kRoomChangedReload, "Another program has changed the room file. Open it again as it is now?"},
        TextLine{Text::RecoveryNotWritten, kMessage, message::kRecoveryNotWritten, "Unsaved work cannot be written to the recovery file:"},
        TextLine{Text::RecoveryDamaged, kMessage, message::kRecoveryDamaged, "A recovery file is damaged and cannot be restored. It was set aside:"},
        TextLine{Text::HelpNotShown, kMessage, message::kHelpNotShown, "The help cannot be shown: no program to open it was found. The help page is:"},
        TextLine{Text::PartFileTooLarge, kMessage, message::kPartFileTooLarge, "%1: the file is too large to be a part picture."},
        TextLine{Text::TextNotEncodable, kMessage, message::kTextNotEncodable, "The %1 holds characters that the text encoding %2 cannot hold. Change the text or the text encoding, then save again."},
        TextLine{Text::SystemTextEncoding, kMessage, message::kSystemTextEncoding, "of the system"},
        TextLine{Text::CannotWriteFile, kMessage, message::kCannotWriteFile, "Cannot write %1: %2"},
        TextLine{Text::CannotCreateFile, kMessage, message::kCannotCreateFile, "Cannot create file \"%1\". %2"},
        TextLine{Text::NotUsableBmp, kMessage, message::kNotUsableBmp, kNotUsableBmpTemplate},
        TextLine{Text::FaultInSlot, kMessage, message::kFaultInSlot, kSlotFaultTemplate},
        TextLine{Nth(Text::FirstChannelName, 0), kMessage, message::kFirstChannelName, kChannelNames[0]},
        TextLine{Nth(Text::FirstChannelName, 1), kMessage, message::kFirstChannelName + 1, kChannelNames[1]},
        TextLine{Nth(Text::FirstChannelName, 2), kMessage, message::kFirstChannelName + 2, kChannelNames[2]},
        TextLine{Nth(Text::FirstChannelName, 3), kMessage, message::kFirstChannelName + 3, kChannelNames[3]},
        TextLine{Nth(Text::FirstRoomTextName, 0), kMessage, message::kFirstRoomTextName, kRoomTextNames[0]},
        TextLine{Nth(Text::FirstRoomTextName, 1), kMessage, message::kFirstRoomTextName + 1, kRoomTextNames[1]},
        TextLine{Nth(Text::FirstRoomTextName, 2), kMessage, message::kFirstRoomTextName + 2, kRoomTextNames[2]},
        TextLine{Nth(Text::FirstFormatFault, 0), kMessage, message::kFirstFormatFault, FaultTemplate(FormatFault::BmpTooShort)},
        TextLine{Nth(Text::FirstFormatFault, 1), kMessage, message::kFirstFormatFault + 1, FaultTemplate(FormatFault::BmpNoSignature)},
        TextLine{Nth(Text::FirstFormatFault, 2), kMessage, message::kFirstFormatFault + 2, FaultTemplate(FormatFault::BmpPlanes)},
        TextLine{Nth(Text::FirstFormatFault, 3), kMessage, message::kFirstFormatFault + 3, FaultTemplate(FormatFault::BmpHeaderCut)},
        TextLine{Nth(Text::FirstFormatFault, 4), kMessage, message::kFirstFormatFault + 4, FaultTemplate(FormatFault::BmpHeightOutOfRange)},
        TextLine{Nth(Text::FirstFormatFault, 5), kMessage, message::kFirstFormatFault + 5, FaultTemplate(FormatFault::BmpHeaderSize)},
        TextLine{Nth(Text::FirstFormatFault, 6), kMessage, message::kFirstFormatFault + 6, FaultTemplate(FormatFault::BmpSizeNotPositive)},
        TextLine{Nth(Text::FirstFormatFault, 7), kMessage, message::kFirstFormatFault + 7, FaultTemplate(FormatFault::BmpSizeTooLarge)},
        TextLine{Nth(Text::FirstFormatFault, 8), kMessage, message::kFirstFormatFault + 8, FaultTemplate(FormatFault::BmpDepth)},
        TextLine{Nth(Text::FirstFormatFault, 9), kMessage, message::kFirstFormatFault + 9, FaultTemplate(FormatFault::BmpCompression)},
        TextLine{Nth(Text::FirstFormatFault, 10), kMessage, message::kFirstFormatFault + 10, FaultTemplate(FormatFault::BmpCompressionDepth)},
        TextLine{Nth(Text::FirstFormatFault, 11), kMessage, message::kFirstFormatFault + 11, FaultTemplate(FormatFault::BmpCompressedTopDown)},
        TextLine{Nth(Text::FirstFormatFault, 12), kMessage, message::kFirstFormatFault + 12, FaultTemplate(FormatFault::BmpColourTableTooLong)},
        TextLine{Nth(Text::FirstFormatFault, 13), kMessage, message::kFirstFormatFault + 13, FaultTemplate(FormatFault::BmpColourTableMisplaced)},
        TextLine{Nth(Text::FirstFormatFault, 14), kMessage, message::kFirstFormatFault + 14, FaultTemplate(FormatFault::BmpRunsCut)},
        TextLine{Nth(Text::FirstFormatFault, 15), kMessage, message::kFirstFormatFault + 15, FaultTemplate(FormatFault::BmpRunPastWidth)},
        TextLine{Nth(Text::FirstFormatFault, 16), kMessage, message::kFirstFormatFault + 16, FaultTemplate(FormatFault::BmpOffsetOutside)},
        TextLine{Nth(Text::FirstFormatFault, 17), kMessage, message::kFirstFormatFault + 17, FaultTemplate(FormatFault::BmpOffsetInHeader)},
        TextLine{Nth(Text::FirstFormatFault, 18), kMessage, message::kFirstFormatFault + 18, FaultTemplate(FormatFault::BmpPixelsCut)},
        TextLine{Nth(Text::FirstFormatFault, 19), kMessage, message::kFirstFormatFault + 19, FaultTemplate(FormatFault::BmpSizeTooLargeForRuns)},
        TextLine{Nth(Text::FirstFormatFault, 20), kMessage, message::kFirstFormatFault + 20, FaultTemplate(FormatFault::BmpCoreHeaderMasks)},
        TextLine{Nth(Text::FirstFormatFault, 21), kMessage, message::kFirstFormatFault + 21, FaultTemplate(FormatFault::BmpMasksMisplaced)},
        TextLine{Nth(Text::FirstFormatFault, 22), kMessage, message::kFirstFormatFault + 22, FaultTemplate(FormatFault::BmpMaskNotOneRun)},
        TextLine{Nth(Text::FirstFormatFault, 23), kMessage, message::kFirstFormatFault + 23, FaultTemplate(FormatFault::BmpMaskOutsidePixel)},
        TextLine{Nth(Text::FirstFormatFault, 24), kMessage, message::kFirstFormatFault + 24, FaultTemplate(FormatFault::BmpMaskOverlaps)},
        TextLine{Nth(Text::FirstFormatFault, 25), kMessage, message::kFirstFormatFault + 25, FaultTemplate(FormatFault::EncodeDepth)},
        TextLine{Nth(Text::FirstFormatFault, 26), kMessage, message::kFirstFormatFault + 26, FaultTemplate(FormatFault::EncodePixelCount)},
        TextLine{Nth(Text::FirstFormatFault, 27), kMessage, message::kFirstFormatFault + 27, FaultTemplate(FormatFault::RoomTooShort)},
        TextLine{Nth(Text::FirstFormatFault, 28), kMessage, message::kFirstFormatFault + 28, FaultTemplate(FormatFault::RoomTooLarge)},
        TextLine{Nth(Text::FirstFormatFault, 29), kMessage, message::kFirstFormatFault + 29, FaultTemplate(FormatFault::RoomRecordPastEnd)},
        TextLine{Nth(Text::FirstFormatFault, 30), kMessage, message::kFirstFormatFault + 30, FaultTemplate(FormatFault::RoomRecordSizeTooSmall)},
        TextLine{Nth(Text::FirstFormatFault, 31), kMessage, message::kFirstFormatFault + 31, FaultTemplate(FormatFault::RoomRecordTooLong)},
        TextLine{Nth(Text::FirstFormatFault, 32), kMessage, message::kFirstFormatFault + 32, FaultTemplate(FormatFault::RoomPicturesTooLarge)},
        TextLine{Nth(Text::FirstFormatFault, 33), kMessage, message::kFirstFormatFault + 33, FaultTemplate(FormatFault::RoomTemplateSize)},
        TextLine{Nth(Text::FirstFormatFault, 34), kMessage, message::kFirstFormatFault + 34, FaultTemplate(FormatFault::RoomTextTooLong)},
        TextLine{Text::PictureFileTooLarge, kMessage, message::kPictureFileTooLarge, "the file is %1 bytes long, more than the %2 bytes a picture may have"},
        TextLine{Text::PictureFileUnreadable, kMessage, message::kPictureFileUnreadable, "cannot read the file: %1"},
        TextLine{Text::PictureSizeTooLarge, kMessage, message::kPictureSizeTooLarge, "the picture size %1x%2 is too large"},
        TextLine{Text::PictureReaderFailed, kMessage, message::kPictureReaderFailed, "the picture cannot be read: %1"},
        TextLine{Text::NotAPicture, kMessage, message::kNotAPicture, "not a picture in any format known here"},
        TextLine{Text::NoClipboardPicture, kMessage, message::kNoClipboardPicture, "There is no picture on the clipboard."},
        TextLine{Text::LayeredUnreadable, kMessage, message::kLayeredUnreadable, "The layered picture cannot be read:"},
        TextLine{Text::LayerNamesNoPart, kMessage, message::kLayerNamesNoPart, "Layer \"%1\" names no part: it is left out."},
        TextLine{Text::LayerNotPlain, kMessage, message::kLayerNotPlain, "Layer \"%1\" has an opacity below 1 or a blending mode other than normal: it is taken as normal."},
        TextLine{Text::LayerOutside, kMessage, message::kLayerOutside, "Layer \"%1\": %2 pixels lie outside the place of %3 and are left out."},
        TextLine{Text::LayerCovered, kMessage, message::kLayerCovered, "Layer \"%1\" lies under another layer named %2: it is left out."},
        TextLine{Text::NoLayerNamesAPart, kMessage, message::kNoLayerNamesAPart, "No layer of the file names a part of the room."},
        TextLine{Text::CanvasNotRoom, kMessage, message::kCanvasNotRoom, "The picture is %1x%2 pixels; a room is 320x240."},
    }};
}();

// The lines of each list every language file has.
constexpr int RequiredLines(LanguageTexts::List list)
{
    switch (list) {
    case LanguageTexts::List::MenuItems: return 18;
    case LanguageTexts::List::Labels: return 36;
    case LanguageTexts::List::Messages: return 13;
    }
    return 0;
}

// The English of `text`: what a control newer than the Parts shows until the
// texts are applied.
constexpr const char* EnglishOf(Text text)
{
    return kTextLines[size_t(text)].english;
}

// The line of `text` from the language files: a required line that a file
// lacks throws ListIndexError, a later one gives its English.
QString TextOf(const LanguageTexts& texts, Text text);
// The line, or its English whenever a file lacks it, required or not: for
// what must never fail (the window's title after a change) and for the
// painter, which always showed English for a missing line.
QString TextOrEnglish(const LanguageTexts& texts, Text text);

// What a screen reader and the tool tip call the picture of `slot`, in a
// picture box or on the painter's canvas: "Bed (default), picture".
QString PartPictureName(const LanguageTexts& texts, int slot);

// The line numbered `index` of the messages file (the numbers of
// common/message_lines.h).
constexpr Text MessageLine(int index)
{
    return Nth(Text::NoImageEditor, index);
}

// The core's fault, worded by its own line.
constexpr Text FaultLine(FormatFault fault)
{
    return Nth(Text::FirstFormatFault, int(fault) - 1);
}

}  // namespace velmora
