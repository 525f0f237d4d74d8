#pragma once

#include <optional>
#include <string>

#include "platform/Platform.h"

// The message box that tells the user how an import, an EDS export or a source generation ended.
struct ResultMessage {
    std::string text;
    std::string caption;
    MsgIcon icon;
};

// The message for a result code of the importer (11..25), the EDS writer (0..5) or the generator
// (31..37); nothing for the codes that stay silent. The EDS path fills the import and export texts,
// the source path the generation texts.
// A note, when not empty, follows the generation's success text after an empty line.
std::optional<ResultMessage> ResultMessageFor(int code, const std::string& edsPath,
                                              const std::string& sourcePath, const std::string& note = {});

// Why an import with this result (12..25) did not succeed, in a few words, for the command-line tool
// and the checker, which report every refusal even where the editor shows no message.
std::string ImportFailureReason(int code);
// Whether the user learns of an import ending with this result from a message box of the import or
// of the result table; the others end without a word in the editor.
bool ImportResultIsShown(int code);

// Shows the message for the code (OK button only), if it has one.
void ShowResultMessage(Platform& platform, int code, const std::string& edsPath,
                       const std::string& sourcePath, const std::string& note = {});
