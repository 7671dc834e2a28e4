// rowshift-host --svg: the picture of the object list before and after the
// steps, read back as XML; and the committed pictures of docs/pictures, drawn
// again by the plug-in as it is now.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include <pugixml.hpp>

#include "tools/host_process_support.h"

namespace rowshift::testing {
namespace {

// A generous bound on the picture's bytes per slot drawn: the size grows in
// proportion to the document, whatever its shape.
constexpr std::size_t kBytesPerSlot = 800;

// What the picture draws, counted on each side.
struct Drawn {
  int before_rows;   // slots drawn on the left, empty ones included
  int after_rows;    // and on the right
  int moved;         // objects numbered on each side, and the lines joining them
  int hidden_after;  // rows drawn faint under a collapsed object, on the right
  int deep_after;    // rows showing their depth instead of more indent, on the right
  int cut_after;     // names too long for the column, cut with an ellipsis, on the right
};

struct PictureCase {
  const char* name;
  std::string outline;
  std::vector<std::string> steps;
  Drawn drawn;
  std::string description;  // a part of what a screen reader tells
};

std::string Chain(int objects) {
  std::string text;
  for (int i = 0; i < objects; ++i) {
    text += "O" + std::to_string(i) + " [depth=" + std::to_string(i) +
            (i + 1 == objects ? " current]\n" : "]\n");
  }
  return text;
}

std::string FlatWithEveryTenthSelected(int objects) {
  std::string text;
  for (int i = 0; i < objects; ++i) {
    text += "O" + std::to_string(i) + (i % 10 == 0 ? " [selected]\n" : "\n");
  }
  return text;
}

std::vector<PictureCase> PictureCases() {
  return {
      {"UpStepsIntoTheObjectAbove",
       "Shelf\n  Book\nVase [current]\n",
       {"up"},
       {3, 4, 1, 0, 0, 0},
       "After: Shelf, Vase (depth 1, moved), Book (depth 1). The current object is Vase."},
      {"RowsUnderACollapsedObjectAreFaint",
       "Vase [current]\nShelf [collapsed]\n  Book\n  Clock\n",
       {"down"},
       {4, 5, 1, 2, 0, 0},
       "1 object moved. After: Shelf, Book (depth 1), Clock (depth 1), Vase (moved)."},
      {"NothingToActOnMovesNothing",
       "Shelf [current]\nVase\n",
       {"gather"},
       {2, 2, 0, 0, 0, 0},
       "before and after 'gather'. Nothing moved."},
      {"SeveralStepsAreOnePicture",
       "A [selected]\nB\nC [current selected]\n",
       {"top", "up"},
       {3, 6, 1, 0, 0, 0},
       "after 'top up'. 1 object moved. After: C (moved), A, B. The current object is C."},
      {"NamesOfAnyBytesStayWellFormedText",
       "A<&\"> [current]\n\xff\xfe bad\n\xe6\xa4\x85\xe5\xad\x90\n" + std::string(300, 'L') + "\n",
       {"up"},
       {4, 5, 1, 0, 0, 1},
       "After: \xef\xbf\xbd\xef\xbf\xbd bad, \xe6\xa4\x85\xe5\xad\x90, LLL"},
      {"AThousandLevelsKeepTheirIndentAndShowTheirDepth",
       Chain(1000),
       {"up"},
       {1000, 1001, 1, 0, 995, 0},
       "1 object moved. After: O0, O1 (depth 1)"},
      {"AHundredThousandObjects",
       FlatWithEveryTenthSelected(100000),
       {"top"},
       {100000, 110000, 9999, 0, 0, 0},
       "9999 objects moved. After: O0, O10 (moved)"},
      {"JapaneseHeadingsAndLegendKeepTheNames",
       "Shelf\n  Book\nVase [current]\n",
       {"--svg-lang", "ja", "up"},
       {3, 4, 1, 0, 0, 0},
       "「up」の実行前と実行後。移動したオブジェクトは 1 個。実行後: Shelf、Vase（深さ 1、移動）、"
       "Book（深さ 1）。カレントオブジェクトは Vase。"},
      {"CountsMovesAsTheStepLineDoes",
       "Floor\nChair [selected]\n  Cushion\nLamp [selected]\n",
       {"top"},
       {4, 7, 3, 0, 0, 0},
       "2 objects moved (with 1 under them). After: Chair (moved), Cushion (depth 1, moved)"},
  };
}

int CountRows(const pugi::xml_node& svg, const std::string& side, const char* flag = nullptr) {
  const std::string query = "/svg/g[@class='" + side + "']/g/g[starts-with(@class, 'row')" +
                            (flag ? std::string(" and contains(@class, '") + flag + "')" : "") +
                            "]";
  return static_cast<int>(svg.select_nodes(query.c_str()).size());
}

// Plain SVG 1.1: nothing that runs, and nothing fetched from elsewhere.
void ExpectSelfContained(const pugi::xml_document& picture) {
  const pugi::xml_node svg = picture.child("svg");
  ASSERT_TRUE(svg);
  EXPECT_STREQ(svg.attribute("version").value(), "1.1");
  EXPECT_STREQ(svg.attribute("xmlns").value(), "http://www.w3.org/2000/svg");
  EXPECT_NE(std::string(svg.child_value("title")), "");
  EXPECT_NE(std::string(svg.child_value("desc")), "");
  for (const char* outside : {"//script", "//a", "//image", "//foreignObject", "//style",
                              "//@*[contains(name(), 'href') or contains(., 'url(')]"}) {
    EXPECT_TRUE(picture.select_nodes(outside).empty()) << outside;
  }
}

class RowshiftHostPicture : public ::testing::TestWithParam<PictureCase> {};

TEST_P(RowshiftHostPicture, DrawsEachSlotWithItsFlagsAndJoinsEachMovedObject) {
  const PictureCase& example = GetParam();
  const std::string outline = WriteSuiteFile(std::string(example.name) + ".txt", example.outline);
  const std::string path = SuiteFile(std::string(example.name) + ".svg");
  std::vector<std::string> arguments{"--svg", path, outline};
  arguments.insert(arguments.end(), example.steps.begin(), example.steps.end());

  const HostProcess run = RunRowshiftHost(arguments);

  ASSERT_EQ(run.exit_code, 0) << run.err;
  const std::string text = ReadFile(path);
  pugi::xml_document picture;
  ASSERT_TRUE(picture.load_string(text.c_str())) << text.substr(0, 2000);
  ExpectSelfContained(picture);
  const pugi::xml_node svg = picture.child("svg");
  EXPECT_EQ(CountRows(svg, "before"), example.drawn.before_rows);
  EXPECT_EQ(CountRows(svg, "after"), example.drawn.after_rows);
  EXPECT_EQ(CountRows(svg, "before", "moved"), example.drawn.moved);
  EXPECT_EQ(CountRows(svg, "after", "moved"), example.drawn.moved);
  EXPECT_EQ(svg.select_nodes("g[@class='moves']/line").size(),
            static_cast<std::size_t>(example.drawn.moved));
  EXPECT_EQ(CountRows(svg, "after", "hidden"), example.drawn.hidden_after);
  EXPECT_EQ(CountRows(svg, "after", "deep"), example.drawn.deep_after);
  const std::string query = "/svg/g[@class='after']/g/g/text[contains(., '\xe2\x80\xa6')]";
  EXPECT_EQ(svg.select_nodes(query.c_str()).size(),
            static_cast<std::size_t>(example.drawn.cut_after));
  EXPECT_NE(std::string(svg.child_value("desc")).find(example.description), std::string::npos)
      << svg.child_value("desc");
  EXPECT_LE(text.size(), kBytesPerSlot * static_cast<std::size_t>(example.drawn.after_rows + 10));
}

INSTANTIATE_TEST_SUITE_P(Outlines, RowshiftHostPicture, ::testing::ValuesIn(PictureCases()),
                         [](const auto& test) { return std::string(test.param.name); });

// The pictures in docs/pictures, drawn again by scripts/pictures.sh into a
// folder of the suite's own: a change of behaviour shows as a changed picture.
// The user guide carries the same pictures inline.
class CommittedPicture : public ::testing::TestWithParam<const char*> {
 protected:
  static void SetUpTestSuite() {
    namespace fs = std::filesystem;
    folder_ = fs::absolute(SuiteFile("pictures")).string();
    fs::remove_all(folder_);
    const std::string command = "ROWSHIFT_HOST=\"" + HostProgramPath() + "\" bash \"" +
                                ROWSHIFT_SOURCE_DIR + "/scripts/pictures.sh\" \"" + folder_ + "\"";
    drawn_ = std::system(command.c_str()) == 0;
  }
  static std::string folder_;
  static bool drawn_;
};
std::string CommittedPicture::folder_;
bool CommittedPicture::drawn_ = false;

// In each guide: the English pictures in guide.html, the Japanese ones in
// guide.ja.html.
TEST_P(CommittedPicture, IsWhatThePluginDrawsNowAndReadsAsXml) {
  ASSERT_TRUE(drawn_) << "scripts/pictures.sh failed";
  for (const auto& [pictures, guide_name] :
       {std::pair<std::string, std::string>{"", "guide.html"}, {"ja/", "guide.ja.html"}}) {
    const std::string name = pictures + GetParam() + ".svg";
    const std::string committed =
        ReadFile(std::string(ROWSHIFT_SOURCE_DIR) + "/docs/pictures/" + name);
    const std::string drawn = ReadFile(folder_ + "/" + name);

    EXPECT_EQ(drawn, committed) << "docs/pictures/" << name
                                << " differs from what the plug-in draws now: look at the change "
                                   "and run bash scripts/pictures.sh";
    const std::string guide = ReadFile(std::string(ROWSHIFT_SOURCE_DIR) + "/docs/" + guide_name);
    EXPECT_NE(guide.find("<!-- picture " + std::string(GetParam()) + " -->\n" + committed +
                         "<!-- end picture -->"),
              std::string::npos)
        << "docs/" << guide_name << " holds an older copy of " << name
        << ": run bash scripts/pictures.sh";
    pugi::xml_document picture;
    ASSERT_TRUE(picture.load_string(committed.c_str())) << name;
    ExpectSelfContained(picture);
  }
}

TEST(UserGuide, BothLanguagesNameTheReleaseTheyDescribe) {
  for (const char* name : {"guide.html", "guide.ja.html"}) {
    const std::string guide = ReadFile(std::string(ROWSHIFT_SOURCE_DIR) + "/docs/" + name);
    EXPECT_NE(guide.find(std::string("Rowshift ") + ROWSHIFT_RELEASE), std::string::npos) << name;
  }
}

INSTANTIATE_TEST_SUITE_P(Operations, CommittedPicture,
                         ::testing::Values("insert", "up", "down", "top", "bottom", "gather"),
                         [](const auto& test) { return std::string(test.param); });

}  // namespace
}  // namespace rowshift::testing
