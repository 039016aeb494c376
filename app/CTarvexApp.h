#pragma once

/// The start-up sequence: one instance per application name, the data source dialog,
/// the configuration load and the main window.
class CTarvexApp
{
public:
    /// Runs the whole program; false in every case, as nothing runs after it.
    bool InitInstance();
};
