#pragma once

#include "config/database/ILoadProgress.h"

#include <string>
#include <vector>

/// Keeps what loading shows in its progress window, one line per call
/// ("open 0-7", "text ...", "pos 3", "pause 1500", "close"); pauses take no time.
class RecordingProgress final : public ILoadProgress
{
public:
    void Open(int low, int high) override
    {
        m_events.push_back("open " + std::to_string(low) + "-" + std::to_string(high));
    }
    void SetText(const std::string& text) override { m_events.push_back("text " + text); }
    void SetPos(int position) override { m_events.push_back("pos " + std::to_string(position)); }
    void Pause(int milliseconds) override { m_events.push_back("pause " + std::to_string(milliseconds)); }
    void Close() override { m_events.push_back("close"); }

    const std::vector<std::string>& Events() const { return m_events; }

private:
    std::vector<std::string> m_events;
};
