// The check dialog's Animate... and Sheet...: the room's states as an
// animation that plays here as a browser plays it, or the sheet of every
// state, and Save As.
#pragma once

#include "ui/widgets/fixed_dialog.h"

#include "core/render/prepared_room.h"
#include "core/share/animation.h"

#include <QTimer>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace velmora {

class PixelView;

class TShareForm : public FixedDialog {
    Q_OBJECT
public:
    enum class Kind { Animation, Sheet };
    enum Format { kGif, kApng, kWebp };

    // `room` and `base` (the check dialog's state) stay as they are while
    // this dialog is open.
    TShareForm(EditorContext& editor, Kind kind, const PreparedRoom& room, const PreviewState& base);

    void FormShow() override;
    // Makes the animation or the sheet the controls ask for and starts playing it.
    void SettingsChanged();
    // Saves it in the format the file dialog's filter names.
    void SaveBtnClick();

    // What is played: the animation at the chosen scale, or the sheet as its
    // one frame. The preview shows frame `shownFrame()`.
    const Animation& animation() const { return animation_; }
    int shownFrame() const { return frame_; }
    bool playing() const { return timer_.isActive(); }

private:
    void showFrame(int frame);
    void nextFrame();

    Kind kind_;
    const PreparedRoom& room_;
    PreviewState base_;
    Animation animation_;
    int frame_ = 0;
    int playsDone_ = 0;
    QTimer timer_;
    QString saveName_;

    PixelView* Preview = nullptr;
    QLabel* PlayLabel = nullptr;
    std::vector<QCheckBox*> SequenceChecks;
    QCheckBox* PingpongCheck = nullptr;
    QLabel* ScaleLabel = nullptr;
    QSpinBox* ScaleSetting = nullptr;
    QLabel* DelayLabel = nullptr;
    QSpinBox* DelaySetting = nullptr;
    QLabel* PlaysLabel = nullptr;
    QSpinBox* PlaysSetting = nullptr;
    QLabel* FormatLabel = nullptr;
    QComboBox* FormatSetting = nullptr;
    QLabel* ColumnsLabel = nullptr;
    QSpinBox* ColumnsSetting = nullptr;
    QLabel* GapLabel = nullptr;
    QSpinBox* GapSetting = nullptr;
    QCheckBox* NamesCheck = nullptr;
    QPushButton* SaveBtn = nullptr;
    QPushButton* OkBtn = nullptr;
};

}  // namespace velmora
