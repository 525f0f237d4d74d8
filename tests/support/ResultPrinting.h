#pragma once

#include <ostream>

#include "platform/ResultCodes.h"

// A failed expectation on a result names its family and number instead of dumping its bytes.
inline void PrintTo(EdsImportResult result, std::ostream* out) {
    *out << "import result " << static_cast<int>(result);
}
inline void PrintTo(EdsExportResult result, std::ostream* out) {
    *out << "export result " << static_cast<int>(result);
}
inline void PrintTo(GenerationResult result, std::ostream* out) {
    *out << "generation result " << static_cast<int>(result);
}
