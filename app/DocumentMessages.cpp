#include "DocumentMessages.h"

#include <cstring>

#include "common/Dictionary.h"
#include "common/Utf8Text.h"

namespace {
struct Pair {
  const char* english;  // the reader's or writer's own phrase, the start of its reason
  const char* portuguese;
};

// The phrases the document reader and writer and the save dispatch give.
constexpr Pair kReasons[] = {
    {"no such file", "o arquivo n\xE3o existe"},
    {"no file name", "nenhum nome de arquivo"},
    {"is a folder", "\xE9 uma pasta"},
    {"not a regular file", "n\xE3o \xE9 um arquivo comum"},
    {"the store does not hold element records", "a lista n\xE3o guarda elementos"},
    {"cannot open the file", "n\xE3o foi poss\xEDvel abrir o arquivo"},
    {"cannot read the file", "n\xE3o foi poss\xEDvel ler o arquivo"},
    {"cannot create the file", "n\xE3o foi poss\xEDvel criar o arquivo"},
    {"cannot write the file", "n\xE3o foi poss\xEDvel gravar o arquivo"},
    {"cannot set the file mode", "n\xE3o foi poss\xEDvel ajustar as permiss\365es do arquivo"},
    {"cannot flush the file", "n\xE3o foi poss\xEDvel descarregar o arquivo no disco"},
    {"cannot close the file", "n\xE3o foi poss\xEDvel fechar o arquivo"},
    {"cannot replace the file", "n\xE3o foi poss\xEDvel substituir o arquivo"},
    {"not a document of this editor", "n\xE3o \xE9 um documento deste editor"},
    {"is the document itself", "\xE9 o pr\xF3prio documento: grav\xE1-lo destruiria o documento"},
    {"shorter than the 22-byte header", "menor que o cabe\347alho de 22 bytes"},
    {"negative record count", "n\xFAmero de registros negativo"},
    {"record size below 1", "tamanho de registro menor que 1"},
    {"out of memory", "mem\xF3ria insuficiente"},
    {"the file ended early", "o arquivo terminou antes do esperado"},
    {"too many elements", "elementos demais"},
    {"no GL context", "sem contexto OpenGL"},
    {"the view has no area", "a vista n\xE3o tem \xE1rea"},
    {"no document", "nenhum documento"},
};

// The system's descriptions that follow a phrase after ": ".
constexpr Pair kSystemReasons[] = {
    {"No such file or directory", "arquivo ou pasta inexistente"},
    {"Permission denied", "permiss\xE3o negada"},
    {"No space left on device", "sem espa\xE7o no dispositivo"},
    {"Read-only file system", "sistema de arquivos somente para leitura"},
    {"Is a directory", "\xE9 uma pasta"},
    {"Not a directory", "n\xE3o \xE9 uma pasta"},
    {"File too large", "arquivo grande demais"},
    {"Disk quota exceeded", "cota de disco excedida"},
    {"Input/output error", "erro de entrada e sa\355da"},
    {"Too many open files", "arquivos abertos demais"},
};

bool StartsWith(const std::string& text, const char* prefix) {
  return text.compare(0, std::strlen(prefix), prefix) == 0;
}

std::string PortugueseReason(const std::string& reason, bool reading) {
  for (const Pair& p : kReasons) {
    if (!StartsWith(reason, p.english)) continue;
    const std::string rest = reason.substr(std::strlen(p.english));
    if (rest.empty()) return p.portuguese;
    if (StartsWith(rest, ": "))
      for (const Pair& s : kSystemReasons)
        if (rest.substr(2) == s.english) return std::string(p.portuguese) + ": " + s.portuguese;
    return p.portuguese;
  }
  return reading ? "o conte\372do n\xE3o p\364de ser lido" : "o conte\372do n\xE3o p\364de ser gravado";
}
}  // namespace

std::string ReasonText(const Outcome& result, bool reading) {
  const std::string english = result.reason.empty() ? (reading ? "read error" : "write error") : result.reason;
  return Choose(PortugueseReason(result.reason, reading), english);
}

// Messages are Latin-1 text; the file's name is the system's bytes.
std::string ReadWarning(const std::string& utf8Path, const Outcome& result) {
  const std::string path = Utf8ToLatin1(utf8Path);
  return Choose("N\xE3o foi poss\xEDvel ler o arquivo " + path + ": ", "Could not read the file " + path + ": ") +
         ReasonText(result, true);
}

std::string EarlyEndWarning(const std::string& utf8Path, const Outcome& result) {
  const std::string path = Utf8ToLatin1(utf8Path);
  const std::string read = std::to_string(result.recordsRead);
  const std::string declared = std::to_string(result.recordsDeclared);
  return Choose(
      "O arquivo " + path + " terminou antes do esperado: " + read + " de " + declared + " elementos foram lidos.",
      "The file " + path + " ended early: " + read + " of " + declared + " elements were read.");
}

std::string SaveWarning(const std::string& utf8Path, const Outcome& result) {
  const std::string path = Utf8ToLatin1(utf8Path);
  return Choose("N\xE3o foi poss\xEDvel salvar o arquivo " + path + ": ", "Could not save the file " + path + ": ") +
         ReasonText(result, false);
}

std::string ChangedOnDiskQuestion(const std::string& utf8Path) {
  const std::string path = Utf8ToLatin1(utf8Path);
  return Choose("O arquivo " + path +
                    " foi alterado por outro programa depois de aberto. Salvar com outro nome, "
                    "substituir as altera\xE7\365es dele ou cancelar?",
                "The file " + path +
                    " was changed by another program since it was opened. Save under another name, "
                    "overwrite its changes, or cancel?");
}
