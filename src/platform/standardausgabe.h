#pragma once

namespace platform {

// Standard output for bytes that are already in their final form (CSV lines ending in CR LF): Windows' text
// mode would add a CR of its own before every LF. Nothing to do elsewhere.
void standardausgabeUnveraendert();

} // namespace platform
