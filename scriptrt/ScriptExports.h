#pragma once
/* Every function compiled scripts call by name. Numbers are doubles, texts
   ScriptText records; procedures (zemoscriptproc...) return nothing unless
   noted. Addresses carried in doubles are rounded to 64-bit addresses. */
#include <stdint.h>

#include "scriptrt/ScriptHost.h"
#include "scriptrt/ScriptText.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Text and number helpers */
ZEMO_API void zemoPoeString(ScriptText* destination, const ScriptText* source);
ZEMO_API void zemoAcrescentaString(ScriptText* destination, const ScriptText* source);
ZEMO_API void zemoFtStr(ScriptText* destination, double value);
ZEMO_API void zemoFtStrNormal(ScriptPlainText* destination, double value);
ZEMO_API double zemoStrFt(const ScriptText* text);
ZEMO_API int32_t zemoDblInt(double value);
ZEMO_API double zemoIntDbl(int32_t value);
ZEMO_API void* zemoPoeParametro(int32_t slot, void* parameters, const char* characters);

/* Global value stream */
ZEMO_API void zemoscriptprocINICIAGRAVAGLOBAL(void);
ZEMO_API void zemoscriptprocGRAVAGLOBAL8(const void* variable);
ZEMO_API void zemoscriptprocGRAVAGLOBAL259(const void* variable);
ZEMO_API void zemoscriptprocLEGLOBAL8(void* variable);
ZEMO_API void zemoscriptprocLEGLOBAL259(void* variable);

/* Comparisons */
ZEMO_API int32_t zemoscriptprocDBLCOMP(double a, double b, double op);
ZEMO_API double zemoscriptDBLCOMP2(double a, double b, double op);
ZEMO_API double zemoscriptDBLCOMP3(const ScriptText* a, const ScriptText* b, double op);

/* Library loading */
ZEMO_API void* zemoLOADLIBRARY(const char* fileName);
ZEMO_API void* zemoGETPROCADDRESS(void* module, const char* name);
ZEMO_API int32_t zemoFREELIBRARY(void* module);

/* Debugger hooks */
ZEMO_API double zemoscriptZEMODEBUG(double line);
ZEMO_API void zemoscriptprocZEMOWATCHESOK(const ScriptText* name, double value);
ZEMO_API void zemoscriptprocZEMOWATCHESTRINGOK(const ScriptText* name, const ScriptText* value);
ZEMO_API void zemoscriptGeral(const ScriptText* text1, double* result1, double* result2, int32_t value1,
                              const ScriptText* text2, const void* value8, int32_t value2, void* destination);

/* Arithmetic */
ZEMO_API double zemoscriptABS(double x);
ZEMO_API double zemoscriptINT(double x);
ZEMO_API double zemoscriptFRAC(double x);
ZEMO_API double zemoscriptROUND(double x);
ZEMO_API double zemoscriptMOD(double a, double b);
ZEMO_API double zemoscriptSGN(double x);
ZEMO_API double zemoscriptSQRT(double x);
ZEMO_API double zemoscriptSIN(double x);
ZEMO_API double zemoscriptCOS(double x);
ZEMO_API double zemoscriptARCTAN(double x);
ZEMO_API double zemoscriptPI(void);
ZEMO_API double zemoscriptEXP(double x);
ZEMO_API double zemoscriptEXP10(double x);
ZEMO_API double zemoscriptPOWER(double base, double exponent);
ZEMO_API double zemoscriptLN(double x);
ZEMO_API double zemoscriptLOG(double x);
ZEMO_API double zemoscriptSDEV(double n, double sum, double sumOfSquares);
ZEMO_API double zemoscriptF1G(double x1, double y1, double x2, double y2, double x);
ZEMO_API double zemoscriptRND(void);
ZEMO_API void zemoscriptprocRANDOMIZE(void);
ZEMO_API double zemoscriptTRUE(void);
ZEMO_API double zemoscriptFALSE(void);
ZEMO_API double zemoscriptNOT(double x);
ZEMO_API double zemoscriptNAN(void);
ZEMO_API double zemoscriptISNAN(double x);
ZEMO_API double zemoscriptGETDECIMALS(double x);

/* Dates and times (days since 1899-12-30, local time) */
ZEMO_API double zemoscriptNOW(void);
ZEMO_API double zemoscriptDATE(void);
ZEMO_API double zemoscriptTIME(void);
ZEMO_API double zemoscriptDAY(double date);
ZEMO_API double zemoscriptMONTH(double date);
ZEMO_API double zemoscriptYEAR(double date);
ZEMO_API double zemoscriptHOUR(double date);
ZEMO_API double zemoscriptMINUTE(double date);
ZEMO_API double zemoscriptSECOND(double date);
ZEMO_API double zemoscriptMILISECOND(double date);
ZEMO_API double zemoscriptWEEKDAY(double date);
ZEMO_API double zemoscriptSTRTOTIME(const ScriptText* text);
ZEMO_API double zemoscriptF2T(const ScriptText* text);
ZEMO_API double zemoscriptCHOOSEDATE(const ScriptText* title, double date);
ZEMO_API double zemoscriptTIMER(void);
ZEMO_API double zemoscriptFASTTIMER(void);
ZEMO_API double zemoscriptWINDOWSTIMER(void);
ZEMO_API double zemoscriptPERFORMANCECOUNTER(void);
ZEMO_API void zemoscriptprocRESETPERFORMANCECOUNTER(void);
ZEMO_API void zemoscriptprocDELAY(double milliseconds);
ZEMO_API void zemoscriptprocSLEEP(double milliseconds);

/* Text */
ZEMO_API double zemoscriptLEN(const ScriptText* text);
ZEMO_API double zemoscriptORD(const ScriptText* text);
ZEMO_API double zemoscriptINSTR(const ScriptText* text, const ScriptText* part);
ZEMO_API double zemoscriptINSTRPOS(double start, const ScriptText* text, const ScriptText* part);
ZEMO_API double zemoscriptVAL(const ScriptText* text);
ZEMO_API ScriptText* zemoscriptsTESTETEXTO(ScriptText* text);

/* Keyboard, screen and dialogs (through the host) */
ZEMO_API double zemoscriptESCPRESSED(void);
ZEMO_API double zemoscriptGETKEY(double virtualKey);
ZEMO_API double zemoscriptSCREENWIDTH(void);
ZEMO_API double zemoscriptSCREENHEIGHT(void);
ZEMO_API double zemoscriptINPUTNUMBER(const ScriptText* caption, const ScriptText* title, double defaultValue);
ZEMO_API void zemoscriptprocABOUTZEMO(void);

/* Files */
ZEMO_API double zemoscriptFILEEXISTS(const ScriptText* fileName);
ZEMO_API double zemoscriptFINDFIRST(const ScriptText* mask);
ZEMO_API double zemoscriptFINDNEXT(void);
ZEMO_API void zemoscriptprocKILL(const ScriptText* fileName);
ZEMO_API double zemoscriptFILERENAME(const ScriptText* oldName, const ScriptText* newName);
ZEMO_API double zemoscriptFILECOPY(const ScriptText* source, const ScriptText* destination);

/* Stored values */
ZEMO_API void zemoscriptprocSTOREVALUE(double value, const ScriptText* key);
ZEMO_API void zemoscriptprocSTOREVALUEFAST(const ScriptText* key, double value);
ZEMO_API void zemoscriptprocSTORETEXT(const ScriptText* text, const ScriptText* key);
ZEMO_API double zemoscriptRESTOREVALUE(const ScriptText* key);
ZEMO_API double zemoscriptEXISTSVALUE(const ScriptText* key);
ZEMO_API void zemoscriptprocCLEARVALUE(const ScriptText* key);
ZEMO_API void zemoscriptprocCLEARVALUESTARTWITH(const ScriptText* prefix);
ZEMO_API void zemoscriptprocCOMPACTSTOREDVALUES(void);
ZEMO_API void zemoscriptprocFREESTOREDVALUES(void);
ZEMO_API void zemoscriptprocSETVIRTUALPAGE(double page);

/* Memory (base addresses as doubles; offsets, counts and bytes rounded to 32 bits) */
ZEMO_API double zemoscriptMEMORYREADBYTE(double base, double offset);
ZEMO_API double zemoscriptMEMORYREADWORD(double base, double offset);
ZEMO_API double zemoscriptMEMORYREADLONG(double base, double offset);
ZEMO_API double zemoscriptMEMORYREADDOUBLE(double base, double offset);
ZEMO_API void zemoscriptprocMEMORYWRITEBYTE(double base, double offset, double value);
ZEMO_API void zemoscriptprocMEMORYWRITEWORD(double base, double offset, double value);
ZEMO_API void zemoscriptprocMEMORYWRITELONG(double base, double offset, double value);
ZEMO_API void zemoscriptprocMEMORYWRITEDOUBLE(double base, double offset, double value);
ZEMO_API double zemoscriptDCOLUMNE1(double base, double offset);
ZEMO_API void zemoscriptprocMEMORYCOPY(double source, double destination, double count);
ZEMO_API double zemoscriptMEMORYFINDBYTE(double base, double from, double to, double byteValue);
ZEMO_API double zemoscriptMEMORYFINDTEXT(double base, double from, double to, const ScriptText* text);

/* Ports, text files, packets */
ZEMO_API void zemoscriptprocWRITEPORT(double port, double value);
ZEMO_API double zemoscriptREADPORT(double port);
ZEMO_API void zemoscriptprocTEXTFILEWRITE(double fileReference, const ScriptText* text);
ZEMO_API void zemoscriptprocPACOTE(double value);
ZEMO_API void zemoscriptprocPREPARAPACOTE(void);
ZEMO_API void zemoscriptprocFECHAPACOTES(void);
ZEMO_API double zemoscriptPACOTEPONTEIRO(double value);
ZEMO_API void zemoscriptprocFASTWIZCOM(double a, double b, double c, double d, double e);
ZEMO_API void zemoscriptprocPREPARARBUFFERCOM(void);

#ifdef __cplusplus
}
#endif
