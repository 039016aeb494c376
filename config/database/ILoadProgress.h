#pragma once

#include <string>

/// The window that shows how far loading has come. Loading opens it, moves it along and
/// closes it; the GUI implements it, tests record it.
class ILoadProgress
{
public:
    virtual ~ILoadProgress() = default;

    /// Creates and shows the window with its bar running from `low` to `high`.
    virtual void Open(int low, int high) = 0;
    virtual void SetText(const std::string& text) = 0;
    virtual void SetPos(int position) = 0;
    /// Keeps what is shown in view for `milliseconds`; nothing else runs meanwhile.
    virtual void Pause(int milliseconds) = 0;
    /// Destroys the window.
    virtual void Close() = 0;
};
