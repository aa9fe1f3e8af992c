// The Edit command: a part in the external image editor.
#include "ui/mainform.h"

#include "common/file_bytes.h"
#include "ui/painter/painter_window.h"
#include "ui/services/paths.h"

#include "ui/services/external_editor.h"
#include "core/image/bmp.h"

#include <QAction>

#include <QFile>
#include <QGuiApplication>

#include <ctime>
#include <optional>

namespace velmora {

namespace {

// Deletes the temporary picture when the command ends, however it ends,
// unless it is to be kept.
class TempFile {
public:
    explicit TempFile(QString path) : path_(std::move(path)) {}
    ~TempFile()
    {
        if (!kept_)
            QFile::remove(path_);
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    const QString& path() const { return path_; }
    void keep() { kept_ = true; }

private:
    QString path_;
    bool kept_ = false;
};

// Hides a window for as long as it lives and shows it again afterwards, if
// it was shown before.
class HiddenWindow {
public:
    explicit HiddenWindow(QWidget& window) : window_(window), wasVisible_(window.isVisible())
    {
        window_.hide();
        // A hidden window is unmapped only when the requests reach the
        // window system; the wait that follows processes nothing.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        QGuiApplication::sync();
    }
    ~HiddenWindow()
    {
        if (!wasVisible_)
            return;
        window_.show();
        window_.activateWindow();
    }
    HiddenWindow(const HiddenWindow&) = delete;
    HiddenWindow& operator=(const HiddenWindow&) = delete;

private:
    QWidget& window_;
    bool wasVisible_;
};

}  // namespace

void TMainForm::EditClick()
{
    const int slot = selectedSlot_;
    const Result<std::optional<QString>> setting = settings_.read(QString::fromLatin1(Settings::kImageEditor));
    if (!setting) {
        showFailure(Attempt::UseSettings, setting.failure());
        return;
    }
    const QString editor = setting.value().value_or(QString());
    if (editor.isEmpty()) {
        showWarning(Text::NoImageEditor);
        return;
    }

    const std::vector<uint8_t> picture = EncodeBmp(document_->picture(slot), ColoursUsedField::EntriesWritten);
    const QString folder = tempFolder();
    const int64_t now = static_cast<int64_t>(std::time(nullptr));
    const Result<QString> created =
        CreateExclusiveFile([&](int attempt) { return TempBitmapPath(folder, now, attempt); }, picture);
    if (!created) {
        showFailure(Attempt::EditPart, created.failure());
        return;
    }
    TempFile temp(created.value());

    Result<void> run;
    {
        HiddenWindow hidden(*this);
        // The painter cannot follow while the wait holds the program either.
        std::optional<HiddenWindow> hiddenPainter;
        if (painter_)
            hiddenPainter.emplace(*painter_);
        run = RunEditor(editor, temp.path());
    }
    if (!run) {
        showFailure(Attempt::EditPart, run.failure());
        return;
    }

    const Result<std::vector<uint8_t>> file = ReadWholeFile(temp.path());
    if (!file) {
        // Far beyond any part's size: kept like any picture of the wrong size.
        if (file.failure().kind == FailureKind::TooLarge)
            temp.keep();
        showFailure(Attempt::EditPart, file.failure());
        return;
    }
    const CheckResult check = checkPartBitmap(file.value(), slot);
    if (check.outcome == CheckOutcome::Refused) {
        // A picture of the wrong size is the user's work: it stays in the
        // temporary folder.
        if (check.kind == CheckKind::WrongSize)
            temp.keep();
        return;
    }
    takePartBitmap(file.value(), slot, temp.path(), StepName(Edit->text()));
}

}  // namespace velmora
