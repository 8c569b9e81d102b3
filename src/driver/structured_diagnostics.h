// The machine-readable forms of the diagnostics: --diagnostics=json writes
// each as one JSON object on a line of standard error as it comes;
// --diagnostics=sarif holds them and writes one SARIF 2.1.0 log at the end.
// Their fields are described in docs/diagnostics.schema.json.
#pragma once
#include "driver/diagnostic_record.h"

namespace tobra {

class Assembler;

// The version of the JSON objects' fields, raised when a field changes meaning.
inline constexpr int DIAGNOSTICS_FORMAT_VERSION = 1;

void emit_structured(Assembler& as, DiagnosticRecord&& d);
void write_sarif_log(Assembler& as);

} // namespace tobra
