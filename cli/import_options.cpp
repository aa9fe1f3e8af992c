// import's choices of fitting, dithering and the alpha threshold.
#include "pac_common.h"
#include "picture_io.h"

namespace velmora::pac {

ImportChoices ParseImportChoices(const QString& fit, const QString& dither, const QString& alpha)
{
    ImportChoices choices;
    if (!fit.isEmpty())
        choices.fit = Choice<Fitting>(QStringLiteral("fit"), fit,
                                      {{"exact", Fitting::Exact}, {"contain", Fitting::Contain},
                                       {"cover", Fitting::Cover}, {"crop", Fitting::Crop}});
    if (!dither.isEmpty())
        choices.dither = Choice<Dithering>(QStringLiteral("dither"), dither,
                                           {{"none", Dithering::None}, {"fs", Dithering::FloydSteinberg},
                                            {"ordered", Dithering::Ordered}});
    if (!alpha.isEmpty()) {
        bool ok = false;
        const uint threshold = alpha.toUInt(&ok);
        if (!ok || threshold > 255)
            UsageError("--alpha takes a number from 0 to 255, not \"" + Local(alpha) + "\"");
        choices.alphaThreshold = uint8_t(threshold);
    }
    return choices;
}

}  // namespace velmora::pac
