#pragma once

#include <optional>
#include <string>

#include "platform/Platform.h"
#include "platform/ResultCodes.h"

// The message box that tells the user how an import, an EDS export or a source generation ended.
struct ResultMessage {
    std::string text;
    std::string caption;
    MsgIcon icon;
};

// The message for how an import (success and 12..25), an EDS export (0..5) or a source generation
// (31..37) ended; nothing for the results that stay silent. The import and export texts name the EDS
// path, the generation texts the source path; a note, when not empty, follows the generation's success
// text after an empty line.
std::optional<ResultMessage> ResultMessageFor(EdsImportResult result, const std::string& edsPath);
std::optional<ResultMessage> ResultMessageFor(EdsExportResult result, const std::string& edsPath);
std::optional<ResultMessage> ResultMessageFor(GenerationResult result, const std::string& sourcePath,
                                              const std::string& note = {});

// Why an import with this result did not succeed, in a few words, for the command-line tool and the
// checker, which report every refusal even where the editor shows no message.
std::string ImportFailureReason(EdsImportResult result);
// Whether the user learns of an import ending with this result from a message box of the import or
// of the result table; the others end without a word in the editor.
bool ImportResultIsShown(EdsImportResult result);

// Show the message for the result (OK button only), if it has one.
void ShowResultMessage(Platform& platform, EdsImportResult result, const std::string& edsPath);
void ShowResultMessage(Platform& platform, EdsExportResult result, const std::string& edsPath);
void ShowResultMessage(Platform& platform, GenerationResult result, const std::string& sourcePath,
                       const std::string& note = {});
