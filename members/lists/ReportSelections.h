#pragma once

#include "core/Database.h"

// The flags the member reports select on, rewritten just before each showing; each
// rewrite is one transaction that writes only the rows whose flag changes, so a failure
// leaves the previous selection whole. Each returns the number of rows written.
namespace vb::lists {

// AddOK := 3 on every person who paid a non-zero fee for |year|, 0 on everyone else
// (the members in good standing).
int markSociEffettivi(db::Database& db, int year);

// Validate := 1 on the non-zero fees of |year| - 1 of the persons who have no fee row of
// |year| and gave at least one consent (the members who did not renew); 0 on every other
// fee row.
int markSociDecaduti(db::Database& db, int year);

} // namespace vb::lists
