// The XML reader against the subset the toolchain writes: declaration, tree shape, entities,
// names, comments, size and depth limits, and the result codes of loading a file.
#include "Xml.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

const std::string kDecl = "<?xml version=\"1.0\"?>\n";

XmlResult Parse(const std::string& text)
{
    std::unique_ptr<CXmlElement> root;
    return XmlParse(text, root);
}

XmlResult ParseBody(const std::string& body) { return Parse(kDecl + body); }

// The text of element `e` decoded from `body`, or "<error>" when the document is rejected.
std::string TextOf(const std::string& body)
{
    std::unique_ptr<CXmlElement> root;
    if (XmlParse(kDecl + "<ab>" + body + "</ab>", root) != xmlOk) return "<error>";
    return root->text.value_or("<none>");
}

std::string Nested(std::size_t depth)
{
    std::string text = kDecl;
    for (std::size_t i = 0; i < depth; ++i) text += "<ab>";
    for (std::size_t i = 0; i < depth; ++i) text += "</ab>";
    return text;
}

TEST(XmlDeclaration, AcceptsOnlyVersionOneWithOptionalBlanks)
{
    EXPECT_EQ(Parse("<?xml version=\"1.0\"?><ab/>"), xmlOk);
    EXPECT_EQ(Parse("<?xml  version \t= \"1.0\" ?>\r\n<ab/>"), xmlOk);
    EXPECT_EQ(Parse("<?xml version=\"1.0 \" ?><ab/>"), xmlOk);
    EXPECT_EQ(Parse("\xEF\xBB\xBF<?xml version=\"1.0\"?><ab/>"), xmlFormatError);
    EXPECT_EQ(Parse("\n<?xml version=\"1.0\"?><ab/>"), xmlFormatError);
    EXPECT_EQ(Parse("<?xml version=\"1.0\" encoding=\"UTF-8\"?><ab/>"), xmlFormatError);
    EXPECT_EQ(Parse("<?xml version=\"1.1\"?><ab/>"), xmlFormatError);
    EXPECT_EQ(Parse("<?xml version='1.0'?><ab/>"), xmlFormatError);
    EXPECT_EQ(Parse("<?xml version=\"1.0\"? ><ab/>"), xmlFormatError);
    EXPECT_EQ(Parse(""), xmlFormatError);
    EXPECT_EQ(Parse(kDecl), xmlFormatError);
}

TEST(XmlTree, ReadsABuildDescription)
{
    std::unique_ptr<CXmlElement> root;
    ASSERT_EQ(XmlParse(kDecl +
                           "<VYKMake Main=\"Hello\" Exe=\"\">\n"
                           "  <File Name=\"Lib\" Path=\"C:\\Lib\\\"/>\n"
                           "  <File Name=\"Util\" Path=\"\"  Name=\"Other\"/>after\n"
                           "</VYKMake>\n",
                       root),
              xmlOk);
    ASSERT_TRUE(root);
    EXPECT_EQ(root->name, "VYKMake");
    ASSERT_NE(root->AttributeValue("Main"), nullptr);
    EXPECT_EQ(*root->AttributeValue("Main"), "Hello");
    EXPECT_EQ(root->AttributeValue("Exe"), nullptr);      // empty reads as absent
    EXPECT_EQ(root->AttributeValue("main"), nullptr);     // names are case-sensitive
    EXPECT_EQ(root->text.value_or(""), "\n  ");
    ASSERT_EQ(root->children.size(), 2u);
    const CXmlElement& lib = *root->children[0];
    EXPECT_EQ(*lib.AttributeValue("Path"), "C:\\Lib\\");
    EXPECT_EQ(lib.tail.value_or(""), "\n  ");
    const CXmlElement& util = *root->children[1];
    ASSERT_EQ(util.attributes.size(), 3u);
    EXPECT_EQ(util.AttributeValue("Path"), nullptr);
    EXPECT_EQ(*util.AttributeValue("Name"), "Util");      // the first of two wins
    EXPECT_EQ(util.tail.value_or(""), "after\n");
}

TEST(XmlTree, LaterDataReplacesEarlierTextOrTail)
{
    std::unique_ptr<CXmlElement> root;
    ASSERT_EQ(XmlParse(kDecl + "<ab>one<!-- c -->two<cd>in</cd>three<!---->four</ab>", root), xmlOk);
    EXPECT_EQ(root->text.value_or(""), "two");
    ASSERT_EQ(root->children.size(), 1u);
    EXPECT_EQ(root->children[0]->text.value_or(""), "in");
    EXPECT_EQ(root->children[0]->tail.value_or(""), "four");
    EXPECT_FALSE(root->tail);
}

TEST(XmlTree, BuildingOperations)
{
    CXmlElement e;
    EXPECT_TRUE(e.name.empty());
    EXPECT_FALSE(e.text);
    e.AddAttribute("Name", "");
    e.AddAttribute("Name", "x");
    EXPECT_FALSE(e.attributes[0].value);
    EXPECT_EQ(e.AttributeValue("Name"), nullptr);
    CXmlElement* child = e.AddChild("File");
    ASSERT_EQ(e.children.size(), 1u);
    EXPECT_EQ(child, e.children[0].get());
    EXPECT_EQ(child->name, "File");
}

TEST(XmlEntities, DecodesTheFourNamedAndCharacterReferences)
{
    EXPECT_EQ(TextOf("a&amp;b&lt;&gt;&quot;"), "a&b<>\"");
    EXPECT_EQ(TextOf("&#65;&#x42;&#x6a;&#X43;"), "<error>");   // capital X is not a hex mark
    EXPECT_EQ(TextOf("&#65;&#x42;&#x6a;"), "ABj");
    EXPECT_EQ(TextOf("&#321;"), "A");                          // 321 mod 256 = 65
    EXPECT_EQ(TextOf("&#99999999999999999999999;"), "\xFF");    // no overflow on long numbers
    EXPECT_EQ(TextOf("&apos;"), "<error>");
    EXPECT_EQ(TextOf("&#;"), "<error>");
    EXPECT_EQ(TextOf("&#x;"), "<error>");
    EXPECT_EQ(TextOf("&amp"), "<error>");
    EXPECT_EQ(TextOf("&ampere;"), "<error>");
    EXPECT_EQ(TextOf("&"), "<error>");

    std::unique_ptr<CXmlElement> root;
    ASSERT_EQ(XmlParse(kDecl + "<ab Path=\"R&amp;D &#x3C;x&gt;\"/>", root), xmlOk);
    EXPECT_EQ(*root->AttributeValue("Path"), "R&D <x>");
}

TEST(XmlEntities, EscapeRoundTrips)
{
    const std::string raw = "a&b<c>d\"e'f";
    EXPECT_EQ(XmlEscape(raw), "a&amp;b&lt;c&gt;d&quot;e'f");
    std::unique_ptr<CXmlElement> root;
    ASSERT_EQ(XmlParse(kDecl + "<ab Value=\"" + XmlEscape(raw) + "\"/>", root), xmlOk);
    EXPECT_EQ(*root->AttributeValue("Value"), raw);
}

TEST(XmlNames, LettersAndDigitsOfAtLeastTwoCharacters)
{
    EXPECT_EQ(ParseBody("<a1b2 x9=\"1\"/>"), xmlOk);
    EXPECT_EQ(ParseBody("<ab  />"), xmlOk);
    EXPECT_EQ(ParseBody("<a/>"), xmlFormatError);
    EXPECT_EQ(ParseBody("<ab x=\"1\"/>"), xmlFormatError);
    EXPECT_EQ(ParseBody("<a_b/>"), xmlFormatError);
    EXPECT_EQ(ParseBody("<ns:ab/>"), xmlFormatError);
    EXPECT_EQ(ParseBody("<1ab/>"), xmlFormatError);
    EXPECT_EQ(ParseBody("<ab></AB>"), xmlFormatError);
    EXPECT_EQ(ParseBody("<ab></abc>"), xmlFormatError);
    EXPECT_EQ(ParseBody("<ab></ab  >"), xmlOk);
    EXPECT_EQ(ParseBody("<ab xy = \"1\"/>"), xmlOk);
    EXPECT_EQ(ParseBody("<ab xy=1/>"), xmlFormatError);
    EXPECT_EQ(ParseBody("<ab xy=\"a<b\"/>"), xmlFormatError);
    EXPECT_EQ(ParseBody("<ab>say \"hi\"</ab>"), xmlFormatError);
    EXPECT_EQ(ParseBody("<ab/ >"), xmlFormatError);
}

TEST(XmlComments, AroundAndInsideTheRoot)
{
    EXPECT_EQ(ParseBody("<!-- a double -- dash inside --><ab/>"), xmlFormatError);
    EXPECT_EQ(ParseBody("<!-- before - single - dashes --> <ab><!--in--></ab> <!-- after -->\n"), xmlOk);
    EXPECT_EQ(ParseBody("<!DOCTYPE ab><ab/>"), xmlFormatError);
    EXPECT_EQ(ParseBody("<!-- open <ab/>"), xmlFormatError);
    EXPECT_EQ(ParseBody("<!- x --><ab/>"), xmlFormatError);
    EXPECT_EQ(ParseBody("<?pi?><ab/>"), xmlFormatError);
}

TEST(XmlDocument, ExactlyOneRootAndNothingAfterIt)
{
    EXPECT_EQ(ParseBody("<ab/><cd/>"), xmlFormatError);
    EXPECT_EQ(ParseBody("<ab/>text"), xmlFormatError);
    EXPECT_EQ(ParseBody("<ab><cd></ab>"), xmlFormatError);
    EXPECT_EQ(ParseBody("<ab><cd>"), xmlFormatError);
    EXPECT_EQ(ParseBody("<ab>< cd/></ab>"), xmlFormatError);

    std::unique_ptr<CXmlElement> root;
    ASSERT_EQ(XmlParse(kDecl + "<ab><cd Name=\"x\"/><ef>", root), xmlFormatError);
    ASSERT_TRUE(root);   // the partly built root belongs to the caller
    EXPECT_EQ(root->children.size(), 2u);
}

TEST(XmlLimits, TextsOfAtMost999Characters)
{
    const std::string max(999, 'a'), over(1000, 'a');
    EXPECT_EQ(ParseBody("<" + max + "/>"), xmlOk);
    EXPECT_EQ(ParseBody("<" + over + "/>"), xmlFormatError);
    EXPECT_EQ(ParseBody("<ab xy=\"" + max + "\"/>"), xmlOk);
    EXPECT_EQ(ParseBody("<ab xy=\"" + over + "\"/>"), xmlFormatError);
    EXPECT_EQ(TextOf(max), max);
    EXPECT_EQ(TextOf(over), "<error>");
    EXPECT_EQ(TextOf(std::string(998, 'a') + "&amp;"), std::string(998, 'a') + "&");
    EXPECT_EQ(TextOf(std::string(999, 'a') + "&amp;"), "<error>");
    EXPECT_EQ(ParseBody("<ab>" + std::string(10000000, 'x') + "</ab>"), xmlFormatError);
}

TEST(XmlLimits, DeepNestingIsRefusedWithoutExhaustingTheStack)
{
    EXPECT_EQ(Parse(Nested(1000)), xmlOk);
    EXPECT_EQ(Parse(Nested(1001)), xmlFormatError);
    std::unique_ptr<CXmlElement> root;
    EXPECT_EQ(XmlParse(Nested(100000), root), xmlFormatError);
}

class XmlLoadTest : public ::testing::Test {
protected:
    std::string dir;
    void SetUp() override
    {
        char pattern[] = "/tmp/vykxml.XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
    }
    void TearDown() override
    {
        std::remove((dir + "/a.vym").c_str());
        rmdir(dir.c_str());
    }
    std::string Write(const std::string& text)
    {
        std::string path = dir + "/a.vym";
        FILE* f = std::fopen(path.c_str(), "wb");
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
        return path;
    }
};

TEST_F(XmlLoadTest, ResultCodes)
{
    std::unique_ptr<CXmlElement> root;
    EXPECT_EQ(XmlLoad(dir + "/missing.vym", root), xmlCannotOpen);
    EXPECT_EQ(XmlLoad(dir, root), xmlCannotOpen);
    EXPECT_EQ(XmlLoad(Write(kDecl + "<ab>x</ab>\n"), root), xmlOk);
    ASSERT_TRUE(root);
    EXPECT_EQ(root->text.value_or(""), "x");
    EXPECT_EQ(XmlLoad(Write(kDecl + "<ab>x</ab"), root), xmlFormatError);
}

TEST_F(XmlLoadTest, ReadsAcrossBufferBoundaries)
{
    std::string body = "<ab>";
    for (int i = 0; i < 20000; ++i) body += "<cd Name=\"n" + std::to_string(i) + "\">&amp;</cd>";
    body += "</ab>";
    std::unique_ptr<CXmlElement> root;
    ASSERT_EQ(XmlLoad(Write(kDecl + body), root), xmlOk);
    ASSERT_EQ(root->children.size(), 20000u);
    EXPECT_EQ(*root->children[19999]->AttributeValue("Name"), "n19999");
    EXPECT_EQ(root->children[12345]->text.value_or(""), "&");
}

}  // namespace
