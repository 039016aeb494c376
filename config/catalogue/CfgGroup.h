#pragma once

/// The three groups of the configuration that are saved separately.
enum class CfgGroup
{
    System, // middleware: conf_system, conf_ivr_flow
    Device, // conf_dev, conf_vs
    Lines,  // conf_line, conf_sip_account, conf_trunk_item, conf_trunk_match
};
