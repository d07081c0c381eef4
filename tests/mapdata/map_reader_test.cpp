// The reading walk: names, nesting, non-element nodes, bad and hostile input.
#include <gtest/gtest.h>

#include <unistd.h>

#include "map_files.h"
#include "mapdata/level_model.h"
#include "mapdata/map_reader.h"
#include "platform/dialog.h"

namespace {

class MapReaderTest : public testing::Test {
 protected:
  void SetUp() override { ScriptDialogs(true); }
  void TearDown() override { ScriptDialogs(false); }

  // Number of message boxes with the given text, each checked for the title.
  static int Messages(const char* text) {
    int count = 0;
    for (const ShownDialog& d : ShownDialogs()) {
      EXPECT_EQ(d.kind, DialogMessage);
      EXPECT_EQ(d.title, "提示");
      count += d.text == text;
    }
    return count;
  }

  ScratchDir dir;
};

// ---- Names and tree walk ------------------------------------------------------------------

TEST_F(MapReaderTest, NamesTextsAndOrderOfTheWalk) {
  using Elements = std::vector<std::pair<std::string, std::string>>;
  struct Case { std::string xml; Elements expected; };
  const Case cases[] = {
      // Names lowered (ASCII only), depth first in document order.
      {"<Root><B>x</B><P><O>1$</O><Q/></P><e>3</e></Root>",
       {{"root", ""}, {"b", "x"}, {"p", ""}, {"o", "1$"}, {"q", ""}, {"e", "3"}}},
      {"<A><ÄB_1>t</ÄB_1></A>", {{"a", ""}, {"Äb_1", "t"}}},
      // Own character data only, entities decoded, CR LF and CR read as LF, CDATA left out.
      {"<a><b>x &amp; &lt;y&gt;<i>inner</i> z&#20013;</b></a>",
       {{"a", ""}, {"b", "x & <y> z中"}, {"i", "inner"}}},
      {"<a><d>one\r\ntwo\rthree</d></a>", {{"a", ""}, {"d", "one\ntwo\nthree"}}},
      // Nodes outside the root are neither visited nor reported.
      {"<?xml version=\"1.0\"?><!-- x --><?pi x?><!DOCTYPE a><a><b>t</b></a><!-- after -->",
       {{"a", ""}, {"b", "t"}}},
  };
  for (const Case& c : cases) EXPECT_EQ(WalkText(c.xml).elements, c.expected) << c.xml;
  EXPECT_TRUE(ShownDialogs().empty());
}

TEST_F(MapReaderTest, EachNonElementNodeShowsItsOwnMessage) {
  WalkText("<a><!--1--><?pi data?><b><![CDATA[<x>]]></b><!--2--></a>");
  EXPECT_EQ(ShownDialogs().size(), 4u);
  EXPECT_EQ(Messages(MapFileInvalidMessage), 4);
}

TEST_F(MapReaderTest, StopSkipsEveryLaterNodeIncludingNonElements) {
  ElementLog log = WalkText("<a><b>1</b><f>pw</f><!-- c --><o>1$</o><c><!-- d --></c></a>", "f");
  ASSERT_EQ(log.elements.size(), 3u);
  EXPECT_EQ(log.elements.back().first, "f");
  EXPECT_TRUE(ShownDialogs().empty());
  EXPECT_EQ(WalkText("<a><x><f>pw</f><o>1$</o></x><o>2$</o></a>", "f").elements.size(), 3u);
}

// ---- Files that cannot be read --------------------------------------------------------------

TEST_F(MapReaderTest, MissingFileOrDirectoryShowsTheMissingMessage) {
  for (const std::string& path : {dir.File("none.xml"), dir.Path()}) {
    ScriptDialogs(true);
    ElementLog log;
    EXPECT_FALSE(ReadMapTree(path, LogElement, &log)) << path;
    EXPECT_TRUE(log.elements.empty());
    EXPECT_EQ(ShownDialogs().size(), 1u);
    EXPECT_EQ(Messages(MapFileMissingMessage), 1);
  }
}

TEST_F(MapReaderTest, MalformedAndHostileInputShowsTheMissingMessageAndReadsNothing) {
  std::string deep, many = "<a>";
  for (int i = 0; i < 5000; ++i) deep.insert(deep.size() / 2, "<n></n>");
  for (int i = 0; i < 120000; ++i) many += "<x/>";
  std::string bomb = "<?xml version=\"1.0\"?><!DOCTYPE a [<!ENTITY e0 \"xxxxxxxxxxxxxxxx\">";
  for (int i = 1; i <= 12; ++i) {
    std::string prev = "&e" + std::to_string(i - 1) + ";";
    bomb += "<!ENTITY e" + std::to_string(i) + " \"";
    for (int k = 0; k < 8; ++k) bomb += prev;
    bomb += "\">";
  }
  const std::string samples[] = {
      "not xml at all",
      "<a><o>1$</o><o>2$</o>",                 // truncated after two levels
      "<a><o>1$</o></b></a>",                  // mismatched tags
      "<a><o>\xff\xfe</o></a>",                // not UTF-8
      "<a><b>&undefined;</b></a>",
      "<a></a><a></a>",                        // two roots
      "<a>\x01</a>",                           // a character XML cannot hold
      deep,                                    // nesting beyond the depth limit
      many + "</a>",                           // beyond the node limit
      bomb + "]><a><b>&e12;</b></a>",          // entity expansion: expat's protection stops it
  };
  for (const std::string& sample : samples) {
    ScriptDialogs(true);
    ElementLog log = WalkText(sample);
    EXPECT_TRUE(log.elements.empty()) << sample.substr(0, 40);
    EXPECT_EQ(ShownDialogs().size(), 1u) << sample.substr(0, 40);
    EXPECT_EQ(Messages(MapFileMissingMessage), 1) << sample.substr(0, 40);
  }
}

TEST_F(MapReaderTest, DocumentWithoutElementShowsTheNoRootMessage) {
  for (const char* sample : {"", "<?xml version=\"1.0\"?>\r\n", "<!-- only a comment -->"}) {
    ScriptDialogs(true);
    ElementLog log;
    EXPECT_FALSE(ReadMapBytes(reinterpret_cast<const unsigned char*>(sample),
                              std::string(sample).size(), LogElement, &log));
    EXPECT_EQ(ShownDialogs().size(), 1u) << sample;
    EXPECT_EQ(Messages(MapFileInvalidMessage), 1) << sample;
  }
}

TEST_F(MapReaderTest, ModerateNestingIsRead) {
  std::string nested;
  for (int i = 0; i < 200; ++i) nested += "<n>";
  nested += "<o>1$</o>";
  for (int i = 0; i < 200; ++i) nested += "</n>";
  ElementLog log = WalkText(nested);
  EXPECT_EQ(log.elements.size(), 201u);
  EXPECT_TRUE(ShownDialogs().empty());
}

TEST_F(MapReaderTest, ExternalEntitiesAreNeverRead) {
  std::string secret = dir.File("secret.txt");
  WriteBytes(secret, "SECRET");
  ElementLog log = WalkText("<!DOCTYPE a [<!ENTITY x SYSTEM \"file://" + secret +
                            "\">]><a><b>[&x;]</b></a>");
  ASSERT_EQ(log.elements.size(), 2u);
  EXPECT_EQ(log.elements[1].second, "[]");
  for (const auto& element : log.elements) {
    EXPECT_EQ(element.second.find("SECRET"), std::string::npos);
  }
}

TEST_F(MapReaderTest, FileAboveTheSizeLimitIsNotRead) {
  std::string path = dir.File("huge.xml");
  WriteBytes(path, "<a>");
  ASSERT_EQ(truncate(path.c_str(), 65 << 20), 0);   // sparse: nothing is written
  ElementLog log;
  EXPECT_FALSE(ReadMapTree(path, LogElement, &log));
  EXPECT_EQ(Messages(MapFileMissingMessage), 1);
}

}  // namespace
