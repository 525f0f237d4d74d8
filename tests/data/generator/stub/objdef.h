/* Test stand-in for the stack's table builder: declares the RAM initialisation function the source
   file names and expands the dictionary header. */
#ifndef STUB_OBJDEF_H
#define STUB_OBJDEF_H

void OBD_INIT_RAM_NAME(void);

#include "objdict.h"

#endif
