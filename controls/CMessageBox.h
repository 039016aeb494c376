#pragma once

#include "controls/UserMessage.h"

/// Shows a message with QMessageBox; installed as the message handler by the program.
MsgAnswer ShowMessageBox(const UserMessage& message);
