#include "nubex/import/world_file.h"

#include <uuid/uuid.h>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <unordered_set>

#include "nubex/import/gzip_file.h"
#include "nubex/import/import_error.h"
#include "nubex/import/line_reader.h"

namespace nubex::import {
namespace {

// Splits one line into its TAB-separated fields.
std::vector<std::string_view> SplitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    for (;;) {
        const size_t tab = line.find('\t');
        fields.push_back(line.substr(0, tab));
        if (tab == std::string_view::npos) return fields;
        line.remove_prefix(tab + 1);
    }
}

// Rows reserved from the header at most (the world has 158 532); the vector grows past it as
// real rows come.
constexpr size_t kReservedRows = 1 << 18;
constexpr size_t kArenaBlock = 256 * 1024;

bool ParseCount(std::string_view text, std::int64_t& value) {
    if (text.empty()) return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && value >= 0;
}

// Characters, not bytes: a UTF-8 continuation byte does not start a character.
size_t CharacterCount(std::string_view utf8) {
    size_t count = 0;
    for (const char c : utf8) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
    }
    return count;
}

bool AllDigits(std::string_view text) {
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

// Walks the content line by line and builds the checked WorldData.
class WorldParser {
  public:
    WorldParser(LineReader& lines, const std::string& origin, TextArena& arena)
        : lines_(lines), origin_(origin), arena_(arena) {}

    void ParseHeader(WorldData& data) {
        ParseKindLine();
        bool haveNamespace = false;
        bool haveCounts = false;
        while (!haveCounts) {
            if (!NextLine()) Corrupt("falta el encabezado \"counts\"");
            const auto fields = SplitFields(line_);
            if (fields[0] == "source") continue;
            if (fields[0] == "guid-namespace") {
                data.guidNamespace = ParseNamespace(fields);
                haveNamespace = true;
            } else if (fields[0] == "counts") {
                data.counts = ParseCounts(fields);
                haveCounts = true;
            } else {
                Corrupt("encabezado desconocido \"" + std::string(fields[0]) + "\"");
            }
        }
        if (!haveNamespace) Corrupt("falta el encabezado \"guid-namespace\"");
    }

    void ParseBody(WorldData& data) {
        data.rows.reserve(std::min(static_cast<size_t>(data.counts.total()), kReservedRows));
        WorldCounts found;
        while (NextLine()) {
            if (line_.empty()) Corrupt("línea vacía");
            data.rows.push_back(ParseRow(SplitFields(arena_.Keep(line_))));
            Count(data.rows.back().kind, found);
            if (found.paises > data.counts.paises || found.estados > data.counts.estados ||
                found.ciudades > data.counts.ciudades) {
                Corrupt("trae más filas que las que anuncia el encabezado (" +
                        Describe(data.counts) + ")");
            }
        }
        if (!(found == data.counts)) {
            Fail(ImportErrc::kDatasetCorrupt, "está incompleto: el encabezado anuncia " +
                                                  Describe(data.counts) + " y el archivo trae " +
                                                  Describe(found));
        }
    }

  private:
    bool NextLine() {
        std::optional<std::string_view> line;
        try {
            line = lines_.Next();
        } catch (const LineTooLong&) {
            ++lineNumber_;
            Corrupt("la línea pasa de " + std::to_string(kMaxLineBytes) + " bytes");
        }
        if (!line) return false;
        line_ = *line;
        ++lineNumber_;
        return true;
    }

    void ParseKindLine() {
        if (!NextLine()) Fail(ImportErrc::kDatasetCorrupt, "está vacío");
        const auto fields = SplitFields(line_);
        if (fields.size() != 2 || fields[0] != kWorldFileKind) {
            Fail(ImportErrc::kDatasetCorrupt, "no es un archivo de datos del mundo");
        }
        std::int64_t version = 0;
        if (!ParseCount(fields[1], version)) Corrupt("versión de formato ilegible");
        if (version != kWorldFormatVersion) {
            Fail(ImportErrc::kDatasetVersion,
                 "tiene la versión de formato " + std::string(fields[1]) +
                     "; este programa lee la versión " + std::to_string(kWorldFormatVersion));
        }
    }

    std::string ParseNamespace(const std::vector<std::string_view>& fields) {
        uuid_t parsed;
        const std::string text = fields.size() == 2 ? std::string(fields[1]) : std::string();
        if (text.size() != 36 || uuid_parse(text.c_str(), parsed) != 0) {
            Corrupt("espacio de nombres de identificadores no válido");
        }
        return text;
    }

    WorldCounts ParseCounts(const std::vector<std::string_view>& fields) {
        WorldCounts counts;
        if (fields.size() != 4 || !ParseCount(fields[1], counts.paises) ||
            !ParseCount(fields[2], counts.estados) || !ParseCount(fields[3], counts.ciudades)) {
            Corrupt("encabezado \"counts\" no válido");
        }
        for (const std::int64_t count : {counts.paises, counts.estados, counts.ciudades}) {
            if (count > kMaxRowsPerKind) {
                Corrupt("el encabezado \"counts\" anuncia más de " +
                        std::to_string(kMaxRowsPerKind) + " filas de un tipo");
            }
        }
        return counts;
    }

    WorldRow ParseRow(const std::vector<std::string_view>& fields) {
        if (fields[0].size() != 1) Corrupt("tipo de fila desconocido");
        const auto kind = static_cast<RowKind>(fields[0][0]);
        CheckKindAndPlace(kind, fields.size());
        WorldRow row{kind, ParseId(fields[1]), fields[2], {}, fields.back()};
        if (kind == RowKind::kPais) row.codigoTel = fields[3];
        CheckTexts(row);
        if (!idsSeen_[IndexOf(kind)].insert(row.id).second) {
            Corrupt("el identificador " + std::to_string(row.id) + " se repite");
        }
        return row;
    }

    // A state needs a country above it and a city a state; countries have one more field.
    void CheckKindAndPlace(RowKind kind, size_t fieldCount) {
        switch (kind) {
            case RowKind::kPais:
                haveCountry_ = true;
                haveState_ = false;
                if (fieldCount != 5) Corrupt("una fila de país lleva 5 campos");
                return;
            case RowKind::kEdoProv:
                if (!haveCountry_) Corrupt("estado sin país");
                haveState_ = true;
                if (fieldCount != 4) Corrupt("una fila de estado lleva 4 campos");
                return;
            case RowKind::kCiudad:
                if (!haveState_) Corrupt("ciudad sin estado");
                if (fieldCount != 4) Corrupt("una fila de ciudad lleva 4 campos");
                return;
        }
        Corrupt("tipo de fila desconocido");
    }

    std::int64_t ParseId(std::string_view text) {
        std::int64_t id = 0;
        if (!ParseCount(text, id) || id == 0) Corrupt("identificador no válido");
        return id;
    }

    void CheckTexts(const WorldRow& row) {
        if (CharacterCount(row.codigo) > kMaxCodeLength) Corrupt("código demasiado largo");
        if (row.codigoTel.size() > kMaxCodeLength || !AllDigits(row.codigoTel)) {
            Corrupt("código telefónico no válido");
        }
        if (row.nombre.empty()) Corrupt("nombre vacío");
    }

    static size_t IndexOf(RowKind kind) {
        return kind == RowKind::kPais ? 0 : kind == RowKind::kEdoProv ? 1 : 2;
    }

    static void Count(RowKind kind, WorldCounts& counts) {
        if (kind == RowKind::kPais) ++counts.paises;
        if (kind == RowKind::kEdoProv) ++counts.estados;
        if (kind == RowKind::kCiudad) ++counts.ciudades;
    }

    static std::string Describe(const WorldCounts& counts) {
        return std::to_string(counts.paises) + " países, " + std::to_string(counts.estados) +
               " estados y " + std::to_string(counts.ciudades) + " ciudades";
    }

    [[noreturn]] void Corrupt(const std::string& what) {
        Fail(ImportErrc::kDatasetCorrupt,
             "está dañado en la línea " + std::to_string(lineNumber_) + ": " + what);
    }

    [[noreturn]] void Fail(ImportErrc code, const std::string& what) {
        throw ImportError(code, "El archivo de datos \"" + origin_ + "\" " + what + ".");
    }

    LineReader& lines_;
    std::string_view line_;
    size_t lineNumber_ = 0;
    const std::string& origin_;
    TextArena& arena_;
    bool haveCountry_ = false;
    bool haveState_ = false;
    std::unordered_set<std::int64_t> idsSeen_[3];
};

WorldData Parse(LineReader& lines, const std::string& origin) {
    WorldData data;
    WorldParser parser(lines, origin, data.text);
    parser.ParseHeader(data);
    parser.ParseBody(data);
    return data;
}

}  // namespace

std::string_view TextArena::Keep(std::string_view text) {
    if (blocks_.empty() || kArenaBlock - used_ < text.size()) {
        blocks_.push_back(
            std::make_unique_for_overwrite<char[]>(std::max(kArenaBlock, text.size())));
        used_ = 0;
    }
    char* at = blocks_.back().get() + used_;
    std::memcpy(at, text.data(), text.size());
    used_ += text.size();
    return {at, text.size()};
}

WorldData ParseWorld(std::string_view content, const std::string& origin) {
    LineReader lines([&content](char* into, size_t room) {
        const size_t given = std::min(room, content.size());
        std::memcpy(into, content.data(), given);
        content.remove_prefix(given);
        return given;
    });
    return Parse(lines, origin);
}

WorldData ReadWorldFile(const std::string& path) {
    GzipReader file(path);
    LineReader lines([&file](char* into, size_t room) { return file.Read(into, room); });
    return Parse(lines, path);
}

}  // namespace nubex::import
