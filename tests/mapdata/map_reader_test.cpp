// The reading walk: names, nesting, non-element nodes, bad and hostile input.
#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>

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

TEST_F(MapReaderTest, NamesAreLoweredAndVisitedDepthFirstInDocumentOrder) {
  ElementLog log = WalkText("<Root><B>x</B><P><O>1$</O><Q/></P><e>3</e></Root>");
  std::vector<std::pair<std::string, std::string>> expected = {
      {"root", ""}, {"b", "x"}, {"p", ""}, {"o", "1$"}, {"q", ""}, {"e", "3"}};
  EXPECT_EQ(log.elements, expected);
  EXPECT_TRUE(ShownDialogs().empty());
}

TEST_F(MapReaderTest, OnlyAsciiLettersAreLowered) {
  ElementLog log = WalkText("<A><ÄB_1>t</ÄB_1></A>");
  ASSERT_EQ(log.elements.size(), 2u);
  EXPECT_EQ(log.elements[1].first, "Äb_1");
}

TEST_F(MapReaderTest, TextIsOwnCharacterDataWithEntitiesDecoded) {
  ElementLog log = WalkText("<a><b>x &amp; &lt;y&gt;<i>inner</i> z&#20013;</b></a>");
  ASSERT_EQ(log.elements.size(), 3u);
  EXPECT_EQ(log.elements[1].second, "x & <y> z中");
  EXPECT_EQ(log.elements[2].second, "inner");
}

TEST_F(MapReaderTest, CarriageReturnLineFeedReadsAsLineFeed) {
  ElementLog log = WalkText("<a><d>one\r\ntwo\rthree</d></a>");
  ASSERT_EQ(log.elements.size(), 2u);
  EXPECT_EQ(log.elements[1].second, "one\ntwo\nthree");
}

TEST_F(MapReaderTest, CommentInsideRootShowsOneMessageAndWalkGoesOn) {
  ElementLog log = WalkText("<a><o>1$</o><!-- note --><o>2$</o></a>");
  ASSERT_EQ(log.elements.size(), 3u);
  EXPECT_EQ(log.elements[2].second, "2$");
  EXPECT_EQ(ShownDialogs().size(), 1u);
  EXPECT_EQ(Messages(MapFileInvalidMessage), 1);
}

TEST_F(MapReaderTest, EachNonElementNodeShowsItsOwnMessage) {
  WalkText("<a><!--1--><?pi data?><b><![CDATA[<x>]]></b><!--2--></a>");
  EXPECT_EQ(ShownDialogs().size(), 4u);
  EXPECT_EQ(Messages(MapFileInvalidMessage), 4);
}

TEST_F(MapReaderTest, CDataSectionIsNotPartOfTheElementText) {
  ElementLog log = WalkText("<a><b>x<![CDATA[y]]>z</b></a>");
  ASSERT_EQ(log.elements.size(), 2u);
  EXPECT_EQ(log.elements[1].second, "xz");
}

TEST_F(MapReaderTest, NodesOutsideTheRootAreNotVisited) {
  ElementLog log = WalkText(
      "<?xml version=\"1.0\"?><!-- before --><?pi x?><!DOCTYPE a><a><b>t</b></a><!-- after -->");
  EXPECT_EQ(log.elements.size(), 2u);
  EXPECT_TRUE(ShownDialogs().empty());
}

TEST_F(MapReaderTest, StopSkipsEveryLaterNodeIncludingNonElements) {
  ElementLog log = WalkText("<a><b>1</b><f>pw</f><!-- c --><o>1$</o><c><!-- d --></c></a>", "f");
  ASSERT_EQ(log.elements.size(), 3u);
  EXPECT_EQ(log.elements.back().first, "f");
  EXPECT_TRUE(ShownDialogs().empty());
}

TEST_F(MapReaderTest, StopInsideANestedElementEndsTheWholeWalk) {
  ElementLog log = WalkText("<a><x><f>pw</f><o>1$</o></x><o>2$</o></a>", "f");
  EXPECT_EQ(log.elements.size(), 3u);
}

// ---- Files that cannot be read --------------------------------------------------------------

TEST_F(MapReaderTest, MissingFileShowsTheMissingMessage) {
  ElementLog log;
  EXPECT_FALSE(ReadMapTree(dir.File("none.xml"), LogElement, &log));
  EXPECT_TRUE(log.elements.empty());
  EXPECT_EQ(ShownDialogs().size(), 1u);
  EXPECT_EQ(Messages(MapFileMissingMessage), 1);
}

TEST_F(MapReaderTest, DirectoryIsNotAMapFile) {
  ElementLog log;
  EXPECT_FALSE(ReadMapTree(dir.Path(), LogElement, &log));
  EXPECT_EQ(Messages(MapFileMissingMessage), 1);
}

TEST_F(MapReaderTest, MalformedInputShowsTheMissingMessageAndReadsNothing) {
  const char* samples[] = {
      "not xml at all",
      "<a><o>1$</o><o>2$</o>",                 // truncated after two levels
      "<a><o>1$</o></b></a>",                  // mismatched tags
      "<a><o>\xff\xfe</o></a>",                // not UTF-8
      "<a><b>&undefined;</b></a>",
      "<a></a><a></a>",                        // two roots
      "<a>\x01</a>",                           // a character XML cannot hold
  };
  for (const char* sample : samples) {
    ScriptDialogs(true);
    ElementLog log = WalkText(sample);
    EXPECT_TRUE(log.elements.empty()) << sample;
    EXPECT_EQ(ShownDialogs().size(), 1u) << sample;
    EXPECT_EQ(Messages(MapFileMissingMessage), 1) << sample;
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

TEST_F(MapReaderTest, DeepNestingIsRefused) {
  std::string deep;
  for (int i = 0; i < 5000; ++i) deep += "<n>";
  for (int i = 0; i < 5000; ++i) deep += "</n>";
  ElementLog log = WalkText(deep);
  EXPECT_TRUE(log.elements.empty());
  EXPECT_EQ(Messages(MapFileMissingMessage), 1);
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

TEST_F(MapReaderTest, EntityExpansionAttackIsStoppedQuickly) {
  std::string bomb = "<?xml version=\"1.0\"?><!DOCTYPE a [<!ENTITY e0 \"xxxxxxxxxxxxxxxx\">";
  for (int i = 1; i <= 12; ++i) {
    std::string prev = "&e" + std::to_string(i - 1) + ";";
    bomb += "<!ENTITY e" + std::to_string(i) + " \"" + prev + prev + prev + prev + prev + prev +
            prev + prev + "\">";
  }
  bomb += "]><a><b>&e12;</b></a>";
  auto start = std::chrono::steady_clock::now();
  ElementLog log = WalkText(bomb);
  auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_TRUE(log.elements.empty());
  EXPECT_EQ(Messages(MapFileMissingMessage), 1);
  EXPECT_LT(seconds, 10.0);
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

TEST_F(MapReaderTest, ManySmallNodesAreRefusedBeyondTheNodeLimit) {
  std::string many = "<a>";
  for (int i = 0; i < 120000; ++i) many += "<x/>";
  many += "</a>";
  ElementLog log = WalkText(many);
  EXPECT_TRUE(log.elements.empty());
  EXPECT_EQ(Messages(MapFileMissingMessage), 1);
}

TEST_F(MapReaderTest, ReadsAFileByItsPath) {
  std::string path = dir.File("map.xml");
  WriteBytes(path, MapFileText({"1$"}, 1));
  ElementLog log;
  EXPECT_TRUE(ReadMapTree(path, LogElement, &log));
  ASSERT_EQ(log.elements.size(), 7u);
  EXPECT_EQ(log.elements[4], (std::pair<std::string, std::string>("e", "1")));
  EXPECT_EQ(log.elements[6], (std::pair<std::string, std::string>("o", "1$")));
}

}  // namespace
