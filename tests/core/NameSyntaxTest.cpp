#include <gtest/gtest.h>

#include <tuple>

#include "document/EditorDocument.h"
#include "document/NameSyntax.h"

TEST(NameSyntax, ListLinesShowTheLabelAndItsTag) {
  const std::pair<const char*, const char*> cases[] = {{"!porta|cor=PORTA1|0", "porta    (PORTA1)"},
                                                       {"!porta|PORTA1", "porta    (PORTA1)"},
                                                       {"!solto", "solto"},
                                                       {"#casa|0|CASA1|0|2|1|0|casa|1", "casa    (CASA1)"},
                                                       {"#casa|0", "casa    ()"},
                                                       {"#casa", "casa"},
                                                       {"@escala|v|100|0|10|5|", " ESCALA "},
                                                       {"@escala", "@escala"},
                                                       {"cubo1", "cubo1"}};
  for (const auto& [name, line] : cases) EXPECT_EQ(ListLineText(name), line) << name;
}

// What the attributes dialog shows of an element and the name it gives back, in the canonical form.
TEST(NameSyntax, AttributesComeApartAndGoBackTogether) {
  const std::pair<const char*, const char*> roundTrips[] = {
      {"!porta| Cor =PORTA1|2|extra", "!porta|cor=PORTA1|2"},
      {"!nivel|TANQUE1", "!nivel|texto=TANQUE1|"},  // no "=": the property is text
      {"@escala|v|200|-5|20|4|", "@escala|v|200|-5|20|4|"},
      {"#casa.zobj3d|0|CASA1|0|2|1|0|sala|1", "#casa|0|CASA1|0|2|1|0|sala|1"},
      {"#casa", "#casa"},  // no "|": a plain name
  };
  for (const auto& [name, assembled] : roundTrips)
    EXPECT_EQ(AssembleElementName(ParseElementName(name)), assembled) << name;

  NameFields f = ParseElementName("!nivel|TANQUE1");
  f.tag = "  ";  // no tag left: a plain name
  EXPECT_EQ(AssembleElementName(f), "nivel");
  const NameFields scale = ParseElementName("@escala|v|200|-5|20|4|");
  EXPECT_EQ(std::tie(scale.form, scale.max, scale.min), std::make_tuple(NameFields::Scale, "200", "-5"));
  const NameFields object = ParseElementName("#casa.zobj3d|0|CASA1|0|2|1|0|sala|1");
  EXPECT_EQ(std::tie(object.form, object.arquivo, object.tagArquivo, object.estados, object.nome),
            std::make_tuple(NameFields::SubObject, "casa", "CASA1", "2", "sala"));
  const NameFields shortObject = ParseElementName("#casa|0");
  EXPECT_EQ(std::tie(shortObject.estados, shortObject.atual), std::make_tuple("0", "1"));
  EXPECT_EQ(ParseElementName("a|b").nome, "");
  EXPECT_EQ(SizeLine(0.4, 1.2, 2), "(4cm,12cm,20cm)");
  EditorDocument d;
  EXPECT_EQ(AcceptedNewName(d.elements, "   "), "");
}
