// The map reader: names, nesting, repeats, stray nodes, bad and hostile input.
#include <gtest/gtest.h>

#include "map_files.h"
#include "mapdata/map_reader.h"

namespace {

using Words = std::vector<std::string>;

// ---- Names and tree walk ------------------------------------------------------------------

TEST(MapReaderTest, EntriesFollowTheWalk) {
  struct Case { std::string xml; Words expected; };
  const Case cases[] = {
      // Names in either case, at any depth; other elements passed over, their children read.
      {"<Root><B>x</B><P><O>1$</O><Q/></P><e>3</e></Root>", {"b:x", "o:1$", "e:3"}},
      {"<A><ÄB_1>t</ÄB_1><bb>u</bb><Ö>v</Ö></A>", {}},
      {"<o>5$</o>", {"o:5$"}},   // the root is an element like any other
      // Own character data only, entities decoded, CR LF and CR read as LF, CDATA left out.
      {"<a><b>x &amp; &lt;y&gt;<d>inner</d> z&#20013;</b></a>", {"b:x & <y> z中", "d:inner"}},
      {"<a><d>one\r\ntwo\rthree</d></a>", {"d:one\ntwo\nthree"}},
      // Repeats and any order, each where it stands; a count is its number value.
      {"<a><e>2</e><o>1$</o><e>x7</e><f>p</f><c>1</c><c>2</c><e>7 levels</e></a>",
       {"e:2", "o:1$", "e:0", "f:p", "c:1", "c:2", "e:7"}},
      // Stray nodes each where they stand, their own children never read.
      {"<a><!--1--><?pi data?><b><![CDATA[<o>1$</o>]]></b><!--2--><o>2$</o></a>",
       {"stray", "stray", "b:", "stray", "stray", "o:2$"}},
      // Nodes outside the root are neither read nor stray.
      {"<?xml version=\"1.0\"?><!-- x --><?pi x?><!DOCTYPE a><a><b>t</b></a><!-- after -->",
       {"b:t"}},
  };
  for (const Case& c : cases) {
    MapFile map = ReadText(c.xml);
    EXPECT_EQ(map.result, MapReadWhole) << c.xml;
    EXPECT_EQ(EntryWords(map), c.expected) << c.xml;
    EXPECT_EQ(map.strayNodes, std::count(c.expected.begin(), c.expected.end(), "stray")) << c.xml;
  }
}

TEST(MapReaderTest, SummaryFieldsHoldTheLastOfEachAndEveryLevel) {
  std::string xml = "<a><b>1</b><e>400</e><b>2</b><c>c</c><d>d</d><f>p</f><e>301</e>";
  for (int n = 1; n <= 301; ++n) xml += "<o>" + std::to_string(n) + "$</o>";
  MapFile map = ReadText(xml + "<f></f></a>");
  EXPECT_EQ(map.info.author, "2");
  EXPECT_EQ(map.info.contact, "c");
  EXPECT_EQ(map.info.introduction, "d");
  EXPECT_EQ(map.info.password, "");
  EXPECT_EQ(map.declaredLevelCount, 301);
  ASSERT_EQ(map.levels.size(), 301u);   // the 300 limit is the programs' own
  EXPECT_EQ(map.levels.back(), "301$");
  EXPECT_EQ(map.entries.size(), 8u + 301u);
}

// ---- Input that does not read ---------------------------------------------------------------

TEST(MapReaderTest, MalformedHostileAndEmptyInputReadsNothing) {
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
  struct Case { std::string xml; MapReadResult result; const char* message; };
  const Case cases[] = {
      {"not xml at all", MapNotWellFormed, MapFileMissingMessage},
      {"<a><o>1$</o><o>2$</o>", MapNotWellFormed, MapFileMissingMessage},   // truncated
      {"<a><o>1$</o></b></a>", MapNotWellFormed, MapFileMissingMessage},    // mismatched tags
      {"<a><o>\xff\xfe</o></a>", MapNotWellFormed, MapFileMissingMessage},  // not UTF-8
      {"<a><b>&undefined;</b></a>", MapNotWellFormed, MapFileMissingMessage},
      {"<a></a><a></a>", MapNotWellFormed, MapFileMissingMessage},          // two roots
      {"<a>\x01</a>", MapNotWellFormed, MapFileMissingMessage},   // a character XML cannot hold
      {deep, MapNotWellFormed, MapFileMissingMessage},            // beyond the depth limit
      {many + "</a>", MapNotWellFormed, MapFileMissingMessage},   // beyond the node limit
      // entity expansion: expat's protection stops it
      {bomb + "]><a><b>&e12;</b></a>", MapNotWellFormed, MapFileMissingMessage},
      // no element at all
      {"", MapWithoutRoot, MapFileInvalidMessage},
      {"<?xml version=\"1.0\"?>\r\n", MapWithoutRoot, MapFileInvalidMessage},
      {"<!-- only a comment -->", MapWithoutRoot, MapFileInvalidMessage},
  };
  for (const Case& c : cases) {
    MapFile map = ReadText(c.xml);
    EXPECT_EQ(map.result, c.result) << c.xml.substr(0, 40);
    EXPECT_STREQ(MapReadMessage(map.result), c.message) << c.xml.substr(0, 40);
    EXPECT_TRUE(map.entries.empty() && map.levels.empty()) << c.xml.substr(0, 40);
    EXPECT_EQ(map.strayNodes, 0) << c.xml.substr(0, 40);
  }
}

TEST(MapReaderTest, ModerateNestingIsRead) {
  std::string nested;
  for (int i = 0; i < 200; ++i) nested += "<n>";
  nested += "<o>1$</o>";
  for (int i = 0; i < 200; ++i) nested += "</n>";
  EXPECT_EQ(EntryWords(ReadText(nested)), Words{"o:1$"});
}

TEST(MapReaderTest, ExternalEntitiesAreNeverRead) {
  ScratchDir dir;
  std::string secret = dir.File("secret.txt");
  WriteBytes(secret, "SECRET");
  MapFile map = ReadText("<!DOCTYPE a [<!ENTITY x SYSTEM \"file://" + secret +
                         "\">]><a><b>[&x;]</b></a>");
  EXPECT_EQ(EntryWords(map), Words{"b:[]"});
}

}  // namespace
