#pragma once

namespace testkit {

// A grammar shaped like the HTML document type, in TTestParser's notation:
// implied HTML, HEAD, BODY, TBODY and PLAIN elements, optional end tags with
// terminators, an exclusion, and both skip policies (drop the token, insert
// a P).  The fuzz targets and the benchmarks drive the grammar engine with
// it, independently of the HTML parser's own declarations.
inline constexpr char MiniHTMLGrammar[] = R"(<!ENTITY HTML_DOCUMENT "!DOCTYPE?, HTML">
<!ELEMENT !DOCTYPE - O EMPTY>
<!ELEMENT HTML O O HEAD?, BODY?>
<!ELEMENT HEAD O O TITLE, SCRIPT* ENDS(BODY /HTML B I FONT IMG P UL TABLE REPEAT FORM) SKIP(P)>
<!ELEMENT TITLE - - (#PCDATA)*>
<!ELEMENT SCRIPT - - (#PCDATA)*>
<!ELEMENT BODY O O (%block | SCRIPT)+ ENDS(/HTML HTML) SKIP(P)>
<!ENTITY %block "P | UL | TABLE | REPEAT | FORM">
<!ENTITY %inline "#PCDATA | B | I | FONT | IMG | BR">
<!ENTITY %flow "%block | %inline">
<!ELEMENT P - O (%inline)* ENDS(/BODY P UL TABLE REPEAT FORM TD /TD TR /TR /TABLE LI /LI /UL /REPEAT)>
<!ELEMENT B - - (%flow)*>
<!ELEMENT I - - (%flow)*>
<!ELEMENT FONT - - (%flow)*>
<!ELEMENT IMG - O EMPTY>
<!ELEMENT BR - O EMPTY>
<!ELEMENT UL - - (LI)*>
<!ELEMENT LI - O (%flow)* ENDS(LI /UL)>
<!ELEMENT TABLE - - (CAPTION?, TBODY+)*>
<!ELEMENT CAPTION - - (%inline)*>
<!ELEMENT TBODY O O (TR)+ ENDS(/TABLE)>
<!ELEMENT TR - O (TD)* ENDS(TR /TABLE)>
<!ELEMENT TD - O (PLAIN | %flow)* ENDS(TD TR /TR /TABLE)>
<!ELEMENT REPEAT - - (PLAIN | %flow)+>
<!ELEMENT PLAIN O O (%inline)+ ENDS(TD /TD TR /TR /TABLE LI /LI /UL /REPEAT /BODY P UL TABLE REPEAT FORM)>
<!ELEMENT FORM - - (%block)+ -(FORM)>
)";

} // namespace testkit
