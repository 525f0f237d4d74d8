#include "ui/dialogs/QtDialogFactory.h"

std::unique_ptr<IndexDialog> QtDialogFactory::CreateIndexDialog() {
    // The index dialog is not built yet; the document treats a missing dialog as cancelled.
    return nullptr;
}
