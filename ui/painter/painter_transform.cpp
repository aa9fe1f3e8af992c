// The painter's Transform menu: flips, turns and scale of the selection
// (the whole picture without one), and an outline round what is opaque.
// Each is one step, named by its caption.
#include "ui/painter/painter_window.h"

#include "ui/services/editor_context.h"
#include "ui/services/language_texts.h"
#include "ui/services/prompts.h"

#include "core/paint/transform.h"

#include <QAction>
#include <QMenu>

namespace velmora {

void PainterWindow::createTransformMenu(QMenu* transform)
{
    auto named = [this](Text text) { return StepName(TextOrEnglish(texts_, text)); };
    auto add = [this, transform, named](Text text, std::function<PaintPicture(const PaintPicture&)> how) {
        bind(makeAction(transform, text), [this, text, how, named] { session_->transformSelection(how, named(text)); });
    };
    add(Text::FlipHorizontally, FlippedHorizontally);
    add(Text::FlipVertically, FlippedVertically);
    add(Text::RotateClockwise, [](const PaintPicture& b) { return Turned(b, Turn::Clockwise); });
    add(Text::RotateAnticlockwise, [](const PaintPicture& b) { return Turned(b, Turn::Anticlockwise); });
    add(Text::RotateHalf, [](const PaintPicture& b) { return Turned(b, Turn::Half); });
    bind(makeAction(transform, Text::ScaleSelection), [this, named] {
        const QStringList factors{QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")};
        const std::optional<int> chosen = editor_.prompts().chooseItem(TextOrEnglish(texts_, Text::ScaleBy), factors, 0);
        if (!chosen)
            return;
        const int32_t factor = *chosen + 2;
        session_->transformSelection([factor](const PaintPicture& b) { return Scaled(b, factor); },
                                     named(Text::ScaleSelection));
    });
    transform->addSeparator();
    for (Text text : {Text::OutlineFour, Text::OutlineEight})
        bind(makeAction(transform, text), [this, text, named] {
            const PaintValue colour = session_->maskAlone() ? PaintValue{255} : PaintValue{foreground_};
            session_->outlineSelection(colour, text == Text::OutlineEight, named(text));
        });
}

}  // namespace velmora
