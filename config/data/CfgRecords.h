#pragma once

#include <cstddef>
#include <string>

/// An IVR flow, a row of conf_ivr_flow: the path of its file.
struct tagIvrFlow
{
    std::string FilePath;
};

/// An extension, a row of conf_line of type 0: its number and its access password.
struct tagExten
{
    int id = 0;
    std::string value;
};

/// One IPO line, a row of conf_vs.
struct tagIpoLine
{
    std::string value;  // line number
    std::string name;   // "EXT", "IVR", "FAX" (extension lines) or "DT", "H323", "SIP" (trunk lines)
    std::string value2; // associated VS line, decimal text or empty
};

/// A SIP registration account, a row of conf_sip_account.
struct tagSIP_ACCOUNT
{
    int id = 0;
    char account[50] = {};
    char auth_account[50] = {};
    char password[30] = {};
    char proxy_addr[50] = {};
    int proxy_port = 0;
    bool reg = false;
    int reg_interval = 0;
};

/// A trunk item, a row of conf_trunk_item: a digital trunk by node, board and span, or a
/// SIP trunk by the id of a SIP account; the fields that do not apply hold -1.
struct tagTRUNK_ITEM
{
    int id = 0;
    int node = 0;
    int board = 0;
    int span = 0;
    int sip_user = 0;
};

/// A trunk match rule, a row of conf_trunk_match.
struct tagTRUNK_MATCH
{
    int id = 0;
    char prefix[8] = {};
    char caller[24] = {};
    int trunk_id = 0;
    int priority = 0;
};

/// Copies `text` into a fixed character field, cut to the field's room (its size less the
/// terminating NUL) at a UTF-8 character boundary, so a cut never leaves half a character.
void CopyToField(char* field, std::size_t fieldSize, const std::string& text);

template <std::size_t N> void CopyToField(char (&field)[N], const std::string& text)
{
    CopyToField(field, N, text);
}
