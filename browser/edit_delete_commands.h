// Modify and Eliminar: the commands on the selected node of any level. Neither catches an error
// of its own: what the data library, the facade or the tree raises leaves the command, for the
// window's event handling to report.
#pragma once

#include "browser/command_context.h"

namespace mundor::browser {

// Opens the node's record in its level's dialog, with the parent key the record itself gives;
// when the user saves, only the node's text changes: its key, place and children stay.
void EditSelected(const CommandContext& context);

// Refuses a node that has children in the tree (a placeholder counts) before any record is read;
// otherwise has the facade delete the node's record, confirming with the user, and removes
// exactly that node once the record is gone.
void DelSelected(const CommandContext& context);

}  // namespace mundor::browser
