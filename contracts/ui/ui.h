// Everything a window's logic needs of the user-interface platform, in one include.
#pragma once

#include "contracts/ui/controls.h"
#include "contracts/ui/form_definition.h"
#include "contracts/ui/message_box.h"
#include "contracts/ui/toolkit.h"
#include "contracts/ui/tree.h"
#include "contracts/ui/ui_errors.h"
#include "contracts/ui/window.h"
