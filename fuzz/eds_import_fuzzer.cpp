#include "FuzzMain.h"

QM_FUZZ_TARGET(FuzzEdsImport)
