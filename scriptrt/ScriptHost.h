#pragma once
/* What a program that hosts compiled scripts installs into the run-time:
   dialogs and keyboard queries, debugger hooks, the memory regions scripts may
   touch, the port backend and the application folder of the file guard.
   Every pointer may be null; a missing piece gives the no-host answer
   (cancel, "not pressed", size 0, no effect). */
#include <stdint.h>

#include "scriptrt/ScriptText.h"

#ifdef __cplusplus
extern "C" {
#endif

#if defined(ZEMOSCRIPT_BUILDING)
#define ZEMO_API __attribute__((visibility("default")))
#else
#define ZEMO_API
#endif

/* Key state bits, as GetAsyncKeyState reports them. */
enum { kScriptKeyPressedSinceLastQuery = 0x0001, kScriptKeyDown = 0x8000 };

typedef struct ScriptHost {
  void* context;
  /* Modal date picker; returns non-zero on OK and stores the chosen date. */
  int (*ChooseDate)(void* context, const char* title, double date, double* chosen);
  /* Modal number prompt; on OK copies the entered text (zero-terminated,
     at most `capacity` bytes with the terminator) and returns non-zero. */
  int (*InputNumber)(void* context, const char* caption, const char* title, const char* defaultText, char* entered,
                     int capacity);
  /* Asynchronous state of a Windows virtual-key code (the bits above). */
  int (*KeyState)(void* context, int virtualKey);
  int (*ScreenWidth)(void* context);
  int (*ScreenHeight)(void* context);
  void (*ShowInformation)(void* context, const char* title, const char* text);
  /* Yes/No question; non-zero for Yes. */
  int (*AskConfirmation)(void* context, const char* text);
} ScriptHost;

/* Copies the table; null removes the host. */
ZEMO_API void ScriptHostInstall(const ScriptHost* host);

/* Debugger hooks. Texts are zero-terminated copies with their lengths. */
typedef void (*ScriptLineTraceHook)(void* context, const char* module, const char* text, int* continueRun, int* flag,
                                    int32_t line);
typedef void (*ScriptWatchNumberHook)(void* context, const char* name, double value);
typedef void (*ScriptWatchTextHook)(void* context, const char* name, const char* value);
/* The general exchange: the hook sets *result1 and *result2; *result2 chooses
   what reaches the destination (kScriptGeneralReplyText: the zero-terminated
   text written to `reply`, at most 512 characters; kScriptGeneralReplyValue:
   the caller's 8-byte value; anything else: nothing). */
typedef void (*ScriptGeneralHook)(void* context, const char* text1, int32_t value1, const char* text2,
                                  const void* value8, int32_t value2, int32_t* result1, int32_t* result2, char* reply);
enum { kScriptGeneralReplyText = 1, kScriptGeneralReplyValue = 2, kScriptGeneralReplyMax = 512 };

typedef struct ScriptDebugHooks {
  ScriptGeneralHook general;
  void* generalContext;
  ScriptLineTraceHook lineTrace;
  void* lineTraceContext;
  ScriptWatchNumberHook watchNumber;
  void* watchNumberContext;
  ScriptWatchTextHook watchText;
  void* watchTextContext;
} ScriptDebugHooks;

/* Copies the table; null removes every hook. */
ZEMO_API void ScriptDebugInstall(const ScriptDebugHooks* hooks);
ZEMO_API void ScriptDebugSetModule(const char* module);
ZEMO_API void ScriptDebugAddBreakpoint(const char* module, int32_t line);
ZEMO_API void ScriptDebugClearBreakpoints(void);
ZEMO_API void ScriptDebugSetTracing(int tracing);

/* Memory regions that the bounded memory functions accept. The run-time owns
   the blocks (zero-filled) and releases them at exit or on ScriptMemoryFree. */
ZEMO_API void* ScriptMemoryAllocateRegion(int32_t size);
ZEMO_API void ScriptMemoryFreeRegion(void* block);
ZEMO_API void ScriptMemorySetUnchecked(int unchecked);

/* Processor I/O ports. Null restores the built-in backend (x86 ioperm with
   inb/outb where the process may, else no effect and 0). */
typedef struct ScriptPortBackend {
  void* context;
  int (*Read)(void* context, uint16_t port);
  void (*Write)(void* context, uint16_t port, uint8_t value);
} ScriptPortBackend;
ZEMO_API void ScriptPortInstall(const ScriptPortBackend* backend);

/* The folder scripts may delete files in without asking; empty or null: no
   restriction. Setting it forgets the user's answer about other folders. */
ZEMO_API void ScriptSetApplicationFolder(const char* folder);

#ifdef __cplusplus
}
#endif
