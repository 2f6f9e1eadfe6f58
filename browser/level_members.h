// Which members serve each level of the tree: the record class a node's key loads, the facade's
// launcher and delete for it, and the member of a loaded record that yields its parent. The
// browser's commands look them up here rather than branch on the level in every step.
#pragma once

#include <string_view>

#include "browser/node_scheme.h"
#include "runtime/com_types.h"

namespace mundor::browser {

struct LevelMembers {
    std::u16string_view prefix;  // of the level's node keys
    const CLSID& recordClass;    // Pais, EdoProv or Ciudad
    std::u16string_view launcher;
    std::u16string_view deleter;
    std::u16string_view parent;  // IPais, Estado; empty for a country, which has none
};

const LevelMembers& MembersOf(NodeLevel level);

}  // namespace mundor::browser
