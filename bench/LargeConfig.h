#pragma once

struct CCfgData;

/// The large configuration the benchmarks time, as a big site has it.

/// The lines only: 10,000 extensions and 2,000 each of SIP accounts, trunk items and trunk
/// match rules; every other member at its default.
void FillLargeLines(CCfgData& cfg);

/// Everything: every setting, 200 IVR flows, 1,000 IPO lines, and the lines above.
void FillLargeConfiguration(CCfgData& cfg);
