// rowshift-host --svg: the picture of the object list before and after the
// steps, read back as XML; the committed pictures of docs/pictures, drawn
// again by the plug-in as it is now; and the guides and files around them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <pugixml.hpp>

#include "outline/outline.h"
#include "tools/host_process_support.h"
#include "tools/rowshift_host/rowshift_host_object_moves.h"

namespace rowshift::testing {
namespace {

// A generous bound on the picture's bytes per line drawn: the size grows in
// proportion to the lines drawn, whatever the document's shape.
constexpr std::size_t kBytesPerSlot = 800;

// What the picture draws, counted on each side.
struct Drawn {
  int before_rows;   // slots drawn on the left, empty ones included
  int after_rows;    // and on the right
  int moved;         // objects numbered on each side, and the lines joining them
  int folded_after;  // rows drawn faint, folded under a collapsed object, on the right
  int deep_after;    // rows showing their depth instead of more indent, on the right
  int cut_after;  // names too long for the column, cut with an ellipsis and a tooltip, on the right
  int left_out_after = 0;  // lines standing for rows of a large document left out, on the right
  int moved_before = -1;   // moved objects drawn on the left, and lines joining: -1 as on the right
};

struct PictureCase {
  const char* name;
  std::string outline;
  std::vector<std::string> steps;
  Drawn drawn;
  std::string description;           // a part of what a screen reader tells
  std::vector<std::string> written;  // each stands in the SVG text as it is
};

std::string Chain(int objects) {
  std::string text;
  for (int i = 0; i < objects; ++i) {
    text += "O" + std::to_string(i) + " [depth=" + std::to_string(i) +
            (i + 1 == objects ? " current]\n" : "]\n");
  }
  return text;
}

std::string FlatWithSelected(int objects, int every) {
  std::string text;
  for (int i = 0; i < objects; ++i) {
    text += "O" + std::to_string(i) + (i % every == 0 ? " [selected]\n" : "\n");
  }
  return text;
}

std::vector<PictureCase> PictureCases() {
  return {
      {"UpStepsIntoTheObjectAbove",
       "Shelf\n  Book\nVase [current]\n",
       {"up"},
       {3, 4, 1, 0, 0, 0},
       "After: Shelf, Vase (depth 1, moved), Book (depth 1). The current object is Vase.",
       {">Before</text>", ">After up</text>", ">hidden (faint)</text>"}},
      {"RowsUnderACollapsedObjectAreFaint",
       "Vase [current]\nShelf [collapsed]\n  Book\n  Clock\n",
       {"down"},
       {4, 5, 1, 2, 0, 0},
       "1 object moved. After: Shelf, Book (depth 1), Clock (depth 1), Vase (moved).",
       {}},
      {"NothingToActOnMovesNothing",
       "Shelf [current]\nVase\n",
       {"gather"},
       {2, 2, 0, 0, 0, 0},
       "before and after 'gather'. Nothing moved.",
       {}},
      {"SeveralStepsAreOnePicture",
       "A [selected]\nB\nC [current selected]\n",
       {"top", "up"},
       {3, 6, 1, 0, 0, 0},
       "after 'top up'. 1 object moved. After: C (moved), A, B. The current object is C.",
       {}},
      {"NamesOfAnyCharactersStayWellFormedText",
       "A<&\"> [current]\n\xe6\xa4\x85\xe5\xad\x90\n" + std::string(300, 'L') + "\n",
       {"up"},
       {3, 4, 1, 0, 0, 1},
       "After: \xe6\xa4\x85\xe5\xad\x90, LLL",
       {"<title>" + std::string(300, 'L') + "</title>", ">A&lt;&amp;\"&gt;</text>"}},
      {"RepeatedSpacesStayAsTyped",
       "A [current]\n  Two  spaces\nB   three\n",
       {"down"},
       {3, 5, 2, 0, 0, 0},
       "After: B   three, A (moved), Two  spaces (depth 1, moved)",
       {"xml:space=\"preserve\">Two  spaces</text>", "xml:space=\"preserve\">B   three</text>"}},
      {"AThousandLevelsKeepTheirIndentAndShowTheirDepth",
       Chain(1000),
       {"up"},
       {1000, 1001, 1, 0, 995, 0},
       "1 object moved. After: O0, O1 (depth 1)",
       {}},
      {"ALargeDocumentDrawsTheRowsThatChangedAndCountsTheRest",
       FlatWithSelected(100000, 5000),
       {"top"},
       {137, 157, 19, 0, 0, 0, 20},
       "19 objects moved. After: O0, O5000 (moved)",
       {">\xe2\x80\xa6 4,993 rows \xe2\x80\xa6</text>"}},
      {"ChangesEverywhereAreDrawnUpToTheBound",
       FlatWithSelected(100000, 10),
       {"top"},
       {1750, 2000, 1999, 0, 0, 0, 1, 249},
       "9999 objects moved. After: O0, O10 (moved)",
       {}},
      {"JapaneseHeadingsAndLegendKeepTheNames",
       "Shelf\n  Book\nVase [current]\n",
       {"--svg-lang", "ja", "up"},
       {3, 4, 1, 0, 0, 0},
       "「up」の実行前と実行後。移動したオブジェクトは 1 個。実行後: Shelf、Vase（深さ 1、移動）、"
       "Book（深さ 1）。カレントオブジェクトは Vase。",
       {">実行前</text>", ">実行後: up</text>", ">畳まれた行</text>"}},
      {"CountsMovesAsTheStepLineDoes",
       "Floor\nChair [selected]\n  Cushion\nLamp [selected]\n",
       {"top"},
       {4, 7, 3, 0, 0, 0},
       "2 objects moved (with 1 under them). After: Chair (moved), Cushion (depth 1, moved)",
       {}},
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
  const int moved_before =
      example.drawn.moved_before < 0 ? example.drawn.moved : example.drawn.moved_before;
  EXPECT_EQ(CountRows(svg, "before", "moved"), moved_before);
  EXPECT_EQ(CountRows(svg, "after", "moved"), example.drawn.moved);
  EXPECT_EQ(svg.select_nodes("g[@class='moves']/line").size(),
            static_cast<std::size_t>(moved_before));
  EXPECT_EQ(svg.select_nodes("/svg/g[@class='after']/g/g[@class='left-out']").size(),
            static_cast<std::size_t>(example.drawn.left_out_after));
  EXPECT_EQ(CountRows(svg, "after", "folded"), example.drawn.folded_after);
  EXPECT_EQ(CountRows(svg, "after", "deep"), example.drawn.deep_after);
  const std::string query =
      "/svg/g[@class='after']/g/g[starts-with(@class, 'row')]/text[contains(., '\xe2\x80\xa6')]";
  EXPECT_EQ(svg.select_nodes(query.c_str()).size(),
            static_cast<std::size_t>(example.drawn.cut_after));
  EXPECT_EQ(svg.select_nodes("/svg/g[@class='after']/g/g[contains(@class, ' cut')]/title").size(),
            static_cast<std::size_t>(example.drawn.cut_after));
  EXPECT_NE(std::string(svg.child_value("desc")).find(example.description), std::string::npos)
      << svg.child_value("desc");
  for (const std::string& written : example.written) {
    EXPECT_NE(text.find(written), std::string::npos) << written;
  }
  EXPECT_LE(text.size(),
            kBytesPerSlot * static_cast<std::size_t>(example.drawn.after_rows +
                                                     example.drawn.left_out_after + 10));
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
    const HostProcess window = RunRowshiftHost({"--window"});
    std::istringstream lines(window.out);
    const std::string text = "text=\"";
    for (std::string line; std::getline(lines, line);) {
      const std::size_t at = line.find(text);
      if (line.find("button #") == std::string::npos || at == std::string::npos) continue;
      labels_.push_back(
          line.substr(at + text.size(), line.find('"', at + text.size()) - at - text.size()));
    }
  }

  // A button's label as the guide heads its section with it, as the button
  // shows it: the access key underlined, the line break kept.
  static std::string LabelAsShown(const std::string& operation) {
    for (const std::string& label : labels_) {
      if (label.rfind(operation, 0) != 0) continue;
      std::string shown;
      for (std::size_t i = 0; i < label.size(); ++i) {
        if (label[i] == '&' && i + 1 < label.size()) {
          shown += "<u>" + label.substr(++i, 1) + "</u>";
        } else if (label.compare(i, 2, "\\n") == 0) {
          shown += "<br>";
          ++i;
        } else {
          shown += label[i];
        }
      }
      return shown;
    }
    return "(no button for " + operation + ")";
  }

  static std::string folder_;
  static bool drawn_;
  static std::vector<std::string> labels_;  // as --window prints them, top to bottom
};
std::string CommittedPicture::folder_;
bool CommittedPicture::drawn_ = false;
std::vector<std::string> CommittedPicture::labels_;

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
    const std::string heading = "<h3 id=\"" + std::string(GetParam()) +
                                "\"><span class=\"label\">" + LabelAsShown(GetParam()) + "</span>";
    EXPECT_NE(guide.find(heading), std::string::npos) << heading << " not in docs/" << guide_name;
    const std::string other_language = guide_name == "guide.html" ? "guide.ja.html" : "guide.html";
    EXPECT_NE(guide.find("<a href=\"" + other_language + "\""), std::string::npos)
        << "docs/" << guide_name << " does not link " << other_language;
    pugi::xml_document picture;
    ASSERT_TRUE(picture.load_string(committed.c_str())) << name;
    ExpectSelfContained(picture);
  }
}

// Which objects the picture and the step lines count as moved: a copy is paired
// with the object the stand-in cloned it from, directly or through copies in
// between, whatever the names say. Objects are numbered from 1; 0 is an empty
// slot.
struct PairingCase {
  const char* name;
  std::string before;
  std::vector<int> before_objects;
  std::string after;
  std::vector<int> after_objects;
  std::vector<std::pair<int, int>> copies;  // (copy, the object it was cloned from)
  std::vector<long> slot_after;             // of each slot before
  std::vector<bool> moved;
};

class MovedObjectPairing : public ::testing::TestWithParam<PairingCase> {};

TEST_P(MovedObjectPairing, FollowsTheCloneRecord) {
  const PairingCase& example = GetParam();
  static const char objects[8] = {};
  const auto handles = [](const std::vector<int>& numbers) {
    std::vector<const void*> named;
    for (int number : numbers) named.push_back(number == 0 ? nullptr : &objects[number]);
    return named;
  };
  const tool::DocumentSnapshot before{example.before, outline::ParseOutline(example.before).rows,
                                      handles(example.before_objects), nullptr};
  tool::DocumentSnapshot after{example.after, outline::ParseOutline(example.after).rows,
                               handles(example.after_objects), nullptr};
  after.clone_source = [&example](const void* object) -> const void* {
    for (const auto& [copy, original] : example.copies) {
      if (object == &objects[copy]) return &objects[original];
    }
    return nullptr;
  };

  const tool::ObjectMoves moves = tool::FindMoves(before, after);

  EXPECT_EQ(moves.slot_after, example.slot_after);
  EXPECT_EQ(moves.moved, example.moved);
}

INSTANTIATE_TEST_SUITE_P(Copies, MovedObjectPairing,
                         ::testing::Values(PairingCase{"CopiesStandOutOfTheirOriginalsOrder",
                                                       "A\nA\nK\n",
                                                       {1, 2, 3},
                                                       "K\nA\nA\n",
                                                       {3, 5, 4},
                                                       {{5, 2}, {4, 1}},
                                                       {2, 1, 0},
                                                       {true, true, false}},
                                           PairingCase{"ANewObjectOfTheSameNameIsNoCopy",
                                                       "A\nB\n",
                                                       {1, 2},
                                                       "B\nA\n",
                                                       {2, 6},
                                                       {},
                                                       {-1, 0},
                                                       {true, false}},
                                           PairingCase{"OnlyTheFirstCopyOfAnObjectIsIt",
                                                       "A\n",
                                                       {1},
                                                       "A\nA\n",
                                                       {4, 5},
                                                       {{4, 1}, {5, 1}},
                                                       {0},
                                                       {false}},
                                           PairingCase{"ACopyOfAnObjectThatStaysIsNew",
                                                       "A\nB\n",
                                                       {1, 2},
                                                       "A\nB\nA\n",
                                                       {1, 2, 4},
                                                       {{4, 1}},
                                                       {0, 1},
                                                       {false, false}},
                                           PairingCase{"ACopyOfACopyIsTheOriginalSeveralStepsLater",
                                                       "A\nB\n",
                                                       {1, 2},
                                                       "B\nA\n",
                                                       {2, 5},
                                                       {{4, 1}, {5, 4}},
                                                       {1, 0},
                                                       {true, false}}),
                         [](const auto& test) { return std::string(test.param.name); });

// Every file that names the version names the one the build makes: the
// release (1.5.0), the DLL's file version with the build number (1.5.0.1),
// or the plug-in's name in the modeller (v.1.5). Each pattern must be found,
// and every place it is found holds that version.
enum class VersionForm { kRelease, kFileVersion, kNameVersion };

struct VersionMention {
  const char* name;
  const char* file;
  const char* pattern;  // one group: the version
  VersionForm form;
};

std::string VersionIn(VersionForm form) {
  const std::string release = ROWSHIFT_RELEASE;
  switch (form) {
    case VersionForm::kRelease:
      return release;
    case VersionForm::kFileVersion:
      return ROWSHIFT_FILE_VERSION;
    case VersionForm::kNameVersion:
      break;
  }
  return release.substr(0, release.rfind('.'));
}

class OneVersion : public ::testing::TestWithParam<VersionMention> {};

TEST_P(OneVersion, EveryFileNamesTheVersionTheBuildMakes) {
  const VersionMention& mention = GetParam();
  const std::string text = ReadFile(std::string(ROWSHIFT_SOURCE_DIR) + "/" + mention.file);
  const std::regex pattern(mention.pattern);
  int found = 0;
  for (std::sregex_iterator match(text.begin(), text.end(), pattern), end; match != end; ++match) {
    EXPECT_EQ((*match)[1].str(), VersionIn(mention.form)) << mention.file << ": " << match->str();
    ++found;
  }
  EXPECT_GT(found, 0) << mention.pattern << " not in " << mention.file;
}

INSTANTIATE_TEST_SUITE_P(
    Files, OneVersion,
    ::testing::Values(
        VersionMention{"GuideRelease", "docs/guide.html", R"(Rowshift (\d+\.\d+\.\d+))",
                       VersionForm::kRelease},
        VersionMention{"JapaneseGuideRelease", "docs/guide.ja.html", R"(Rowshift (\d+\.\d+\.\d+))",
                       VersionForm::kRelease},
        VersionMention{"InstallNotesRelease", "INSTALL.txt", R"(Rowshift (\d+\.\d+\.\d+))",
                       VersionForm::kRelease},
        VersionMention{"InstallNotesFileVersion", "INSTALL.txt",
                       R"(version as (\d+\.\d+\.\d+\.\d+))", VersionForm::kFileVersion},
        VersionMention{"InstallNotesNameVersion", "INSTALL.txt", R"(Rowshift v\.(\d+\.\d+))",
                       VersionForm::kNameVersion},
        VersionMention{"ReadmeRelease", "README.md", R"(release is (\d+\.\d+\.\d+))",
                       VersionForm::kRelease},
        VersionMention{"ReadmeFileVersion", "README.md", R"(fourth part \((\d+\.\d+\.\d+\.\d+)\))",
                       VersionForm::kFileVersion},
        VersionMention{"ReadmeNameVersion", "README.md", R"(Rowshift v\.(\d+\.\d+))",
                       VersionForm::kNameVersion},
        VersionMention{"BuildNameVersion", "CMakeLists.txt", R"(Rowshift v\.(\d+\.\d+))",
                       VersionForm::kNameVersion},
        VersionMention{"ChangelogNewestRelease", "CHANGELOG.md",
                       R"(newest first\.[\s\S]*?\n## (\d+\.\d+\.\d+) - )", VersionForm::kRelease},
        VersionMention{"ChangelogRelease", "CHANGELOG.md",
                       R"(major\.minor\.patch \((\d+\.\d+\.\d+)\))", VersionForm::kRelease},
        VersionMention{"ChangelogFileVersion", "CHANGELOG.md",
                       R"(the build number \((\d+\.\d+\.\d+\.\d+)\))", VersionForm::kFileVersion},
        VersionMention{"ChangelogNameVersion", "CHANGELOG.md", R"(Rowshift v\.(\d+\.\d+))",
                       VersionForm::kNameVersion}),
    [](const auto& test) { return std::string(test.param.name); });

INSTANTIATE_TEST_SUITE_P(Operations, CommittedPicture,
                         ::testing::Values("insert", "up", "down", "top", "bottom", "gather"),
                         [](const auto& test) { return std::string(test.param); });

}  // namespace
}  // namespace rowshift::testing
