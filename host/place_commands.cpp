#include "host/place_commands.h"

#include "host/place_record.h"

namespace mundor::host {

namespace {

CommandResult Saved(const PlaceRecord& place) {
    return {CommandResult::Kind::kSaved, place.level, place.sysPk, place.nombre};
}

CommandResult WithKind(CommandResult::Kind kind, Level level, LONG key) {
    return {kind, level, key, {}};
}

}  // namespace

std::optional<LONG> ParentForNew(Level level, const nubex::SearchHit* selected) {
    if (level == Level::kPais) return 0;
    if (!selected) return std::nullopt;
    if (level == Level::kEdoProv) {
        return selected->level == nubex::PlaceLevel::Pais ? selected->sysPk : selected->paisPk;
    }
    switch (selected->level) {
        case nubex::PlaceLevel::EdoProv:
            return selected->sysPk;
        case nubex::PlaceLevel::Ciudad:
            return selected->estadoPk;
        case nubex::PlaceLevel::Pais:
            break;
    }
    return std::nullopt;
}

PlaceCommands::PlaceCommands(FxMembers& fx, rt::Ref<nubex::Catalog> catalog)
    : fx_(fx), catalog_(std::move(catalog)) {}

CommandResult PlaceCommands::Add(Level level, LONG parentKey) {
    rt::Ref<IDispatch> record;  // empty: the launcher adds, and leaves the new record here
    if (!fx_.Launch(level, record, parentKey).AsBool() || !record) {
        return WithKind(CommandResult::Kind::kUnchanged, level, 0);
    }
    return Saved(ReadPlace(level, record));
}

CommandResult PlaceCommands::Modify(Level level, LONG key) {
    std::optional<PlaceRecord> place = LoadPlace(level, *catalog_, key);
    if (!place) return WithKind(CommandResult::Kind::kGone, level, key);
    if (!fx_.Launch(level, place->object, place->parentKey).AsBool()) {
        return WithKind(CommandResult::Kind::kUnchanged, level, key);
    }
    return Saved(ReadPlace(level, place->object));
}

CommandResult PlaceCommands::Delete(Level level, LONG key) {
    std::optional<PlaceRecord> place = LoadPlace(level, *catalog_, key);
    if (!place) return WithKind(CommandResult::Kind::kGone, level, key);
    // A refusal is told by the component's own error box; the place stays as it was.
    const bool deleted = fx_.Remove(level, place->object, true).AsBool();
    return WithKind(deleted ? CommandResult::Kind::kDeleted : CommandResult::Kind::kUnchanged,
                    level, key);
}

void PlaceCommands::Explore() {
    fx_.ExplorerCountry();
}

}  // namespace mundor::host
