#include "landxml/XMLElement.h"
#include "landxml/elements/LandXMLCgPoint.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <string>

namespace {

// A parsed snippet and an element bound to its document element.
struct Bound
{
    explicit Bound(const char* xml)
    {
        EXPECT_TRUE(dom.load_string(xml, pugi::parse_default | pugi::parse_comments));
        element.Read(dom.document_element(), nullptr);
    }
    pugi::xml_document dom;
    CXMLElementUnknown element;
};

TEST(XMLElementAttributes, TextAndNumberForms)
{
    Bound b(R"(<E empty="" unit="12.5 m" comma="12,5" words="abc def" word="abc" blanks="   " plain="7"
                  exp="1e3" lead="  4.5" hex="0x1A" many="1 2 3"/>)");
    std::string text = "before";
    EXPECT_FALSE(b.element.GetAttributeText("empty", text));
    EXPECT_EQ(text, "before");
    EXPECT_FALSE(b.element.GetAttributeText("missing", text));
    EXPECT_TRUE(b.element.GetAttributeText("unit", text));
    EXPECT_EQ(text, "12.5 m");

    struct Case
    {
        const char* name;
        bool result;
        double value;
    };
    const Case cases[] = {
        {"unit", true, 12.5},  {"comma", false, 12.0}, {"words", true, 0.0}, {"word", false, 0.0},
        {"plain", true, 7.0},  {"exp", true, 1000.0},  {"lead", true, 4.5},  {"hex", false, 0.0},
        {"many", true, 1.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        double value = -1.0;
        EXPECT_EQ(b.element.GetAttributeDouble(c.name, value), c.result);
        EXPECT_DOUBLE_EQ(value, c.value);
    }

    double value = 99.0;
    EXPECT_FALSE(b.element.GetAttributeDouble("empty", value));
    EXPECT_FALSE(b.element.GetAttributeDouble("missing", value));
    EXPECT_EQ(value, 99.0);

    // The long form tells an attribute of blanks only (empty) from a word followed by more.
    bool empty = false;
    EXPECT_TRUE(b.element.GetAttributeDouble("blanks", value, text, empty));
    EXPECT_TRUE(empty);
    empty = false;
    EXPECT_TRUE(b.element.GetAttributeDouble("words", value, text, empty));
    EXPECT_FALSE(empty);
    empty = true;
    EXPECT_TRUE(b.element.GetAttributeDouble("unit", value, text, empty));
    EXPECT_FALSE(empty);
    EXPECT_FALSE(b.element.GetAttributeDouble("blanks", value));
}

TEST(XMLElementText, DescendantTextTrimmedAtTheEnds)
{
    Bound b("<E>\n  10.5 <!-- note --><I>20.25<J> 3</J></I>\t\n</E>");
    EXPECT_EQ(b.element.GetText(), "10.5 20.25 3");
    Bound cdata("<E><![CDATA[ 1 2 ]]></E>");
    EXPECT_EQ(cdata.element.GetText(), "1 2");
    Bound none("<E/>");
    EXPECT_EQ(none.element.GetText(), "");
}

TEST(XMLElementText, DeepNestingIsWalkedWithoutRecursion)
{
    std::string xml;
    const int depth = 100000;
    for (int i = 0; i < depth; ++i)
        xml += "<a>";
    xml += "x";
    for (int i = 0; i < depth; ++i)
        xml += "</a>";
    Bound b(xml.c_str());
    EXPECT_EQ(b.element.GetText(), "x");
}

// Files are parsed with an element's leading text kept in the element itself; every text and
// child count must read as from a document with a node for each text.
TEST(XMLElementText, EmbeddedTextReadsAsTextNodes)
{
    const char* snippets[] = {
        "<E>1 2 3</E>", "<E>  x  </E>", "<E/>", "<E><B/></E>", "<E>a<B>b</B>c</E>", "<E><!--c-->t</E>",
        "<E><![CDATA[c]]></E>", "<E>x<![CDATA[ y ]]></E>", "<E>&amp;lt; &#x41;</E>", "<E>a<B>b<C>c</C>d</B>e</E>",
        "<E>\r\n 1\t2 \n</E>", "<E> <B>b</B><!--c--> </E>",
    };
    const unsigned plain = pugi::parse_default | pugi::parse_comments;
    for (const char* snippet : snippets) {
        SCOPED_TRACE(snippet);
        pugi::xml_document nodes, embedded;
        ASSERT_TRUE(nodes.load_string(snippet, plain));
        ASSERT_TRUE(embedded.load_string(snippet, plain | pugi::parse_embed_pcdata));
        // The elements of both documents in the same document order.
        pugi::xpath_node_set a = nodes.select_nodes("//*"), b = embedded.select_nodes("//*");
        ASSERT_EQ(a.size(), b.size());
        for (std::size_t i = 0; i < a.size(); ++i) {
            std::string storageA, storageB;
            EXPECT_EQ(CXMLElement::GetText(a[i].node()), CXMLElement::GetText(b[i].node()));
            EXPECT_EQ(CXMLElement::GetTextView(a[i].node(), storageA), CXMLElement::GetTextView(b[i].node(), storageB));
            EXPECT_EQ(CXMLElement::GetChildCount(a[i].node()), CXMLElement::GetChildCount(b[i].node()));
        }
    }
}

TEST(XMLElementChildren, IterationSkipsNonElementsAndRestarts)
{
    Bound b("<E> text <!-- c --><A/> more <B/><?pi x?></E>");
    EXPECT_GE(b.element.GetChildCount(), 4);
    pugi::xml_node child;
    ASSERT_TRUE(b.element.GetNextChildElement(child));
    EXPECT_STREQ(child.name(), "A");
    ASSERT_TRUE(b.element.GetNextChildElement(child));
    EXPECT_STREQ(child.name(), "B");
    EXPECT_FALSE(b.element.GetNextChildElement(child));
    // After the last child the iteration starts again at the first.
    ASSERT_TRUE(b.element.GetNextChildElement(child));
    EXPECT_STREQ(child.name(), "A");
    b.element.ResetChildIteration();
    ASSERT_TRUE(b.element.GetNextChildElement(child));
    EXPECT_STREQ(child.name(), "A");
    EXPECT_TRUE(b.element.IsSameElement(b.dom.document_element()));
    EXPECT_FALSE(b.element.IsSameElement(child));
}

TEST(XMLElementLoad, RefusedElementLeavesObjectUnboundAndThrowsAtTheElement)
{
    pugi::xml_document dom;
    ASSERT_TRUE(dom.load_string("<cgpoint name=\"1\">1 2</cgpoint>"));
    CLandXMLCgPoint point;
    try {
        point.Read(dom.document_element(), nullptr);
        FAIL() << "no exception";
    } catch (const CLandXMLException& e) {
        EXPECT_EQ(e.GetMessage(), "Fail to validate 'cgpoint' element");
        EXPECT_EQ(e.GetNode(), dom.document_element());
        CLandXMLException copy(e);
        EXPECT_EQ(copy.GetNode(), e.GetNode());
    }
    EXPECT_FALSE(point.IsBound());
    EXPECT_EQ(point.GetDocument(), nullptr);
}

TEST(XMLElementSelect, VariablesCarryNamesLiterally)
{
    Bound b(R"(<R><P name='a"b'/><P name="c'd"/><P name="x"/><Q/></R>)");
    for (const char* name : {"a\"b", "c'd"}) {
        SCOPED_TRACE(name);
        pugi::xpath_variable_set vars;
        vars.set("name", name);
        const pugi::xml_node found = b.element.SelectSingleElement("P[@name=$name]", &vars);
        ASSERT_FALSE(found.empty());
        EXPECT_STREQ(found.attribute("name").value(), name);
    }
    pugi::xpath_variable_set vars;
    vars.set("name", "x\"]|//*[@name=\"x");
    EXPECT_TRUE(b.element.SelectSingleElement("P[@name=$name]", &vars).empty());
    EXPECT_EQ(b.element.SelectNodes("P").size(), 3u);

    CXMLElementUnknown target;
    EXPECT_TRUE(b.element.ReadSingleElement("Q", target));
    EXPECT_EQ(target.GetTagName(), "Q");
    EXPECT_FALSE(b.element.ReadSingleElement("Z", target));
}

TEST(XMLElementSetAttribute, SetsAndAdds)
{
    Bound b(R"(<E a="1"/>)");
    b.element.SetAttribute("a", "2");
    b.element.SetAttribute("b", "x&y");
    std::string text;
    ASSERT_TRUE(b.element.GetAttributeText("a", text));
    EXPECT_EQ(text, "2");
    ASSERT_TRUE(b.element.GetAttributeText("b", text));
    EXPECT_EQ(text, "x&y");
}

} // namespace
