#include "reports/tests/DesignCaptions.h"

namespace vb::reports {
namespace {

TEST(AccountingDesignsTest, FixedCaptionsFitTheirBoxes)
{
    for (const char* report : {"RegistroCassa", "RendCategoria", "RendCodice", "RendCategoriaCodice",
                               "BilancioConsuntivo", "BilancioPrevisionale", "StampaRegistroInventario",
                               "StampaRegistroInventarioScheda"})
        expectFixedCaptionsFit(report);
}

} // namespace
} // namespace vb::reports
