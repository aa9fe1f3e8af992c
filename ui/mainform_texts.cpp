// The window in the chosen language: every caption, the font, the boxes'
// names, and the painter's texts.
#include "ui/mainform.h"

#include "ui/painter/painter_window.h"
#include "ui/services/language_lines.h"
#include "ui/services/paths.h"
#include "ui/widgets/dialog_font.h"
#include "ui/widgets/picture_box.h"
#include "ui/widgets/room_text_edit.h"

#include <QAction>
#include <QLabel>
#include <QMenu>

#include <array>
#include <utility>

namespace velmora {

void TMainForm::applyTexts()
{
    texts_.load(LanguageTexts::List::MenuItems, MenuItemsPath(programFolder_, languageCode_));
    texts_.load(LanguageTexts::List::Labels, LabelsPath(programFolder_, languageCode_));
    texts_.load(LanguageTexts::List::Messages, MessagesPath(programFolder_, languageCode_));

    // Lines newer than some language files show their English there (TextOf).
    const std::array<std::pair<QMenu*, Text>, 5> menus = {{
        {FileMenu, Text::FileMenu},
        {RecentRooms, Text::RecentRooms},
        {EditMenu, Text::EditMenu},
        {Config, Text::ConfigMenu},
        {Help, Text::HelpMenu},
    }};
    for (const auto& [menu, text] : menus)
        menu->setTitle(TextOf(texts_, text));
    const std::array<std::pair<QAction*, Text>, 25> actions = {{
        {OpenRoomFile, Text::OpenRoomFile},
        {Save, Text::Save},
        {SaveRoomFile, Text::SaveRoomFile},
        {ShowCheck, Text::ShowCheck},
        {ExportLayers, Text::ExportLayers},
        {ImportLayers, Text::ImportLayers},
        {Exit, Text::Exit},
        {EditorSet, Text::EditorSet},
        {LanguageSet, Text::LanguageSet},
        {TextEncodingSet, Text::TextEncodingSet},
        {DoubleClickSet, Text::DoubleClickSet},
        {Contents, Text::Contents},
        {About, Text::About},
        // The part menu.
        {Edit, Text::EditPart},
        {OpenPFile, Text::OpenPFile},
        {SavePFile, Text::SavePFile},
        {CopyImage, Text::CopyImage},
        {CreateMask, Text::CreateMask},
        {CopyData, Text::CopyData},
        {PasteParts, Text::PasteParts},
        {ImportPicture, Text::ImportPicture},
        {ExportPicture, Text::ExportPicture},
        {CopyPicture, Text::CopyPicture},
        {PastePicture, Text::PastePicture},
        {Paint, Text::Paint},
    }};
    for (const auto& [action, text] : actions)
        action->setText(TextOf(texts_, text));
    refreshHistoryActions();

    // Qt's own buttons and file dialogs in the same language, where Qt has it.
    qtTranslations_.apply(languageCode_);
    const QString face = TextOf(texts_, Text::FontFace);
    SetFace(this, face);
    updateTitle();
    for (size_t i = 0; i < captions_.size(); ++i) {
        captions_[i]->setText(TextOf(texts_, Nth(Text::WindowViewsCaption, static_cast<int>(i))));
        SetFace(captions_[i], face);
    }
    const QString limitText = TextOf(texts_, Text::TextLimit);
    for (RoomTextEdit* field : fields_) {
        SetFace(field, face);
        field->setLimitText(limitText);
    }
    nameBoxes();
    if (painter_)
        painter_->applyTexts();
}

void TMainForm::nameBoxes()
{
    for (int slot = 0; slot < PartSlotTable::kSlotCount; ++slot) {
        const QString name = PartPictureName(texts_, slot);
        PictureBox* box = boxes_[static_cast<size_t>(slot)];
        box->setAccessibleName(name);
        box->setToolTip(name);
    }
}

}  // namespace velmora
