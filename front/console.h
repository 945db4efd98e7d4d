// SPDX-License-Identifier: MIT
// The platform's console set-up, which main makes before either mode runs.
#ifndef FRONT_CONSOLE_H
#define FRONT_CONSOLE_H

#include <cstdio>

// Sets up the standard streams alike on every platform: bytes in and out as
// they are, and output to a terminal written out at every write. Call it
// before anything is read or written.
void OpenConsole();

#endif
