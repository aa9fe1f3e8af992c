#include "common/message_lines.h"

namespace velmora {

int CheckMessageLine(CheckKind kind)
{
    switch (kind) {
    case CheckKind::None: return -1;
    case CheckKind::WrongSize: return message::kWrongSize;
    case CheckKind::CoreHeader: return message::kOs2Header;
    case CheckKind::PictureDepth: return message::kNot8Bit;
    case CheckKind::Compressed: return message::kCompressed;
    case CheckKind::MaskDepth: return message::kBadMaskDepth;
    case CheckKind::PaletteMissing: return message::kNoStandardPalette;
    case CheckKind::PaletteDiffers: return message::kPaletteDiffers;
    }
    return -1;
}

}  // namespace velmora
