// Stand-in records for the dialog tests: they keep their texts in memory, write every call the
// dialog makes into one shared log ("Estado.LoadRecord(7)", "Ciudad.put_Nombre=Zapopan", ...),
// and store or refuse as the test says, with any ErrorCode, including 0 and negative ones the
// real library never gives.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "contracts/data_objects.h"
#include "runtime/ref.h"

namespace mundor::dialogs::testing {

using CallLog = std::vector<std::string>;

// How the next SaveRecord ends: stored, refused with a code and text, or failed outright.
struct SaveOutcome {
    bool stored = true;
    LONG errorCode = 0;
    std::u16string errorDescription;
    // Recorded as the thread's last run-time error by a refusal, as a library that reports
    // through the platform's error record would.
    std::u16string platformError;
    bool raises = false;  // SaveRecord fails outright with error 20031
};

// What every stand-in record holds.
struct SpyData {
    std::string name;  // the log's prefix
    std::shared_ptr<CallLog> log;
    std::u16string codigo;
    std::u16string nombre;
    std::u16string codigoTel;
    SaveOutcome save;
};

// The three kinds of record. A state's IPais and a city's Estado are stand-ins of their own
// ("Pais", "Estado") writing into the same log.
rt::Ref<nubex::Pais> NewSpyPais(std::shared_ptr<SpyData> data);
rt::Ref<nubex::EdoProv> NewSpyEdoProv(std::shared_ptr<SpyData> data);
rt::Ref<nubex::Ciudad> NewSpyCiudad(std::shared_ptr<SpyData> data);

}  // namespace mundor::dialogs::testing
