#include "CopyCommand.h"

#include "CliCommand.h"
#include "OutputLimit.h"
#include "common/FileIdentity.h"
#include "common/TIMem32.h"
#include "document/DocumentFile.h"
#include "document/Element3D.h"

int RunCopyCommand(const std::vector<std::string>& arguments) {
  std::vector<std::string> args = arguments;
  const bool noLimit = OutputLimit::TakeNoLimitOption(args);
  if (args.size() != 2) return CliFail("copy", "usage: objetos3d-cli copy DOC OUT [--no-limit]");
  TIMem32 elements("obj 3d4");
  elements.RecordSize = kElementRecordSize;
  const Outcome in = ReadDocument(args[0], elements);
  if (!in.ok()) return CliFail(args[0], in.reason);
  if (SameFile(args[1], args[0])) return CliFail(args[1], kOutputIsInput);
  const OutputLimit limit(OutputLimit::Kind::Document, args[0], noLimit);
  const Outcome out = WriteDocument(args[1], elements);
  if (!out.ok()) return CliFail(args[1], limit.Explain(out.reason));
  return 0;
}
