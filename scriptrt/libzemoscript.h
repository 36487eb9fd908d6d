#pragma once
/* The script run-time library for programs that host compiled scripts or call
   its functions from C or C++. Compile and link with
     cc host.c $(pkg-config --cflags --libs libzemoscript)
   A host that loads it at run time opens "libzemoscript.so.1" (or
   "libzemoscript.so" where the development link is installed). */
#include "scriptrt/ScriptExports.h"

#define LIBZEMOSCRIPT_SONAME "libzemoscript.so.1"
