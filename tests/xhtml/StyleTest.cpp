#include "xhtml/Cascade.h"
#include "xhtml/HtmlDocument.h"

#include <gtest/gtest.h>

using namespace xhtml;

namespace {

// The properties of the document's first element.
StateStyles stylesOf(const ZString& markup)
{
    HtmlDocument doc;
    doc.parseDocument(markup);
    for (const auto& child : doc.root().children())
        if (child->type() == HtmlNode::Tag && static_cast<const HtmlTagNode&>(*child).name() != L"style")
            return computeStyles(doc.styleSheet(), static_cast<const HtmlTagNode&>(*child));
    return {};
}

StyleProperties declared(const ZString& declarations)
{
    StyleProperties p;
    const std::shared_ptr<const StyleDef> def = parseDeclarations(declarations);
    for (const auto& [name, value] : def->declarations)
        p.apply(name, value);
    return p;
}

} // namespace

TEST(StyleSheetParsing, SelectorListsShareOneBlockAndBrokenRulesAreDropped)
{
    StyleSheet sheet;
    parseStyleSheet(L" <!-- P.Big, #Main:MO ,*{ Color : Red ; ; :x; width:5 } td {x:1 ", sheet);
    ASSERT_EQ(sheet.size(), 3u);
    EXPECT_EQ(sheet[0].selector.tag, L"p");
    EXPECT_EQ(sheet[0].selector.cls, L"big");
    EXPECT_EQ(sheet[1].selector.id, L"main");
    EXPECT_EQ(sheet[1].selector.state, StateHover);
    EXPECT_EQ(sheet[2].selector.tag, L"*");
    EXPECT_EQ(sheet[0].def.get(), sheet[2].def.get());
    ASSERT_EQ(sheet[0].def->declarations.size(), 2u);
    EXPECT_EQ(sheet[0].def->declarations[0], std::make_pair(ZString(L"color"), ZString(L"red")));

    sheet.clear();
    parseStyleSheet(L"a{color:red} 9x{color:blue} b{}", sheet);
    EXPECT_EQ(sheet.size(), 1u);
}

TEST(StyleSheetParsing, PseudoStates)
{
    EXPECT_EQ(parseSelector(L"a:hoover").state, StateHover);
    EXPECT_EQ(parseSelector(L"a:hover").state, StateHover);
    EXPECT_EQ(parseSelector(L".c :lbd").state, StateLeftDown);
    EXPECT_EQ(parseSelector(L"#i:leftbuttondown").state, StateLeftDown);
    EXPECT_EQ(parseSelector(L"a:rbd").state, StateRightDown);
    EXPECT_EQ(parseSelector(L"a:rightbuttondown").state, StateRightDown);
    EXPECT_EQ(parseSelector(L"a:visited").state, StateNormal);
    const Selector s = parseSelector(L"td.cell");
    EXPECT_EQ(s.tag, L"td");
    EXPECT_EQ(s.cls, L"cell");
    EXPECT_TRUE(s.id.isEmpty());
}

TEST(StyleValues, Lengths)
{
    const StyleValue half = parseLength(L"50%");
    EXPECT_EQ(half.kind, StyleValue::Integer);
    EXPECT_EQ(half.integer, 50);
    EXPECT_TRUE(half.percent);
    EXPECT_EQ(parseLength(L"0x10").integer, 16);
    EXPECT_EQ(parseLength(L" 12px "), parseLength(L"12"));
    EXPECT_EQ(parseLength(L"12px").integer, 12);
    const StyleValue fraction = parseLength(L"1.5em");
    EXPECT_EQ(fraction.kind, StyleValue::Float);
    EXPECT_DOUBLE_EQ(fraction.number, 1.5);
    EXPECT_EQ(parseLength(L"-3").integer, -3);
}

TEST(StyleValues, Colours)
{
    EXPECT_EQ(parseColour(L"#ff000080"), 0x800000FFu);
    EXPECT_EQ(parseColour(L"red"), 255u);
    EXPECT_EQ(parseColour(L"AliceBlue"), 0x00FFF8F0u);
    EXPECT_EQ(parseColour(L"yellowgreen"), 0x0032CD9Au);
    EXPECT_EQ(parseColour(L"Transparent"), kTransparent);
    EXPECT_EQ(parseColour(L"#102030"), 0x00302010u);
    // Single digits are taken as they are.
    EXPECT_EQ(parseColour(L"#fff"), 0x000F0F0Fu);
    EXPECT_EQ(parseColour(L"#1234"), 0x04030201u);
    EXPECT_EQ(parseColour(L"rgb(1,2,3)"), kTransparent);
    EXPECT_EQ(parseColour(L"#12345"), kTransparent);
}

TEST(StyleProperties, KeywordTablesAndTheirDefaults)
{
    EXPECT_EQ(declared(L"font-weight: bolder").get(Prop::FontWeight).integer, 800);
    EXPECT_EQ(declared(L"font-weight: heavy").get(Prop::FontWeight).integer, 400);
    EXPECT_EQ(declared(L"font-weight: 600").get(Prop::FontWeight).integer, 600);
    EXPECT_EQ(declared(L"display: grid").get(Prop::Display).integer, 0);
    EXPECT_EQ(declared(L"display: inline-block").get(Prop::Display).integer, DisplayInlineBlock);
    EXPECT_EQ(declared(L"overflow: clip").get(Prop::Overflow).integer, OverflowAuto);
    EXPECT_EQ(declared(L"visibility: x").get(Prop::Visibility).integer, 1);
    EXPECT_EQ(declared(L"background-repeat: x").get(Prop::BackgroundRepeat).integer, Repeat);
    EXPECT_EQ(declared(L"vertical-align: baseline").get(Prop::VerticalAlign).integer, VAlignBottom);
    EXPECT_EQ(declared(L"text-align: CENTER").get(Prop::TextAlign).integer, AlignCenter);
    EXPECT_EQ(declared(L"font-size: x-large").get(Prop::FontSize).integer, 16);
    EXPECT_EQ(declared(L"font-size: smaller").get(Prop::FontSizeChange).integer, -2);
    EXPECT_EQ(declared(L"font-size: 11pt").get(Prop::FontSize).integer, 11);
    EXPECT_EQ(declared(L"font-family: Arial , Sans").get(Prop::FontFamily).list,
              (std::vector<ZString>{L"arial", L"sans"}));
}

TEST(StyleProperties, ShorthandsAndCompoundValues)
{
    for (const wchar_t* border : {L"border: 2px solid #ff0000", L"border: #ff0000 solid 2px", L"border: red 2 solid"}) {
        const StyleProperties p = declared(border);
        for (Prop side : {Prop::BorderLeftWidth, Prop::BorderBottomWidth})
            EXPECT_EQ(p.get(side).integer, 2) << ZString(border).toUtf8();
        EXPECT_EQ(p.get(Prop::BorderTopColor).colour, 255u);
        EXPECT_EQ(p.get(Prop::BorderRightStyle).integer, BorderSolid);
    }
    const StyleProperties left = declared(L"border-left: dashed 3px; border-top-width: 1");
    EXPECT_EQ(left.get(Prop::BorderLeftStyle).integer, BorderDashed);
    EXPECT_FALSE(left.get(Prop::BorderRightStyle).isSet());
    EXPECT_EQ(left.get(Prop::BorderTopWidth).integer, 1);

    const StyleProperties deco = declared(L"text-decoration: underline; text-decoration: overline");
    EXPECT_EQ(deco.get(Prop::Underline).integer, 1);
    EXPECT_EQ(deco.get(Prop::Overline).integer, 1);
    EXPECT_EQ(declared(L"text-decoration: underline; text-decoration: none").get(Prop::Underline).integer, 0);

    const StyleProperties gradient = declared(L"background-gradient: #000000 white horizontal");
    EXPECT_EQ(gradient.get(Prop::GradientTo).colour, 0x00FFFFFFu);
    EXPECT_EQ(gradient.get(Prop::GradientDirection).integer, GradientHorizontal);
    EXPECT_EQ(declared(L"background-gradient: red blue sideways").get(Prop::GradientDirection).integer,
              GradientVertical);
    EXPECT_FALSE(declared(L"background-gradient: red blue").get(Prop::GradientFrom).isSet());

    const StyleProperties background =
        declared(L"background-image: url( res://brandingBg.png ); background-position: right 10px; padding: 4px");
    EXPECT_EQ(background.get(Prop::BackgroundImage).text, L"res://brandingbg.png");
    EXPECT_EQ(background.get(Prop::BackgroundPositionX).kind, StyleValue::Keyword);
    EXPECT_EQ(background.get(Prop::BackgroundPositionX).integer, 2);
    EXPECT_EQ(background.get(Prop::BackgroundPositionY).integer, 10);
    EXPECT_EQ(background.get(Prop::Padding).integer, 4);
    EXPECT_FALSE(background.get(Prop::PaddingLeft).isSet());
}

TEST(Cascade, DocumentOrderWinsAndInlineStylesComeLast)
{
    // The id rule comes first and loses to the later tag rule: no specificity.
    StateStyles s = stylesOf(L"<style>#x{color:red} p{color:blue}</style><p id=X>t</p>");
    EXPECT_EQ(s[StateNormal].get(Prop::Color).colour, parseColour(L"blue"));
    s = stylesOf(L"<style>p{color:blue; width: 3}</style><p style='color:green'>t</p>");
    EXPECT_EQ(s[StateNormal].get(Prop::Color).colour, parseColour(L"green"));
    EXPECT_EQ(s[StateNormal].get(Prop::Width).integer, 3);
}

TEST(Cascade, EachStateHasItsOwnRulesAndInlineStyle)
{
    const StateStyles s = stylesOf(L"<style>a:hoover{color:red} a{color:blue} a:lbd{color:lime}</style>"
                                   L"<a moStyle='width:1' rbdStyle='color:navy'>t</a>");
    EXPECT_EQ(s[StateNormal].get(Prop::Color).colour, parseColour(L"blue"));
    EXPECT_EQ(s[StateHover].get(Prop::Color).colour, parseColour(L"red"));
    EXPECT_EQ(s[StateHover].get(Prop::Width).integer, 1);
    EXPECT_FALSE(s[StateNormal].get(Prop::Width).isSet());
    EXPECT_EQ(s[StateLeftDown].get(Prop::Color).colour, parseColour(L"lime"));
    EXPECT_EQ(s[StateRightDown].get(Prop::Color).colour, parseColour(L"navy"));
}

TEST(Cascade, ClassesMatchByContainmentAndStarMatchesAnything)
{
    StateStyles s = stylesOf(L"<style>.big{width:1} *.small{height:2} td.big{color:red}</style>"
                             L"<div class='small big'>t</div>");
    EXPECT_EQ(s[StateNormal].get(Prop::Width).integer, 1);
    EXPECT_EQ(s[StateNormal].get(Prop::Height).integer, 2);
    EXPECT_FALSE(s[StateNormal].get(Prop::Color).isSet());
    const ElementStyleAttributes a = elementStyleAttributes(
        static_cast<const HtmlTagNode&>(*[] {
            static HtmlDocument doc;
            doc.parseDocument(L"<input disabled=TRUE useFormValues=True title=t/>");
            return doc.root().children()[0].get();
        }()));
    EXPECT_TRUE(a.disabled);
    EXPECT_TRUE(a.useFormValues);
    EXPECT_EQ(a.title, L"t");
}

namespace {

class RecordingView : public StyledView {
public:
    explicit RecordingView(const HtmlTagNode& e) : m_element(e) {}
    const HtmlTagNode& element() const override { return m_element; }
    std::vector<int> changed;

private:
    void stylesChanged(int state) override { changed.push_back(state); }
    const HtmlTagNode& m_element;
};

} // namespace

TEST(Cascade, ResolveTellsTheViewWhichStatesChanged)
{
    HtmlDocument doc;
    doc.parseDocument(L"<style>b{color:red} b:mo{color:blue}</style><b>x</b>");
    RecordingView view(static_cast<const HtmlTagNode&>(*doc.root().children()[1]));
    resolveStyles(doc.styleSheet(), view);
    EXPECT_EQ(view.changed, (std::vector<int>{StateNormal, StateHover}));
    view.changed.clear();
    resolveStyles(doc.styleSheet(), view);
    EXPECT_TRUE(view.changed.empty());
    HtmlDocument other;
    other.parseDocument(L"<style>b:mo{color:blue}</style>");
    resolveStyles(other.styleSheet(), view);
    EXPECT_EQ(view.changed, (std::vector<int>{StateNormal}));
}
