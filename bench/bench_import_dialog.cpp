// The import dialog following a change of a choice: a 640x480 picture
// scaled to cover the room picture and dithered, the result drawn again.
#include "ui/dialogs/import_picture_form.h"
#include "ui/services/editor_context.h"
#include "ui/services/language_texts.h"
#include "ui/services/prompts.h"
#include "common/settings.h"

#include "core/room/default_room.h"
#include "core/room/slot_table.h"

#include <QComboBox>
#include <QSpinBox>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <random>

namespace velmora::bench {
namespace {

// What the dialog asks of the editor, without a main window: the default
// room, the English fallbacks, settings in a folder of its own.
class BenchEditor : public EditorContext {
public:
    BenchEditor() : pictures_(DefaultRoomPictures()), settings_(folder_.filePath(QStringLiteral("settings.ini"))) {}

    QWidget* dialogParent() override { return nullptr; }
    const RoomPictures& slotPictures() const override { return pictures_; }
    void changeSlots(const QString&, std::vector<SlotPicture>) override {}
    const LanguageTexts& languageTexts() const override { return texts_; }
    void setLanguageCode(const QString&) override {}
    Prompts& prompts() override { return prompts_; }
    const Settings& settings() const override { return settings_; }
    const QString& programFolder() const override { return folderName_; }
    void runCommand(const std::function<void()>& command) override { command(); }
    void showFailure(Attempt, const Failure&) override {}
    void saveRoom() override {}
    void saveRoomAs() override {}
    void checkRoom() override {}

private:
    QTemporaryDir folder_;
    RoomPictures pictures_;
    Settings settings_;
    LanguageTexts texts_;
    WidgetPrompts prompts_{nullptr};
    QString folderName_;
};

void BM_ImportDialog640x480_FS(benchmark::State& state)
{
    RgbaPicture picture{640, 480, std::vector<uint8_t>(size_t(640) * 480 * 4)};
    std::mt19937 random(23);
    for (size_t i = 0; i < picture.pixels.size(); ++i)
        picture.pixels[i] = i % 4 == 3 ? uint8_t{255} : static_cast<uint8_t>(random());
    // The offscreen platform's notes on window hints would fill the report.
    const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    BenchEditor editor;
    TImportPictureForm dialog(editor, picture, slot::RoomImage, QStringLiteral("Import picture"));
    dialog.findChild<QComboBox*>(QStringLiteral("FitSetting"))->setCurrentIndex(int(Fitting::Cover));
    dialog.findChild<QComboBox*>(QStringLiteral("DitherSetting"))->setCurrentIndex(int(Dithering::FloydSteinberg));
    dialog.show();
    auto* alpha = dialog.findChild<QSpinBox*>(QStringLiteral("AlphaSetting"));
    auto* result = dialog.findChild<QWidget*>(QStringLiteral("ResultView"));
    int threshold = 128;
    for (auto _ : state) {
        // Each value a change: the picture is converted again and drawn.
        threshold = threshold == 128 ? 127 : 128;
        alpha->setValue(threshold);
        result->repaint();
    }
    qInstallMessageHandler(previous);
}
BENCHMARK(BM_ImportDialog640x480_FS)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmora::bench
