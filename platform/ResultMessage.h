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

// Shows the message for the code (OK button only), if it has one.
void ShowResultMessage(Platform& platform, int code, const std::string& edsPath,
                       const std::string& sourcePath, const std::string& note = {});
