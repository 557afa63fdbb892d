#include "xhtml/HtmlDocument.h"
#include "xhtml/TextSpacing.h"

#include <gtest/gtest.h>

using namespace xhtml;

namespace {

const HtmlTagNode& tagAt(const HtmlTagNode& parent, size_t i)
{
    EXPECT_LT(i, parent.children().size());
    EXPECT_EQ(parent.children()[i]->type(), HtmlNode::Tag);
    return static_cast<const HtmlTagNode&>(*parent.children()[i]);
}

ZString textAt(const HtmlTagNode& parent, size_t i)
{
    if (i >= parent.children().size() || parent.children()[i]->type() != HtmlNode::Text)
        return L"<not a text node>";
    return static_cast<const HtmlTextNode&>(*parent.children()[i]).text();
}

} // namespace

TEST(Parser, ElementsNestAndTextStaysAsWritten)
{
    HtmlDocument doc;
    doc.parseDocument(L"<p>a<b>b</b></p>");
    ASSERT_EQ(doc.root().children().size(), 1u);
    const HtmlTagNode& p = tagAt(doc.root(), 0);
    EXPECT_EQ(p.name(), L"p");
    ASSERT_EQ(p.children().size(), 2u);
    EXPECT_EQ(textAt(p, 0), L"a");
    EXPECT_EQ(tagAt(p, 1).name(), L"b");
    EXPECT_EQ(textAt(tagAt(p, 1), 0), L"b");
    EXPECT_EQ(p.parent(), &doc.root());

    doc.parseDocument(L"<p>x &amp; y</p>");
    EXPECT_EQ(textAt(tagAt(doc.root(), 0), 0), L"x &amp; y");
}

TEST(Parser, NamesAreLowerCasedAndAttributeValuesKeptAsWritten)
{
    HtmlDocument doc;
    doc.parseDocument(L"<P ALIGN=center>t</P>");
    const HtmlTagNode& p = tagAt(doc.root(), 0);
    EXPECT_EQ(p.name(), L"p");
    ASSERT_EQ(p.attributes().size(), 1u);
    EXPECT_EQ(p.attributes()[0].name, L"align");
    EXPECT_EQ(p.attributes()[0].value, L"center");

    doc.parseDocument(L"<input value='a b' disabled name = \"x&amp;y\" name=second/>");
    const HtmlTagNode& input = tagAt(doc.root(), 0);
    EXPECT_TRUE(input.children().empty());
    ASSERT_EQ(input.attributes().size(), 4u);
    EXPECT_EQ(*input.attribute(L"value"), L"a b");
    EXPECT_EQ(input.attributes()[1].name, L"disabled");
    EXPECT_EQ(input.attributes()[1].value, L"");
    EXPECT_EQ(input.attributes()[2].value, L"x&amp;y");
    EXPECT_EQ(input.attributes()[3].value, L"second");
}

TEST(Parser, AttributeValuesStopAtTagEndsAndStartTags)
{
    HtmlDocument doc;
    doc.parseDocument(L"<a href=x/>after");
    EXPECT_EQ(*tagAt(doc.root(), 0).attribute(L"href"), L"x");
    EXPECT_TRUE(tagAt(doc.root(), 0).children().empty());
    EXPECT_EQ(textAt(doc.root(), 1), L"after");

    // A start tag without ">" takes what follows as its content.
    doc.parseDocument(L"<div class=a<span>s</span></div>");
    const HtmlTagNode& div = tagAt(doc.root(), 0);
    EXPECT_EQ(*div.attribute(L"class"), L"a");
    ASSERT_EQ(div.children().size(), 1u);
    EXPECT_EQ(tagAt(div, 0).name(), L"span");
}

TEST(Parser, NoImpliedEndTags)
{
    HtmlDocument doc;
    doc.parseDocument(L"<p><br/>x</p>");
    const HtmlTagNode& p = tagAt(doc.root(), 0);
    ASSERT_EQ(p.children().size(), 2u);
    EXPECT_TRUE(tagAt(p, 0).children().empty());
    EXPECT_EQ(textAt(p, 1), L"x");

    // A plain ">" makes br a container; "</p>" does not end it and is dropped.
    doc.parseDocument(L"<p><br>x</p>y");
    const HtmlTagNode& p2 = tagAt(doc.root(), 0);
    ASSERT_EQ(p2.children().size(), 1u);
    const HtmlTagNode& br = tagAt(p2, 0);
    ASSERT_EQ(br.children().size(), 2u);
    EXPECT_EQ(textAt(br, 0), L"x");
    EXPECT_EQ(textAt(br, 1), L"y");

    doc.parseDocument(L"<p>a</i>b</P>c");
    const HtmlTagNode& p3 = tagAt(doc.root(), 0);
    ASSERT_EQ(p3.children().size(), 2u);
    EXPECT_EQ(textAt(p3, 0), L"a");
    EXPECT_EQ(textAt(p3, 1), L"b");
    EXPECT_EQ(textAt(doc.root(), 1), L"c");
}

TEST(Parser, RawTextCommentsAndUnterminatedInput)
{
    HtmlDocument doc;
    doc.parseDocument(L"<style>a<x b {}</STYLE >t");
    const HtmlTagNode& style = tagAt(doc.root(), 0);
    ASSERT_EQ(style.children().size(), 1u);
    EXPECT_EQ(textAt(style, 0), L"a<x b {}");
    EXPECT_EQ(textAt(doc.root(), 1), L"t");

    doc.parseDocument(L"<textarea>never closed <b>");
    EXPECT_EQ(textAt(tagAt(doc.root(), 0), 0), L"never closed <b>");

    doc.parseDocument(L"a<!-- c -->b");
    ASSERT_EQ(doc.root().children().size(), 2u);
    EXPECT_EQ(textAt(doc.root(), 1), L"b");

    const ZString open = L"a<!-- never closed <p>x</p>";
    EXPECT_EQ(doc.parseDocument(open), open.length());
    ASSERT_EQ(doc.root().children().size(), 1u);
    EXPECT_EQ(textAt(doc.root(), 0), L"a");

    // A "<" that opens nothing stays in the text.
    doc.parseDocument(L"1 < 2 <3");
    EXPECT_EQ(textAt(doc.root(), 0), L"1 < 2 <3");
}

TEST(Parser, StyleElementsFeedTheStyleSheet)
{
    HtmlDocument doc;
    doc.parseDocument(L"<html><style>p{color:red}</style><body><style>a, b:hover {x:1}</style></body></html>");
    ASSERT_EQ(doc.styleSheet().size(), 3u);
    EXPECT_EQ(doc.styleSheet()[0].selector.tag, L"p");
    EXPECT_EQ(doc.styleSheet()[2].selector.state, StateHover);
    doc.parseDocument(L"<p/>");
    EXPECT_TRUE(doc.styleSheet().empty());
}

TEST(Parser, DeepNestingNeitherRecursesNorOverflows)
{
    ZString text;
    for (int i = 0; i < 100000; ++i)
        text.append(L"<b");
    HtmlDocument doc;
    EXPECT_EQ(doc.parseDocument(text), text.length());
}

TEST(TextSpacing, AtMostOneSpaceCarriesBetweenPieces)
{
    TextSpacing spacing;
    EXPECT_EQ(spacing.words(L"  one \n two  "), (std::vector<ZString>{L"one", L" two "}));
    // The previous piece ended with a space: none in front again.
    EXPECT_EQ(spacing.words(L" three"), (std::vector<ZString>{L"three"}));
    EXPECT_EQ(spacing.words(L" four"), (std::vector<ZString>{L" four"}));
    EXPECT_TRUE(spacing.words(L"   ").empty());
    EXPECT_EQ(spacing.words(L"&lt;b&gt;x"), (std::vector<ZString>{L"<b>x"}));
    spacing.reset();
    EXPECT_EQ(spacing.words(L" after-block"), (std::vector<ZString>{L"after-block"}));
}

TEST(TextSpacing, ReplacedElementsGetASpaceWhenTheTextBeforeAskedForOne)
{
    TextSpacing spacing;
    spacing.words(L"a");
    EXPECT_FALSE(spacing.spaceBeforeReplaced());
    spacing.words(L" ");
    EXPECT_TRUE(spacing.spaceBeforeReplaced());
    EXPECT_EQ(spacing.words(L" &nbsp; "), (std::vector<ZString>{L" \xA0 "}));
}
