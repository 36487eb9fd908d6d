#include <gtest/gtest.h>

#include "common/NumberText.h"
#include "document/EditorDocument.h"
#include "document/NameSyntax.h"

TEST(NameSyntax, ListLines) {
  EXPECT_EQ(ListLineText("!porta|cor=PORTA1|0"), "porta    (PORTA1)");
  EXPECT_EQ(ListLineText("!porta|PORTA1"), "porta    (PORTA1)");
  EXPECT_EQ(ListLineText("!solto"), "solto");
  EXPECT_EQ(ListLineText("#casa|0|CASA1|0|2|1|0|casa|1"), "casa    (CASA1)");
  EXPECT_EQ(ListLineText("#casa|0"), "casa    ()");
  EXPECT_EQ(ListLineText("#casa"), "casa");
  EXPECT_EQ(ListLineText("@escala|v|100|0|10|5|"), " ESCALA ");
  EXPECT_EQ(ListLineText("@escala"), "@escala");
  EXPECT_EQ(ListLineText("cubo1"), "cubo1");
}

TEST(NameSyntax, TagBoundLabelsRoundTrip) {
  NameFields f = ParseElementName("!porta| Cor =PORTA1|2|extra");
  EXPECT_EQ(f.form, NameFields::Normal);
  EXPECT_EQ(f.nome, "porta");
  EXPECT_EQ(f.propriedade, "cor");
  EXPECT_EQ(f.tag, "PORTA1");
  EXPECT_EQ(f.formato, "2");
  EXPECT_EQ(AssembleElementName(f), "!porta|cor=PORTA1|2");

  f = ParseElementName("!nivel|TANQUE1");  // no "=": the property is text
  EXPECT_EQ(f.propriedade, "texto");
  EXPECT_EQ(AssembleElementName(f), "!nivel|texto=TANQUE1|");

  f.tag = "  ";  // no tag left: a plain name
  EXPECT_EQ(AssembleElementName(f), "nivel");
}

TEST(NameSyntax, ScalesAndSubObjects) {
  NameFields s = ParseElementName("@escala|v|200|-5|20|4|");
  EXPECT_EQ(s.form, NameFields::Scale);
  EXPECT_EQ(s.max, "200");
  EXPECT_EQ(s.min, "-5");
  EXPECT_EQ(s.div2, "4");
  EXPECT_EQ(AssembleElementName(s), "@escala|v|200|-5|20|4|");

  NameFields o = ParseElementName("#casa.zobj3d|0|CASA1|0|2|1|0|sala|1");
  EXPECT_EQ(o.form, NameFields::SubObject);
  EXPECT_EQ(o.arquivo, "casa");
  EXPECT_EQ(o.tagArquivo, "CASA1");
  EXPECT_EQ(o.estados, "2");
  EXPECT_EQ(o.atual, "1");
  EXPECT_EQ(o.nome, "sala");
  EXPECT_EQ(AssembleElementName(o), "#casa|0|CASA1|0|2|1|0|sala|1");

  NameFields shortObject = ParseElementName("#casa|0");
  EXPECT_EQ(shortObject.estados, "0");
  EXPECT_EQ(shortObject.atual, "1");
  EXPECT_EQ(shortObject.nome, "");

  NameFields bare = ParseElementName("#casa");  // no "|": a plain name
  EXPECT_EQ(bare.form, NameFields::Normal);
  EXPECT_EQ(bare.nome, "#casa");
  EXPECT_EQ(ParseElementName("a|b").nome, "");
}

TEST(NameSyntax, SizeLineAndNumbers) {
  EXPECT_EQ(SizeLine(0.4, 1.2, 2), "(4cm,12cm,20cm)");
  EXPECT_EQ(FormatGeneral(0.1), "0.1");
  EXPECT_EQ(FormatGeneral(-2.5), "-2.5");
  EXPECT_EQ(FormatGeneral(1e-5), "1E-5");
  EXPECT_EQ(FormatGeneral(1e20), "1E20");
}

TEST(NameSyntax, RenameRules) {
  EditorDocument d;
  d.AppendFromTemplate();
  d.Element(0).name.assign("Porta");
  EXPECT_EQ(AcceptedNewName(d.elements, "  janela  "), "janela");
  EXPECT_EQ(AcceptedNewName(d.elements, "PORTA"), "");
  EXPECT_EQ(AcceptedNewName(d.elements, "   "), "");
}
