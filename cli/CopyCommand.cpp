#include "CopyCommand.h"

#include "CliCommand.h"
#include "document/DocumentFile.h"
#include "document/Element3D.h"
#include "common/TIMem32.h"

int RunCopyCommand(const std::vector<std::string>& args) {
  if (args.size() != 2) return CliFail("copy", "usage: objetos3d-cli copy DOC OUT");
  TIMem32 elements("obj 3d4");
  elements.RecordSize = kElementRecordSize;
  const DocumentResult in = ReadDocument(args[0], elements);
  if (!in.ok()) return CliFail(args[0], in.reason);
  const DocumentResult out = WriteDocument(args[1], elements);
  if (!out.ok()) return CliFail(args[1], out.reason);
  return 0;
}
