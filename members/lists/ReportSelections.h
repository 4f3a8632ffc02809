#pragma once

#include "core/Database.h"

// The flags the member reports select on, rewritten just before each showing; each
// rewrite is one transaction, so a failure leaves the previous selection whole.
namespace vb::lists {

// AddOK := 3 on every person who paid a non-zero fee for |year|, 0 on everyone else
// (the members in good standing).
void markSociEffettivi(db::Database& db, int year);

// Validate := 1 on the non-zero fees of |year| - 1 of the persons who have no fee row of
// |year| and gave at least one consent (the members who did not renew); 0 on every other
// fee row.
void markSociDecaduti(db::Database& db, int year);

} // namespace vb::lists
