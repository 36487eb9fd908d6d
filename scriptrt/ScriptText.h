#pragma once
/* The two text layouts that cross the boundary between compiled scripts and
   the run-time. Plain C so that hosts written in C can use them. */
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#pragma pack(push, 1)
/* A script text variable: capacity, length in use, then `capacity`
   single-byte characters. The default variable has capacity 255 (259 bytes). */
typedef struct ScriptText {
  uint16_t capacity;
  uint16_t length;
  char chars[1]; /* really `capacity` bytes */
} ScriptText;

/* A parameter slot or conversion target: length, then the characters. */
typedef struct ScriptPlainText {
  uint16_t length;
  char chars[1]; /* really `length` bytes */
} ScriptPlainText;
#pragma pack(pop)

enum {
  kScriptTextHeader = 4,           /* bytes before the characters */
  kScriptDefaultCapacity = 255,    /* the default text variable ... */
  kScriptDefaultTextBytes = 259,   /* ... and its size in bytes */
  kScriptParameterSlotBytes = 287, /* one slot of a parameter array */
  kScriptParameterMaxChars = 285
};

#ifdef __cplusplus
}
#endif
