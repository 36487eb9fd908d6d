#include "CommandReports.h"

#include "common/Dictionary.h"

std::string UndoneReport(StepName step, bool redo) {
  return (redo ? Choose("Refeito: ", "Redone: ") : Choose("Desfeito: ", "Undone: ")) +
         Choose(StepNamePt(step), StepNameEn(step));
}

std::string NothingToReport(bool redo) {
  return redo ? Choose("Nada a refazer", "Nothing to redo") : Choose("Nada a desfazer", "Nothing to undo");
}

std::string CountReport(int32_t count, Counted what) {
  struct Words {
    const char *pt1, *ptN, *en1, *enN;
  };
  static const Words kWords[] = {
      {"elemento copiado", "elementos copiados", "element copied", "elements copied"},
      {"elemento colado", "elementos colados", "element pasted", "elements pasted"},
      {"elemento apagado", "elementos apagados", "element deleted", "elements deleted"},
      {"elemento duplicado", "elementos duplicados", "element duplicated", "elements duplicated"},
      {"elemento escondido", "elementos escondidos", "element hidden", "elements hidden"},
      {"elemento mostrado", "elementos mostrados", "element shown", "elements shown"},
  };
  const Words& w = kWords[static_cast<int>(what)];
  return std::to_string(count) + " " + (count == 1 ? Choose(w.pt1, w.en1) : Choose(w.ptN, w.enN));
}

std::string DiscardedReport(const std::string& typed) {
  return Choose("Valor descartado (n\xE3o \xE9 um n\xFAmero v\xE1lido): ", "Value discarded (not a valid number): ") +
         typed;
}
