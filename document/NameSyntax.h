#pragma once
#include <string>

class TIMem32;

// An element's name also carries its binding: a label bound to a tag
// ("!label|property=tag|decimals"), a scale ("@escala|v|max|min|div|sub|") or
// a nested sub-object ("#file|0|tag|0|states|current|0|label|1"). These
// helpers take a name apart and put it back together.
struct NameFields {
  enum Form { Normal, Scale, SubObject };
  Form form = Normal;
  std::string nome;
  std::string propriedade, tag, formato;                        // tag-bound label
  std::string max = "100", min = "0", div1 = "10", div2 = "5";  // scale
  std::string arquivo, tagArquivo, estados = "0", atual = "1";  // sub-object
};

NameFields ParseElementName(const std::string& name);
// The name the attributes dialog gives back for the fields.
std::string AssembleElementName(const NameFields& fields);

// What the element list shows for a name.
std::string ListLineText(const std::string& name);

// The size line of the attributes dialog, in centimetres: "(4cm,12cm,20cm)".
std::string SizeLine(double dx, double dy, double dz);

// The name a rename stores, or empty when the rename is refused: the text is
// trimmed, and a name already used (ignoring case) is refused.
std::string AcceptedNewName(const TIMem32& elements, const std::string& typed);
