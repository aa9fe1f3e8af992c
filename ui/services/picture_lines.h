// Language lines of the import dialog and the clipboard commands, newer than
// some language files: each file's lines follow one base, and each line has
// the English text shown when a file ends before it (LanguageTexts::lineOr).
#pragma once

#include <QString>

#include <cstdint>

namespace velmora {

class LanguageTexts;

namespace picture_lines {

// menuitems.*
constexpr int kMenuBase = 26;
constexpr int kCopyPicture = kMenuBase + 0;
constexpr int kPastePicture = kMenuBase + 1;
constexpr const char* kCopyPictureText = "Copy picture";
constexpr const char* kPastePictureText = "Paste picture";

// messages.*
constexpr int kMessageBase = 75;
constexpr int kNoClipboardPicture = kMessageBase + 0;
constexpr const char* kNoClipboardPictureText = "There is no picture on the clipboard.";

// labels.*: the import dialog.
constexpr int kLabelBase = 66;
constexpr int kOriginal = kLabelBase + 0;
constexpr int kResult = kLabelBase + 1;
constexpr int kFitting = kLabelBase + 2;
constexpr int kFitExact = kLabelBase + 3;  // then contain, cover and crop, in the order of Fitting
constexpr int kDithering = kLabelBase + 7;
constexpr int kDitherNone = kLabelBase + 8;  // then Floyd-Steinberg and ordered, in the order of Dithering
constexpr int kAlphaThreshold = kLabelBase + 11;
constexpr const char* kOriginalText = "Original";
constexpr const char* kResultText = "Result";
constexpr const char* kFittingText = "&Fitting:";
constexpr const char* kFitTexts[] = {"Exact size only", "Scale to fit inside", "Scale to cover, crop the middle",
                                     "1:1 from the top-left"};
constexpr const char* kDitheringText = "&Dithering:";
constexpr const char* kDitherTexts[] = {"None (nearest colour)", "Floyd-Steinberg", "Ordered (8x8 Bayer)"};
constexpr const char* kAlphaThresholdText = "&See-through below alpha:";

}  // namespace picture_lines

// Message 14: the picture's size and the size the slot needs, both as WxH.
QString WrongPictureSizeMessage(const LanguageTexts& texts, int32_t width, int32_t height, int slot);

}  // namespace velmora
