// Switches of the save routine for its tests; the programs never use them.
#pragma once

namespace zolt {

// With false, saves skip unnamed temporary files (O_TMPFILE) and take the
// route of file systems that have none: a named temporary in the target's
// folder. True again restores the normal choice.
void allowUnnamedTemporaries(bool allowed);

} // namespace zolt
