// The numbering of the messages file, which the command-line tool names
// too, and the line each part check answer is shown with. What each line
// says, with its English, is in the editor's table of language lines
// (ui/services/language_lines.h).
#pragma once

#include "core/image/errors.h"
#include "core/room/part_check.h"

namespace velmora {

namespace message {
constexpr int kNoImageEditor = 0;
constexpr int kTempBitmapUnreadable = 1;
constexpr int kOs2Header = 2;
constexpr int kNot8Bit = 3;
constexpr int kCompressed = 4;
constexpr int kNoStandardPalette = 5;
constexpr int kPaletteDiffers = 6;
constexpr int kBadMaskDepth = 7;
constexpr int kCannotOpen = 8;
constexpr int kRoomTooShort = 9;
constexpr int kOutOfMemory = 10;
constexpr int kWrongSize = 11;
constexpr int kUnsavedChanges = 12;
// Lines newer than some language files.
constexpr int kRestoreRecovery = 13;
constexpr int kWrongPictureSize = 14;
constexpr int kPictureUnreadable = 15;
constexpr int kRoomChangedOnSave = 16;
constexpr int kRoomChangedReload = 17;
constexpr int kRecoveryNotWritten = 18;
constexpr int kRecoveryDamaged = 19;
constexpr int kHelpNotShown = 20;
constexpr int kPartFileTooLarge = 21;
constexpr int kTextNotEncodable = 22;
constexpr int kSystemTextEncoding = 23;
constexpr int kCannotWriteFile = 24;
constexpr int kCannotCreateFile = 25;
// The words of the core's errors (FormatFault): the frame of a BMP fault and
// of a fault in one slot, the four colour channels, the three room texts,
// then one line per fault in the order of FormatFault, from BmpTooShort on.
constexpr int kNotUsableBmp = 26;
constexpr int kFaultInSlot = 27;
constexpr int kFirstChannelName = 28;
constexpr int kFirstRoomTextName = 32;
constexpr int kFirstFormatFault = 35;
// Why a picture of any format was not read.
constexpr int kPictureFileTooLarge = kFirstFormatFault + kFormatFaultCount - 1;
constexpr int kPictureFileUnreadable = kPictureFileTooLarge + 1;
constexpr int kPictureSizeTooLarge = kPictureFileTooLarge + 2;
constexpr int kPictureReaderFailed = kPictureFileTooLarge + 3;
constexpr int kNotAPicture = kPictureFileTooLarge + 4;
constexpr int kNoClipboardPicture = kPictureFileTooLarge + 5;
// The whole room through a layered picture.
constexpr int kLayeredUnreadable = kNoClipboardPicture + 1;
constexpr int kLayerNamesNoPart = kLayeredUnreadable + 1;
constexpr int kLayerNotPlain = kLayeredUnreadable + 2;
constexpr int kLayerOutside = kLayeredUnreadable + 3;
constexpr int kLayerCovered = kLayeredUnreadable + 4;
constexpr int kNoLayerNamesAPart = kLayeredUnreadable + 5;
constexpr int kCanvasNotRoom = kLayeredUnreadable + 6;
// The last line the program reads.
constexpr int kLastLine = kCanvasNotRoom;
}  // namespace message

// The message line shown for a part check's answer; -1 for an accepted picture.
int CheckMessageLine(CheckKind kind);

}  // namespace velmora
