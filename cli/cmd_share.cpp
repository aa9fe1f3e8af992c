// animate and sheet: the room's states as an animation (GIF, APNG, WebP) or
// on one sheet (PNG), for web pages and forums.
#include "commands.h"
#include "pac_common.h"
#include "share_options.h"

#include "common/settings.h"
#include "core/render/prepared_room.h"
#include "core/share/animation.h"
#include "core/share/frames.h"
#include "core/share/png_chunks.h"
#include "core/share/share_states.h"
#include "core/share/sheet.h"
#include "imageio/sheet_labels.h"

#include <QFile>

#include <cstring>

namespace velmora::pac {

namespace {

QCommandLineOption Valued(const char* name, const char* help, const char* value)
{
    return QCommandLineOption(QString::fromLatin1(name), QString::fromLatin1(help), QString::fromLatin1(value));
}

// A whole number from `low` to `high`; `fallback` when not given.
int Number(const char* option, const QString& text, int low, int high, int fallback, const char* unit)
{
    if (text.isEmpty())
        return fallback;
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < low || n > high)
        UsageError(std::string("--") + option + " takes " + unit + " from " + std::to_string(low) + " to " +
                   std::to_string(high) + ", not \"" + Local(text) + "\"");
    return n;
}

enum class AnimationFormat { Gif, Apng, Webp };

AnimationFormat FormatOf(const QString& out)
{
    const QString lower = out.toLower();
    if (lower.endsWith(QLatin1String(".gif")))
        return AnimationFormat::Gif;
    if (lower.endsWith(QLatin1String(".png")) || lower.endsWith(QLatin1String(".apng")))
        return AnimationFormat::Apng;
    if (lower.endsWith(QLatin1String(".webp")))
        return AnimationFormat::Webp;
    UsageError("cannot tell the format of \"" + Local(out) + "\": name it .gif, .png or .webp");
}

PreviewState BaseState(const Options& o)
{
    PreviewState state;
    state.night = o.night;
    state.lettersAndBubble = o.letters;
    if (!o.door.isEmpty())
        state.door = Choice<DoorState>(QStringLiteral("door"), o.door,
                                       {{"closed", DoorState::Closed}, {"half", DoorState::HalfOpen},
                                        {"open", DoorState::Open}});
    if (!o.tbox.isEmpty())
        state.treasureBoxOpen = Choice<bool>(QStringLiteral("tbox"), o.tbox, {{"closed", false}, {"open", true}});
    if (!o.bed.isEmpty())
        state.bedSleeping = Choice<bool>(QStringLiteral("bed"), o.bed, {{"default", false}, {"sleeping", true}});
    return state;
}

std::vector<Sequence> Sequences(const QString& list)
{
    if (list.isEmpty())
        UsageError("animate needs --sequence door, time, tbox, bed or letters (several joined by commas)");
    std::vector<Sequence> sequences;
    for (const QString& name : list.split(QLatin1Char(','))) {
        const std::optional<Sequence> s = SequenceNamed(Local(name.trimmed()));
        if (!s)
            UsageError("--sequence takes door, time, tbox, bed or letters, not \"" + Local(name) + "\"");
        sequences.push_back(*s);
    }
    return sequences;
}

// The words of the language the editor shows (its setting, else English),
// or of `code`; a line the file lacks stays English.
StateWords WordsOf(QString code)
{
    if (code.isEmpty()) {
        const Result<std::optional<QString>> chosen = Settings().read(QString::fromLatin1(Settings::kLanguage));
        code = chosen && chosen.value() ? *chosen.value() : QStringLiteral("en");
    }
    StateWords w = EnglishStateWords();
    QFile file(ProgramFolder() + QStringLiteral("/ltexts/labels.") + code);
    if (!file.open(QIODevice::ReadOnly))
        Fail(file.fileName(), "cannot open the language file: " + Local(file.errorString()));
    QStringList lines = QString::fromUtf8(file.read(1024 * 1024)).split(QLatin1Char('\n'));
    for (QString& line : lines)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    // The labels lines the check dialog shows these words with.
    const std::pair<QString*, int> taken[] = {
        {&w.fontFace, 0}, {&w.daytime, 19}, {&w.nighttime, 20},   {&w.door, 21},         {&w.closed, 22},
        {&w.halfOpen, 23}, {&w.open, 24},   {&w.treasureBox, 25}, {&w.bed, 26},          {&w.defaultLook, 27},
        {&w.sleeping, 28}, {&w.lettersAndBubble, 34}};
    for (const auto& [word, line] : taken)
        if (line < lines.size() && !lines[line].isEmpty())
            *word = lines[line];
    return w;
}

}  // namespace

ShareOptions::ShareOptions(QCommandLineParser& parser)
    : sequence_(Valued("sequence", "animate: door, time, tbox, bed, letters; several joined by commas", "names")),
      scale_(Valued("scale", "animate, sheet: every room pixel as N x N (1-8)", "N")),
      delay_(Valued("delay", "animate: milliseconds each frame shows (default 500)", "MS")),
      hold_(Valued("hold", "animate: milliseconds the last frame shows (default the delay)", "MS")),
      loop_(Valued("loop", "animate: plays N times, 0 for ever (the default)", "N")),
      pingpong_(QStringLiteral("pingpong"), QStringLiteral("animate: play back again without repeating the ends")),
      columns_(Valued("columns", "sheet: tiles in a row (default 6)", "N")),
      gap_(Valued("gap", "sheet: white pixels between and around tiles (default 8)", "N")),
      labels_(QStringLiteral("labels"), QStringLiteral("sheet: each state's name under its tile")),
      language_(Valued("language", "sheet --labels: the language's words (default the editor's)", "code"))
{
    parser.addOptions({sequence_, scale_, delay_, hold_, loop_, pingpong_, columns_, gap_, labels_, language_});
}

void ShareOptions::checkFor(const QString& command, const QCommandLineParser& parser) const
{
    const bool animate = command == QLatin1String("animate"), sheet = command == QLatin1String("sheet");
    for (const QCommandLineOption* o : {&sequence_, &delay_, &hold_, &loop_, &pingpong_})
        if (!animate && parser.isSet(*o))
            UsageError("--" + Local(o->names().first()) + " belongs to animate (see --help)");
    for (const QCommandLineOption* o : {&columns_, &gap_, &labels_, &language_})
        if (!sheet && parser.isSet(*o))
            UsageError("--" + Local(o->names().first()) + " belongs to sheet (see --help)");
    if (!animate && !sheet && parser.isSet(scale_))
        UsageError("--scale belongs to animate and sheet (see --help)");
}

void ShareOptions::read(const QCommandLineParser& parser, Options& o) const
{
    o.sequence = parser.value(sequence_);
    o.scale = parser.value(scale_);
    o.delay = parser.value(delay_);
    o.hold = parser.value(hold_);
    o.loop = parser.value(loop_);
    o.pingpong = parser.isSet(pingpong_);
    o.columns = parser.value(columns_);
    o.gap = parser.value(gap_);
    o.labels = parser.isSet(labels_);
    o.language = parser.value(language_);
}

bool NeedsFonts(int argc, char** argv)
{
    bool sheet = false, labels = false;
    for (int i = 1; i < argc; ++i) {
        sheet = sheet || std::strcmp(argv[i], "sheet") == 0;
        labels = labels || std::strcmp(argv[i], "--labels") == 0;
    }
    return sheet && labels;
}

int RunAnimate(const QStringList& args, const Options& options)
{
    if (!options.format.isEmpty())
        UsageError("--format belongs to render (see --help)");
    const AnimationFormat format = FormatOf(args[1]);
    const std::vector<Sequence> sequences = Sequences(options.sequence);
    const PreviewState base = BaseState(options);
    const int scale = Number("scale", options.scale, kMinScale, kMaxScale, 1, "a whole number");
    const int delay = Number("delay", options.delay, 10, kMaxDelayMs, 500, "milliseconds");
    const int hold = Number("hold", options.hold, 10, kMaxDelayMs, delay, "milliseconds");
    const int plays = Number("loop", options.loop, 0, kMaxPlays, 0, "a number of plays");

    const Room room = ReadRoom(args[0]);
    const PreparedRoom prepared(room.pictures);
    const std::vector<PreviewState> states = SequenceStates(sequences, base, options.pingpong);
    const Animation animation = MakeAnimation(ComposeFrames(prepared, states, scale), delay, hold, plays);
    std::vector<uint8_t> bytes;
    try {
        bytes = format == AnimationFormat::Gif    ? EncodeGif(animation)
                : format == AnimationFormat::Apng ? EncodeApng(animation)
                                                  : EncodeWebp(animation);
    } catch (const AnimationError& e) {
        Fail(args[1], e.what());
    }
    SaveWholeFile(args[1], bytes);
    return kSuccess;
}

int RunSheet(const QStringList& args, const Options& options)
{
    if (!args[1].toLower().endsWith(QLatin1String(".png")))
        UsageError("the sheet is a PNG: name it .png, not \"" + Local(args[1]) + "\"");
    SheetLayout layout;
    layout.scale = Number("scale", options.scale, kMinScale, kMaxScale, 1, "a whole number");
    layout.columns = Number("columns", options.columns, 1, kMaxColumns, 6, "a number of tiles");
    layout.gap = Number("gap", options.gap, 0, kMaxGap, 8, "pixels");
    if (options.labels)
        layout.labelHeight = LabelHeight(layout.scale);
    if (layout.width() * layout.height() > kMaxSheetPixels)
        UsageError("the sheet would be " + SizeText(int32_t(layout.width()), int32_t(layout.height())) +
                   " pixels, more than " + std::to_string(kMaxSheetPixels) + ": take a smaller --scale or other --columns");
    if (!options.labels && !options.language.isEmpty())
        UsageError("--language belongs to sheet --labels (see --help)");
    const StateWords words = options.labels ? WordsOf(options.language) : StateWords{};

    const Room room = ReadRoom(args[0]);
    const PreparedRoom prepared(room.pictures);
    const Bitmap sheet = options.labels ? ComposeLabelledSheet(prepared, layout, words) : ComposeSheet(prepared, layout);
    SaveWholeFile(args[1], EncodeIndexedPng(sheet));
    return kSuccess;
}

}  // namespace velmora::pac
