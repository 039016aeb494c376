#pragma once

#include "config/database/ILoadProgress.h"

/// Loading without a window: where only its outcome counts (the command line, a reload under
/// the busy feedback), and the groups it did not read whole say why.
class CQuietProgress final : public ILoadProgress
{
public:
    void Open(int, int) override {}
    void SetText(const std::string&) override {}
    void SetPos(int) override {}
    void Pause(int) override {}
    void Close() override {}
};
