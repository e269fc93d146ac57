// One-time conversion of the old single storage CROS/GratCROS.bmp (601 x 601, 15 x 15 cells on a
// pitch of 40, shapes up to 39 x 39) into numbered storages of the current format.
//
// Occupied old cells (first interior row not of one colour), counted row by row, go in order into
// the cells of blank storages; each full storage of 100 takes the lowest free number, so gaps are
// filled first. The old file is deleted after a successful conversion, and also when it is not an
// old storage at all (wrong size or no black line crossing at (40, 40)); when reading or writing
// fails it stays, together with the storages already written.
#pragma once

#include "platform/Dialogs.h"
#include "platform/Files.h"

#include <vector>

namespace vez {

struct OldStoreConversion {
    enum Outcome { kNoOldStore, kConverted, kWrongFormat, kFailed };
    Outcome outcome = kNoOldStore;
    std::vector<int> written; // storage numbers written, in order
};

// Converts CROS/GratCROS.bmp when it exists, telling the user as it goes.
OldStoreConversion ConvertOldStore(const fs::path& home, Dialogs& dialogs);

} // namespace vez
