#pragma once

#include <string>

struct CCfgData;

/// A configuration with something in every setting, list and record kind, and the way to
/// put one on the test server.
namespace SampleConfig {

/// Fills `cfg` with `text` in every text (cut to the room of the fixed fields), integers
/// from the edges of their range, four IVR flows (two equal), two IPO lines, four
/// extensions (two sharing a bucket, one negative), two SIP accounts, a digital and a SIP
/// trunk item and two trunk match rules.
void Fill(CCfgData& cfg, const std::string& text);

/// Replaces the process store with a fresh one and loads it from the database.
void LoadStore();

/// Creates the configuration tables afresh, saves the three groups of `cfg` into them and
/// loads them back into the process store; false (with a warning) on failure.
bool PutOnServer(const CCfgData& cfg);

} // namespace SampleConfig
