#include "reports/tests/DesignCaptions.h"

namespace vb::reports {
namespace {

TEST(MembersDesignsTest, FixedCaptionsFitTheirBoxes)
{
    for (const char* report :
         {"ReportQuoteSociali", "StampaSociEffettivi", "StampaSociDecaduti", "StampaSoci", "ReportCompleanni"})
        expectFixedCaptionsFit(report);
}

} // namespace
} // namespace vb::reports
